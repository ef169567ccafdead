#pragma once
// Fonts by the names the screens and the report ask for. Where a face is
// missing on the machine, the font keeps its kind: serif stays serif, sans
// stays sans, monospaced stays monospaced (Liberation's metric twins first).

#include <QFont>
#include <QString>

namespace hk::ui {

// A font of the named face at pointSize (may be fractional, e.g. 8.25).
QFont MakeFont(const QString& family, double pointSize, bool bold = false);

// Changes the face of f, keeping size and weight, with the same fallbacks.
void SetFontFamily(QFont& f, const QString& family);

} // namespace hk::ui
