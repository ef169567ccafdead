#include "file_ops.h"

#include "common/numbers.h"

#include <atomic>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace hk {
namespace {

std::string OtherError(int err) { return "Fehler Nr. " + WholeText(err) + " des Betriebssystems"; }

std::string PathReason(int err) {
    switch (err) {
    case ENOTDIR:
        return "Ein Teil des Pfades ist kein Ordner";
    case ENAMETOOLONG:
        return "Der Dateiname ist zu lang";
    case EINVAL:
    case EILSEQ:
        return "Der Dateiname ist ungültig";
    case ELOOP:
        return "Der Pfad enthält zu viele Verweise";
    default:
        return {};
    }
}

Problem ReadReason(int err) {
    if (auto r = PathReason(err); !r.empty()) {
        return {err == EINVAL ? "Dies ist keine gewöhnliche Datei" : r};
    }
    switch (err) {
    case ENOENT:
        return {"Die Datei ist nicht vorhanden"};
    case EACCES:
    case EPERM:
        return {"Keine Leseberechtigung für diese Datei"};
    case EISDIR:
        return {"Unter diesem Namen gibt es einen Ordner, keine Datei"};
    case EIO:
        return {"Fehler beim Lesen vom Datenträger"};
    default:
        return {OtherError(err)};
    }
}

// On Windows "\\" separates folders as "/" does; elsewhere it is a character
// of a name.
constexpr bool kBackslashSeparates = std::filesystem::path::preferred_separator == L'\\';

constexpr std::size_t kLongestName = 255;

constexpr std::string_view kTempPrefix = ".hkberech-";
constexpr std::string_view kTempSuffix = ".tmp";

// A hidden name of its own, not derived from the target, so that a target
// name at the length limit still gets a temporary file. The process number in
// it tells whose it is.
std::string TempPath(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    const std::string name = std::string(kTempPrefix) + WholeText(CurrentProcessId()) + "-" +
                             WholeText(counter++) + std::string(kTempSuffix);
    return Utf8Of(PathOf(folder) / name);
}

// The process number in a name TempPath gives, or -1 for any other name.
// The name as the system gives it: bytes on Linux, UTF-16 on Windows.
template <typename Char> long long TempOwner(std::basic_string_view<Char> name) {
    auto is = [&](std::size_t at, std::string_view ascii) {
        for (std::size_t i = 0; i < ascii.size(); ++i) {
            if (name[at + i] != static_cast<Char>(ascii[i])) {
                return false;
            }
        }
        return true;
    };
    if (name.size() < kTempPrefix.size() + kTempSuffix.size() || !is(0, kTempPrefix) ||
        !is(name.size() - kTempSuffix.size(), kTempSuffix)) {
        return -1;
    }
    name.remove_prefix(kTempPrefix.size());
    name.remove_suffix(kTempSuffix.size());
    const auto dash = name.find(static_cast<Char>('-'));
    if (dash == 0 || dash == std::string_view::npos || dash > 18 || dash + 1 == name.size()) {
        return -1;
    }
    long long pid = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const Char c = name[i];
        if (i == dash) {
            continue;
        }
        if (c < static_cast<Char>('0') || c > static_cast<Char>('9')) {
            return -1;
        }
        if (i < dash) {
            pid = pid * 10 + static_cast<long long>(c - static_cast<Char>('0'));
        }
    }
    return pid;
}

// A save that was killed (the power failed, the program was ended while the
// disk was slow) may have left its temporary file; the next save in the
// folder removes it. Files of saves still running are left alone, and a folder
// that cannot be listed is no reason to refuse the save.
void RemoveStaleTemps(FileOps& files, const std::string& folder) {
    try {
        std::error_code ec;
        std::filesystem::directory_iterator it(PathOf(folder), ec);
        for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
            const std::filesystem::path name = it->path().filename();
            const long long pid =
                TempOwner(std::basic_string_view<std::filesystem::path::value_type>(name.native()));
            if (pid > 0 && pid != CurrentProcessId() && !ProcessIsRunning(pid)) {
                files.remove(Utf8Of(it->path()));
            }
        }
    } catch (const std::exception&) {
        // A name Windows cannot give as UTF-8 is none of ours.
    }
}

} // namespace

Problem SaveReason(int err) {
    if (auto r = PathReason(err); !r.empty()) {
        return {r};
    }
    if (err == kErrQuota) {
        return {"Der Datenträger ist voll"};
    }
    switch (err) {
    case ENOENT:
        return {"Der Ordner ist nicht vorhanden"};
    case EACCES:
    case EPERM:
        return {"Keine Schreibberechtigung für diesen Ordner"};
    case EROFS:
        return {"Der Datenträger ist schreibgeschützt"};
    case ENOSPC:
        return {"Der Datenträger ist voll"};
    case EISDIR:
        return {"Unter diesem Namen gibt es bereits einen Ordner"};
    case EBUSY:
        return {"Die Datei wird gerade von einem anderen Programm benutzt"};
    case EIO:
        return {"Fehler beim Schreiben auf den Datenträger"};
    default:
        return {OtherError(err)};
    }
}

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string u = path.u8string();
    return std::string(u.begin(), u.end());
}

