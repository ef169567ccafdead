#include "fonts.h"

#include <QStringList>

namespace hk::ui {
namespace {

enum class Kind { Sans, Serif, Mono };

Kind KindOf(const QString& family) {
    const QString f = family.toLower();
    if (f.contains(QLatin1String("courier")) || f.contains(QLatin1String("mono"))) {
        return Kind::Mono;
    }
    if (f.contains(QLatin1String("times")) || f.contains(QLatin1String("serif"))) {
        if (!f.contains(QLatin1String("sans"))) {
            return Kind::Serif;
        }
    }
    return Kind::Sans;
}

} // namespace

void SetFontFamily(QFont& font, const QString& family) {
    QStringList families{family};
    switch (KindOf(family)) {
    case Kind::Mono:
        families << QStringLiteral("Liberation Mono") << QStringLiteral("DejaVu Sans Mono")
                 << QStringLiteral("Monospace");
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
        break;
    case Kind::Serif:
        families << QStringLiteral("Liberation Serif") << QStringLiteral("DejaVu Serif")
                 << QStringLiteral("Serif");
        font.setStyleHint(QFont::Serif);
        break;
    case Kind::Sans:
        families << QStringLiteral("Liberation Sans") << QStringLiteral("DejaVu Sans")
                 << QStringLiteral("Sans Serif");
        font.setStyleHint(QFont::SansSerif);
        break;
    }
    font.setFamilies(families);
}

QFont MakeFont(const QString& family, double pointSize, bool bold) {
    QFont f;
    SetFontFamily(f, family);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

} // namespace hk::ui
