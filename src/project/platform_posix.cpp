// The file operations of a POSIX system (Linux). The only file besides its
// Windows counterpart that calls the system directly.

#include "file_ops.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string>
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
        // The mode bits protect a file even from the superuser, who may write
        // anything; the system's own answer covers files of other users, access
        // lists and read-only mounts.
        info.readOnly = (st.st_mode & S_IWUSR) == 0 ||
                        ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
        info.mode = static_cast<unsigned>(st.st_mode & 07777);
        info.owner = static_cast<long long>(st.st_uid);
        info.group = static_cast<long long>(st.st_gid);
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

    int createUnnamed(const std::string& folder, unsigned mode, int& handle) override {
#ifdef O_TMPFILE
        // Naming it later goes through /proc, which a bare chroot may lack.
        if (::access("/proc/self/fd", X_OK) != 0) {
            handle = -1;
            return kErrNoUnnamed;
        }
        handle =
            ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, static_cast<mode_t>(mode));
        if (handle >= 0) {
            return 0;
        }
        // Kernels and file systems without such files answer in several ways;
        // a missing folder or missing permission is the same error for a named
        // file, which then reports it.
        return kErrNoUnnamed;
#else
        (void)folder;
        (void)mode;
        handle = -1;
        return kErrNoUnnamed;
#endif
    }

    int createNew(const std::string& path, unsigned mode, int& handle) override {
        handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                        static_cast<mode_t>(mode));
        return handle < 0 ? errno : 0;
    }

    int adopt(int handle, const PathInfo& replaced) override {
        if (!replaced.exists) {
            return 0;
        }
        struct stat st {};
        if (::fstat(handle, &st) != 0) {
            return errno;
        }
        const auto owner = static_cast<uid_t>(replaced.owner);
        const auto group = static_cast<gid_t>(replaced.group);
        // Only the superuser may give a file away; an ordinary user may still
        // set one of the own groups. Where neither is permitted the new file
        // stays the user's, as with any file the user writes.
        if ((st.st_uid != owner || st.st_gid != group) && ::fchown(handle, owner, group) != 0 &&
            ::fchown(handle, static_cast<uid_t>(-1), group) != 0 && errno != EPERM) {
            return errno;
        }
        // After the owner: a change of owner clears the set-user-ID bits.
        return ::fchmod(handle, static_cast<mode_t>(replaced.mode)) == 0 ? 0 : errno;
    }

    int link(int handle, const std::string& path) override {
        // Through the process's own view of its open files; needs /proc.
        const std::string self = "/proc/self/fd/" + std::to_string(handle);
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0
                   ? 0
                   : errno;
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

} // namespace

FileOps& SystemFileOps() {
    static PosixFileOps ops;
    return ops;
}

long long CurrentProcessId() { return static_cast<long long>(::getpid()); }

bool ProcessIsRunning(long long pid) {
    if (pid <= 0 || pid > INT_MAX) {
        return false;
    }
    // EPERM: it runs, under another user.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace hk
