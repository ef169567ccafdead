#include "recovery.h"

#include "common/numbers.h"
#include "project/check_file.h"
#include "project/project_file.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

namespace hk {
namespace {

// The first line of every copy; a later layout gets another number.
constexpr std::string_view kFirstLine = "hkberech-Wiederherstellung 1\n";
constexpr std::string_view kPrefix = "hkberech-";
constexpr std::string_view kSuffix = ".wiederherstellung";
// A time, a file name and two files, each within its own limit.
constexpr std::size_t kMaxRecoveryBytes = kMaxProjectFileBytes + kMaxCheckFileBytes + 64 * 1024;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// Reads copies line by line; every step refuses what a copy written by the
// program never holds.
class Reader {
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}

    // The text after "key: " up to the line end.
    Result<std::string> field(std::string_view key) {
        const std::size_t end = rest_.find('\n');
        const std::string head = std::string(key) + ": ";
        if (end == std::string_view::npos || !rest_.starts_with(head)) {
            return Problem{"die Angabe „" + std::string(key) + "“ fehlt"};
        }
        std::string value(rest_.substr(head.size(), end - head.size()));
        rest_.remove_prefix(end + 1);
        return value;
    }

    // "key: n" and the n bytes after that line, then a line end.
    Result<std::string> block(std::string_view key, std::size_t limit) {
        auto size = field(key);
        if (!size) {
            return size.problem();
        }
        std::size_t n = 0;
        const char* first = size->data();
        const char* last = first + size->size();
        const auto [end, error] = std::from_chars(first, last, n);
        if (size->empty() || error != std::errc() || end != last || n > limit ||
            n + 1 > rest_.size() || rest_[n] != '\n') {
            return Problem{"die Länge von „" + std::string(key) + "“ stimmt nicht"};
        }
        std::string bytes(rest_.substr(0, n));
        rest_.remove_prefix(n + 1);
        return bytes;
    }

