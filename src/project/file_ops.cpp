#include "file_ops.h"

#include "common/numbers.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hk {
namespace {

class PosixFileOps final : public FileOps {
public:
    int inspect(const std::string& path, PathInfo& info) override {
        info = PathInfo{};
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) {
            return errno == ENOENT ? 0 : errno;
        }
        info.exists = true;
        info.isDirectory = S_ISDIR(st.st_mode);
        info.isRegular = S_ISREG(st.st_mode);
        info.readOnly = (st.st_mode & S_IWUSR) == 0;
        info.mode = static_cast<unsigned>(st.st_mode & 07777);
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) {
            info.realPath = resolved;
        }
        return 0;
    }

    int readAll(const std::string& path, std::size_t limit, std::string& bytes) override {
        // Non-blocking, so that a pipe chosen by mistake cannot hang the program.
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (fd < 0) {
            return errno;
        }
        int err = 0;
        struct stat st {};
        if (::fstat(fd, &st) != 0) {
            err = errno;
        } else if (S_ISDIR(st.st_mode)) {
            err = EISDIR;
        } else if (!S_ISREG(st.st_mode)) {
            err = EINVAL;
        }
        bytes.clear();
        if (err == 0) {
            const auto size = static_cast<std::size_t>(st.st_size);
            bytes.reserve(size < limit ? size + 1 : limit + 1);
            char buffer[65536];
            while (bytes.size() <= limit) {
                const ssize_t n = ::read(fd, buffer, sizeof buffer);
                if (n < 0) {
                    if (errno == EINTR) {
                        continue;
                    }
                    err = errno;
                    break;
                }
                if (n == 0) {
                    break;
                }
                bytes.append(buffer, static_cast<std::size_t>(n));
            }
        }
        ::close(fd); // read-only: nothing can be lost here
        return err;
    }

    int createNew(const std::string& path, unsigned mode, int& handle) override {
        handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                        static_cast<mode_t>(mode));
        return handle < 0 ? errno : 0;
    }

    int write(int handle, std::string_view bytes, std::size_t& written) override {
        written = 0;
        for (;;) {
            const ssize_t n = ::write(handle, bytes.data(), bytes.size());
            if (n >= 0) {
                written = static_cast<std::size_t>(n);
                return 0;
            }
            if (errno != EINTR) {
                return errno;
            }
        }
    }

    int flush(int handle) override { return ::fsync(handle) == 0 ? 0 : errno; }

    int close(int handle) override { return ::close(handle) == 0 ? 0 : errno; }

    int rename(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }

    int remove(const std::string& path) override { return ::unlink(path.c_str()) == 0 ? 0 : errno; }

    int flushFolder(const std::string& folder) override {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            return errno;
        }
        const int err = ::fsync(fd) == 0 ? 0 : errno;
        ::close(fd);
        return err;
    }
};

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

std::string ReadReason(int err) {
    if (auto r = PathReason(err); !r.empty()) {
        return err == EINVAL ? "Dies ist keine gewöhnliche Datei" : r;
    }
    switch (err) {
    case ENOENT:
        return "Die Datei ist nicht vorhanden";
    case EACCES:
    case EPERM:
        return "Keine Leseberechtigung für diese Datei";
    case EISDIR:
        return "Unter diesem Namen gibt es einen Ordner, keine Datei";
    case EIO:
        return "Fehler beim Lesen vom Datenträger";
    default:
        return OtherError(err);
    }
}

std::string SaveReason(int err) {
    if (auto r = PathReason(err); !r.empty()) {
        return r;
    }
    switch (err) {
    case ENOENT:
        return "Der Ordner ist nicht vorhanden";
    case EACCES:
    case EPERM:
        return "Keine Schreibberechtigung für diesen Ordner";
    case EROFS:
        return "Der Datenträger ist schreibgeschützt";
    case ENOSPC:
    case EDQUOT:
        return "Der Datenträger ist voll";
    case EISDIR:
        return "Unter diesem Namen gibt es bereits einen Ordner";
    case EIO:
        return "Fehler beim Schreiben auf den Datenträger";
    default:
        return OtherError(err);
    }
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A hidden name of its own, not derived from the target, so that a target
// name at the length limit still gets a temporary file.
std::string TempPath(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    std::string name = ".hkberech-" + WholeText(::getpid()) + "-" + WholeText(counter++) + ".tmp";
    return folder == "/" ? "/" + name : folder + "/" + name;
}

} // namespace

FileOps& SystemFileOps() {
    static PosixFileOps ops;
    return ops;
}

std::optional<std::string> ReadWholeFile(FileOps& files, const std::string& path, std::size_t limit,
                                         std::string& bytes) {
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
    if (const int err = files.readAll(path, limit, bytes); err != 0) {
        return ReadReason(err);
    }
    if (bytes.size() > limit) {
        return "Die Datei ist größer als " + WholeText(static_cast<long long>(limit >> 20)) +
               " MB und damit keine Projektdatei";
    }
    return std::nullopt;
}

std::optional<std::string> ReplaceFileSafely(FileOps& files, const std::string& path,
                                             std::string_view bytes) {
    if (path.empty() || path.back() == '/') {
        return SaveReason(EINVAL);
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
            return "Unter diesem Namen gibt es keine gewöhnliche Datei";
        }
        if (info.readOnly) {
            // Renaming would replace it all the same; the user protected it.
            return "Die Datei ist schreibgeschützt";
        }
    }
    // A link keeps pointing at the project: replace the file it names.
    const std::string target = info.exists && !info.realPath.empty() ? info.realPath : path;
    const std::string folder = FolderOf(target);
    const unsigned mode = info.exists ? info.mode : 0666u;

    std::string temp;
    int handle = -1;
    int err = EEXIST;
    for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
        temp = TempPath(folder);
        err = files.createNew(temp, mode, handle);
    }
    if (err != 0) {
        return SaveReason(err);
    }
    bool open = true;
    auto fail = [&](int e) -> std::optional<std::string> {
        if (open) {
            files.close(handle);
        }
        files.remove(temp);
        return SaveReason(e);
    };

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
    open = false;
    if ((err = files.close(handle)) != 0) {
        return fail(err);
    }
    if ((err = files.rename(temp, target)) != 0) {
        return fail(err);
    }
    // The new file is in place; a folder that cannot be flushed loses nothing.
    files.flushFolder(folder);
    return std::nullopt;
}

} // namespace hk
