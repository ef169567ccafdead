#include "on_demand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace hk::ui {
namespace {

// Set before main by a program that links the parts in; constant-initialised,
// so no order of start-up can see it half made.
const OnDemandParts* linkedParts = nullptr;

// The module stays open for the rest of the run once its parts were taken.
const OnDemandParts* moduleParts = nullptr;

using Entry = const OnDemandParts* (*)();

Problem ModuleProblem(const QString& path, const QString& why) {
    return {QStringLiteral("Das Zusatzmodul für Drucken und Wärmepumpen-Check (%1) %2. "
                           "Bitte installieren Sie das Programm neu.")
                .arg(QDir::toNativeSeparators(path), why)
                .toStdString()};
}

} // namespace

void UseLinkedParts(const OnDemandParts* parts) { linkedParts = parts; }

Result<const OnDemandParts*> LoadPartsModule(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        return ModuleProblem(path, QStringLiteral("fehlt"));
    }
    QLibrary module(path);
    if (!module.load()) {
        return ModuleProblem(path, QStringLiteral("lässt sich nicht laden"));
    }
    const auto entry = reinterpret_cast<Entry>(module.resolve(kOnDemandPartsEntry));
    const OnDemandParts* parts = entry ? entry() : nullptr;
    if (parts == nullptr || parts->version != kOnDemandPartsVersion ||
        parts->printReport == nullptr || parts->newCheckWindow == nullptr ||
        parts->newBalancingWindow == nullptr) {
        module.unload();
        return ModuleProblem(path, QStringLiteral("passt nicht zu diesem Programm"));
    }
    return parts;
}

QStringList PartsModuleCandidates(const QString& programDir) {
    const QDir dir(programDir);
    QString installed = QDir::cleanPath(
        dir.filePath(QStringLiteral(HK_PARTS_FROM_PROGRAM "/" HK_PARTS_MODULE_FILE)));
    // Above the root there is the root again: a program in / looks in /lib.
    while (installed.startsWith(QLatin1String("/../"))) {
        installed.remove(0, 3);
    }
    return {QDir::cleanPath(dir.filePath(QStringLiteral(HK_PARTS_MODULE_FILE))), installed};
}

const OnDemandParts* OnDemandPartsOrTell(MessageBoxes& messages, QWidget* parent) {
    if (linkedParts) {
        return linkedParts;
    }
    if (moduleParts) {
        return moduleParts;
    }
    const QStringList candidates = PartsModuleCandidates(QCoreApplication::applicationDirPath());
    // The first file that is there is the one meant; a broken module beside
    // the program is reported, not passed over for an installed one.
    QString chosen = candidates.constLast();
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile()) {
            chosen = path;
            break;
        }
    }
    const Result<const OnDemandParts*> loaded = LoadPartsModule(chosen);
    if (!loaded) {
        messages.show(parent,
                      {loaded.problem().message, std::string(kAppTitle), MsgIcon::Critical});
        return nullptr;
    }
    moduleParts = *loaded;
    return moduleParts;
}

} // namespace hk::ui
