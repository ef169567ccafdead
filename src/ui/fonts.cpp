#include "fonts.h"

#include <QFontDatabase>
#include <QHash>
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

// The first of the families that the machine has, looked up once for each
// list: a face that is missing would otherwise send Qt on a search through
// fontconfig's substitutes every time a font of it is first used (a few ms
// and some 150 kB at start-up). All missing: the list stays as it is.
QStringList Installed(const QStringList& families) {
    static QHash<QString, QStringList> known;
    const QString key = families.join(QLatin1Char(','));
    auto it = known.constFind(key);
    if (it != known.constEnd()) {
        return *it;
    }
    const QStringList present = QFontDatabase::families();
    QStringList chosen = families;
    for (const QString& f : families) {
        if (present.contains(f, Qt::CaseInsensitive)) {
            chosen = QStringList{f};
            break;
        }
    }
    known.insert(key, chosen);
    return chosen;
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
    font.setFamilies(Installed(families));
}

QFont MakeFont(const QString& family, double pointSize, bool bold) {
    QFont f;
    SetFontFamily(f, family);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

} // namespace hk::ui