    bool atEnd() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

void AppendBlock(std::string& out, std::string_view key, std::string_view bytes) {
    out += std::string(key) + ": " + std::to_string(bytes.size()) + "\n";
    out += bytes;
    out += '\n';
}

} // namespace

std::string RecoveryFolder() {
    std::filesystem::path base;
    if (const std::string xdg = Variable("XDG_STATE_HOME"); !xdg.empty()) {
        base = PathOf(xdg);
    } else if (const std::string home = Variable("HOME"); !home.empty()) {
        base = PathOf(home) / ".local" / "state";
    } else if (const std::string local = Variable("LOCALAPPDATA"); !local.empty()) {
        base = PathOf(local);
    } else {
        return {};
    }
    return Utf8Of(base / "hkberech");
}

std::string RecoveryCopyName(const std::string& folder, long long pid) {
    return Utf8Of(PathOf(folder) /
                  PathOf(std::string(kPrefix) + std::to_string(pid) + std::string(kSuffix)));
}

Result<std::string> RecoveryBytes(const ProgramState& state, const std::string& when) {
    const auto image = ProjectFileBytes(state);
    if (!image) {
        return image.problem();
    }
    std::string out(kFirstLine);
    out += "Zeit: " + when + "\n";
    out += "Datei: " + state.ProjectFile + "\n";
    out += std::string("Ungesichert: ") + (state.ProjectUnsaved() ? "1" : "0") +
           (state.CheckUnsaved() ? "1" : "0") + "\n";
    AppendBlock(out, "Projekt", image->bytes);
    const bool check = state.Check || state.Balancing;
    AppendBlock(out, "Check",
                check ? CheckFileBytes(state, state.Check.value_or(CheckSettings{})) : "");
    return out;
}

Result<Recovered> ReadRecoveryBytes(std::string_view bytes, const TypicalRadiators& radiators) {
    if (!bytes.starts_with(kFirstLine)) {
        return Problem{"sie ist keine Wiederherstellungsdatei dieser Programmversion"};
    }
    Reader reader(bytes.substr(kFirstLine.size()));
    auto when = reader.field("Zeit");
    auto file = when ? reader.field("Datei") : Result<std::string>(when.problem());
    auto unsaved = file ? reader.field("Ungesichert") : Result<std::string>(file.problem());
    if (!unsaved) {
        return unsaved.problem();
    }
    if (unsaved->size() != 2 || unsaved->find_first_not_of("01") != std::string::npos) {
        return Problem{"die Angabe „Ungesichert“ ist ungültig"};
    }
    auto project = reader.block("Projekt", kMaxProjectFileBytes);
    auto check = project ? reader.block("Check", kMaxCheckFileBytes)
                         : Result<std::string>(project.problem());
    if (!check) {
        return check.problem();
    }
    if (!reader.atEnd()) {
        return Problem{"nach dem Ende folgen weitere Daten"};
    }
    Recovered out;
    out.when = std::move(*when);
    ProgramState& state = out.state;
    state.Radiators = radiators;
    if (const auto read = ReadProjectFile(*project, state); !read) {
        return Problem{"das Projekt darin ist beschädigt (Zeile " +
                       std::to_string(read.problem().line) + ": " + read.problem().message + ")"};
    }
    state.ProjectFile = std::move(*file);
    if (!check->empty()) {
        auto settings = ReadCheckFile(*check, state);
        auto balancing = settings ? ReadBalancingPart(*check, state)
                                  : Result<std::optional<BalancingSettings>>(settings.problem());
        if (!balancing) {
            return Problem{"der Wärmepumpen-Check darin ist beschädigt (" +
                           balancing.problem().message + ")"};
        }
        state.Check = std::move(*settings);
        state.Balancing = std::move(*balancing);
    }
    // Unsaved as it was: the file it names (if any) does not hold this.
    if ((*unsaved)[0] == '1') {
        state.Changed();
    }
    if ((*unsaved)[1] == '1') {
        state.CheckChanged();
    }
    return out;
}

Result<Recovered> ReadRecoveryCopy(FileOps& files, const std::string& path,
                                   const TypicalRadiators& radiators) {
    const auto bytes = ReadWholeFile(files, path, kMaxRecoveryBytes);
    if (!bytes) {
        return bytes.problem();
    }
    return ReadRecoveryBytes(*bytes, radiators);
}

std::vector<std::string> OrphanedRecoveryCopies(const std::string& folder) {
    std::vector<std::pair<std::filesystem::file_time_type, std::string>> found;
    std::error_code ec;
    std::filesystem::directory_iterator it(PathOf(folder), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string name = Utf8Of(it->path().filename());
        if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) {
            continue;
        }
        const std::string_view digits = std::string_view(name).substr(
            kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
        long long pid = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), pid);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
            pid == CurrentProcessId() || ProcessIsRunning(pid)) {
            continue; // not a copy, or the copy of a program still running
        }
        std::error_code timeError;
        found.emplace_back(it->last_write_time(timeError), Utf8Of(it->path()));
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<std::string> copies;
    for (auto& [time, path] : found) {
        copies.push_back(std::move(path));
    }
    return copies;
}

Result<std::string> SetRecoveryCopyAside(FileOps& files, const std::string& copy) {
    std::string aside = copy + ".beschädigt";
    PathInfo info;
    for (int n = 2; files.inspect(aside, info) == 0 && info.exists && n < 1000; ++n) {
        aside = copy + ".beschädigt-" + std::to_string(n);
    }
    if (info.exists) {
        return Problem{"es gibt schon zu viele beiseitegelegte Kopien"};
    }
    if (const int error = files.rename(copy, aside); error != 0) {
        return SaveReason(error);
    }
    return aside;
}

RecoveryCopy::RecoveryCopy(FileOps& files, std::string folder, long long pid)
    : files_(files), folder_(std::move(folder)),
      path_(folder_.empty() ? std::string() : RecoveryCopyName(folder_, pid)) {}

Result<void> RecoveryCopy::keep(const ProgramState& state, const std::string& when) {
    const Revisions now{state.projectRevision, state.checkRevision, state.balancingRevision};
    if (path_.empty() || now == kept_) {
        return {};
    }
    kept_ = now;
    if (!state.Unsaved()) {
        remove();
        return {};
    }
    written_ = true; // tried: a failure is answered once, not at every call
    auto bytes = RecoveryBytes(state, when);
    if (!bytes) {
        return bytes.problem();
    }
    std::error_code ec;
    if (std::filesystem::create_directories(PathOf(folder_), ec)) {
        // Only the user reads the copies of the user's projects.
        std::filesystem::permissions(PathOf(folder_), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace, ec);
    }
    return ReplaceFileSafely(files_, path_, *bytes);
}

void RecoveryCopy::remove() {
    if (!path_.empty() && written_) {
        files_.remove(path_);
    }
    written_ = false;
}

} // namespace hk
