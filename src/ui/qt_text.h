#pragma once
// The one way from the core's UTF-8 text to Qt's strings.

#include <QString>

#include <string_view>

namespace hk::ui {

// UTF-8 text of the core (std::string, string literals) as a QString.
inline QString Q(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// text cut after most characters with "…"; a text of a project file written
// by hand may hold thousands, and measuring it whole for a cell takes seconds.
inline QString CutText(QString text, qsizetype most) {
    if (text.size() > most) {
        text = text.left(most) + QChar(0x2026);
    }
    return text;
}

} // namespace hk::ui
