#include "data_files.h"

#include <cstdlib>
#include <filesystem>

namespace hk {
namespace {

std::string Joined(const std::filesystem::path& folder, std::string_view fileName) {
    return (folder / std::filesystem::path(std::string(fileName))).string();
}

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace

std::vector<std::string> ShippedDataPaths(std::string_view programDir, std::string_view fileName) {
    const std::filesystem::path dir{std::string(programDir)};
    return {Joined(dir, fileName), Joined(dir / ".." / "share" / "hkberech", fileName)};
}

std::string UserDataPath(std::string_view fileName) {
    std::filesystem::path base;
    if (const std::string xdg = Variable("XDG_CONFIG_HOME"); !xdg.empty()) {
        base = xdg;
    } else if (const std::string home = Variable("HOME"); !home.empty()) {
        base = std::filesystem::path(home) / ".config";
    } else if (const std::string appData = Variable("APPDATA"); !appData.empty()) {
        base = appData;
    } else {
        return {};
    }
    return Joined(base / "hkberech", fileName);
}

DataSources ReadDataSources(FileOps& files, std::string_view programDir,
                            std::string_view fileName) {
    DataSources out;
    const auto readInto = [&](const std::string& path) {
        if (auto bytes = ReadWholeFile(files, path, kMaxDataFileBytes)) {
            out.sources.push_back({path, std::move(*bytes)});
        } else {
            out.problems.push_back(path + ": " + bytes.problem().message);
        }
    };
    const auto exists = [&](const std::string& path) {
        PathInfo info;
        return !path.empty() && files.inspect(path, info) == 0 && info.exists;
    };
    bool shipped = false;
    for (const std::string& path : ShippedDataPaths(programDir, fileName)) {
        if (exists(path)) {
            readInto(path);
            shipped = true;
            break;
        }
    }
    if (!shipped) {
        out.problems.push_back(std::string(fileName) +
                               ": die mitgelieferte Datei wurde beim Programm nicht gefunden");
    }
    if (const std::string user = UserDataPath(fileName); exists(user)) {
        readInto(user);
    }
    return out;
}

LoadedCatalogue LoadRadiatorCatalogue(FileOps& files, std::string_view programDir) {
    auto table = LoadDataTable<TypicalRadiator>(files, programDir, kRadiatorTableFile,
                                                ReadRadiatorCatalogue);
    return {std::move(table.rows), SkippedRowsMessage(kRadiatorTableTitle, table.skipped)};
}

LoadedValves LoadValveTable(FileOps& files, std::string_view programDir) {
    auto table = LoadDataTable<Valve>(files, programDir, kValveTableFile, ReadValveTable);
    return {std::move(table.rows), SkippedRowsMessage(kValveTableTitle, table.skipped)};
}

} // namespace hk