std::string FolderOf(const std::string& path) {
    const auto p = PathOf(path);
    if (!p.has_parent_path() || p.parent_path() == p.root_name()) {
        // "projekt.txt", or "C:projekt.txt" (the current folder of drive C).
        return p.root_name().empty() ? "." : Utf8Of(p.root_name());
    }
    return Utf8Of(p.parent_path());
}

Result<std::string> ReadWholeFile(FileOps& files, const std::string& path, std::size_t limit) {
    PathInfo info;
    if (const int err = files.inspect(path, info); err != 0) {
        return ReadReason(err);
    }
    if (!info.exists) {
        return ReadReason(ENOENT);
    }
    if (info.isDirectory) {
        return ReadReason(EISDIR);
    }
    if (!info.isRegular) {
        return ReadReason(EINVAL);
    }
    std::string bytes;
    if (const int err = files.readAll(path, limit, bytes); err != 0) {
        return ReadReason(err);
    }
    if (bytes.size() > limit) {
        // The caller says what the file was read as; a side file is no project file.
        return Problem{"Die Datei ist größer als " +
                       WholeText(static_cast<long long>(limit >> 20)) + " MB"};
    }
    return bytes;
}

Result<void> ReplaceFileSafely(FileOps& files, const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/' || (kBackslashSeparates && path.back() == '\\')) {
        return SaveReason(EINVAL);
    }
    // Windows takes names as UTF-16 only: broken UTF-8 is no name there.
    std::filesystem::path name;
    try {
        name = PathOf(path).filename();
    } catch (const std::exception&) {
        return SaveReason(EILSEQ);
    }
    // No file system in use takes a longer name (255 bytes on Linux, 255
    // UTF-16 units on Windows); some only say that the folder is missing.
    if (name.native().size() > kLongestName) {
        return SaveReason(ENAMETOOLONG);
    }
    PathInfo info;
    if (const int err = files.inspect(path, info); err != 0) {
        return SaveReason(err);
    }
    if (info.exists) {
        if (info.isDirectory) {
            return SaveReason(EISDIR);
        }
        if (!info.isRegular) {
            return Problem{"Unter diesem Namen gibt es keine gewöhnliche Datei"};
        }
        if (info.readOnly) {
            // Renaming would replace it all the same; the user protected it,
            // or it is another user's.
            return Problem{"Die Datei ist schreibgeschützt"};
        }
    }
    // A link keeps pointing at the project: replace the file it names.
    const std::string target = info.exists && !info.realPath.empty() ? info.realPath : path;
    const std::string folder = FolderOf(target);
    const unsigned mode = info.exists ? info.mode : 0666u;
    RemoveStaleTemps(files, folder);

    // A file without a name cannot be left behind by a save that is killed
    // while it waits for the disk; it gets its hidden name only when it is
    // complete, just before the rename.
    int handle = -1;
    int err = files.createUnnamed(folder, mode, handle);
    const bool unnamed = err == 0;
    std::string temp;
    if (!unnamed) {
        err = EEXIST;
        for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
            temp = TempPath(folder);
            err = files.createNew(temp, mode, handle);
        }
        if (err != 0) {
            return SaveReason(err);
        }
    }
    bool open = true;
    auto fail = [&](int e) -> Result<void> {
        if (open) {
            files.close(handle);
        }
        if (!temp.empty()) {
            files.remove(temp);
        }
        return SaveReason(e);
    };

    if ((err = files.adopt(handle, info)) != 0) {
        return fail(err);
    }
    for (std::size_t done = 0; done < bytes.size();) {
        std::size_t n = 0;
        if ((err = files.write(handle, bytes.substr(done), n)) != 0) {
            return fail(err);
        }
        if (n == 0) {
            return fail(EIO);
        }
        done += n;
    }
    if ((err = files.flush(handle)) != 0) {
        return fail(err);
    }
    if (unnamed) {
        err = EEXIST;
        for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
            temp = TempPath(folder);
            err = files.link(handle, temp);
        }
        if (err != 0) {
            temp.clear(); // nothing of ours has that name
            return fail(err);
        }
    }
    open = false;
    if ((err = files.close(handle)) != 0) {
        return fail(err);
    }
    if ((err = files.rename(temp, target)) != 0) {
        return fail(err);
    }
    // The new file is in place; a folder that cannot be flushed loses nothing.
    files.flushFolder(folder);
    return {};
}

} // namespace hk
