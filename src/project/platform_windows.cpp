// The file operations of Windows. The only file besides its POSIX
// counterpart that calls the system directly. Names arrive as UTF-8 and go to
// the system as UTF-16; files are read and written as bytes (never in the C
// runtime's text mode, which would write every CR LF as CR CR LF).

#include "file_ops.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <string>
#include <sys/stat.h>
#include <windows.h>

namespace hk {
namespace {

// The system's error numbers as the errno values the messages know.
int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return EBUSY;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return EINVAL;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    default:
        return EIO;
    }
}

int LastError() { return ErrnoOf(::GetLastError()); }

// UTF-8 to UTF-16. A long path (Windows stops at 260 characters otherwise)
// is made absolute and marked with \\?\, which turns the limit off.
int WidePath(const std::string& utf8, std::wstring& wide) {
    wide.clear();
    if (utf8.empty()) {
        return ENOENT;
    }
    if (utf8.size() > INT_MAX / 2) {
        return ENAMETOOLONG;
    }
    const int size = static_cast<int>(utf8.size());
    const int n =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (n <= 0) {
        return EILSEQ;
    }
    wide.resize(static_cast<std::size_t>(n));
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), n);
    if (wide.find(L'\0') != std::wstring::npos) {
        return EINVAL;
    }
    if (wide.size() < MAX_PATH - 12 || wide.starts_with(L"\\\\?\\")) {
        return 0;
    }
    const DWORD full = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (full == 0) {
        return LastError();
    }
    std::wstring absolute(full, L'\0');
    const DWORD written = ::GetFullPathNameW(wide.c_str(), full, absolute.data(), nullptr);
    if (written == 0 || written >= full) {
        return LastError();
    }
    absolute.resize(written);
    wide = absolute.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + absolute.substr(2)
                                         : L"\\\\?\\" + absolute;
    return 0;
}

// Closes a handle of the system when the scope ends.
class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (h_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

HANDLE OpenForReading(const std::wstring& path) {
    // Shared with every other program, which may go on writing or renaming;
    // FILE_FLAG_BACKUP_SEMANTICS lets a folder be opened, to be recognised.
    return ::CreateFileW(path.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 name devices in every
// folder, also with an extension ("con.txt"); a device without a console or
// a port behind it cannot even be opened.
bool IsDeviceName(const std::string& path) {
    std::string stem = Utf8Of(PathOf(path).filename());
    stem = stem.substr(0, stem.find('.'));
    while (!stem.empty() && stem.back() == ' ') {
        stem.pop_back();
    }
    for (char& c : stem) {
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") {
        return true;
    }
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

void Describe(DWORD attributes, PathInfo& info) {
    info.isDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.isRegular = !info.isDirectory;
    info.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    info.mode = info.readOnly ? 0444u : 0666u;
}

// Why a file may not be replaced: Windows answers "access denied" also when
// another program holds the file open without letting it be deleted.
int ReplaceError(const std::wstring& target) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_ACCESS_DENIED) {
        const Handle probe(::CreateFileW(
            target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!probe.ok() && ::GetLastError() == ERROR_SHARING_VIOLATION) {
            return EBUSY;
        }
    }
    return ErrnoOf(error);
}

class WindowsFileOps final : public FileOps {
public:
    int inspect(const std::string& path, PathInfo& info) override {
        info = PathInfo{};
        std::wstring w;
        if (const int err = WidePath(path, w); err != 0) {
            return err;
        }
        if (IsDeviceName(path)) {
            info.exists = true; // neither folder nor file, whether it answers or not
            return 0;
        }
        // Through a handle first: "NUL", "CON" and the like are devices in
        // every folder, which only the handle tells.
        const Handle h(OpenForReading(w));
        if (h.ok()) {
            info.exists = true;
            BY_HANDLE_FILE_INFORMATION about{};
            if (::GetFileType(h.get()) != FILE_TYPE_DISK ||
                !::GetFileInformationByHandle(h.get(), &about)) {
                return 0; // a device: neither folder nor file
            }
            Describe(about.dwFileAttributes, info);
            return 0;
        }
        // A file another program holds without sharing cannot be opened, but
        // its attributes can be read.
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(w.c_str(), GetFileExInfoStandard, &data)) {
            const int err = LastError();
            return err == ENOENT ? 0 : err;
        }
        info.exists = true;
        Describe(data.dwFileAttributes, info);
        return 0;
    }

    int readAll(const std::string& path, std::size_t limit, std::string& bytes) override {
        bytes.clear();
        std::wstring w;
        if (const int err = WidePath(path, w); err != 0) {
            return err;
        }
        const Handle h(OpenForReading(w));
        if (!h.ok()) {
            return LastError();
        }
        if (::GetFileType(h.get()) != FILE_TYPE_DISK) {
            return EINVAL;
        }
        BY_HANDLE_FILE_INFORMATION about{};
        if (!::GetFileInformationByHandle(h.get(), &about)) {
            return LastError();
        }
        if ((about.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return EISDIR;
        }
        const unsigned long long size =
            (static_cast<unsigned long long>(about.nFileSizeHigh) << 32) | about.nFileSizeLow;
        bytes.reserve(size < limit ? static_cast<std::size_t>(size) + 1 : limit + 1);
        char buffer[65536];
        while (bytes.size() <= limit) {
            DWORD n = 0;
            if (!::ReadFile(h.get(), buffer, sizeof buffer, &n, nullptr)) {
                return LastError();
            }
            if (n == 0) {
                break;
            }
            bytes.append(buffer, n);
        }
        return 0;
    }

    int createUnnamed(const std::string&, unsigned, int& handle) override {
        handle = -1;
        return kErrNoUnnamed;
    }

    int createNew(const std::string& path, unsigned mode, int& handle) override {
        handle = -1;
        std::wstring w;
        if (const int err = WidePath(path, w); err != 0) {
            return err;
        }
        const int permission = (mode & 0222u) != 0 ? (_S_IREAD | _S_IWRITE) : _S_IREAD;
        const errno_t err = ::_wsopen_s(&handle, w.c_str(),
                                        _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                        _SH_DENYWR, permission);
        return err == 0 ? 0 : err;
    }

    // The read-only attribute is refused before; access lists come from the
    // folder, as for every new file there.
    int adopt(int, const PathInfo&) override { return 0; }

    int link(int, const std::string&) override { return kErrNoUnnamed; }

    int write(int handle, std::string_view bytes, std::size_t& written) override {
        const unsigned chunk =
            bytes.size() > (1u << 30) ? (1u << 30) : static_cast<unsigned>(bytes.size());
        const int n = ::_write(handle, bytes.data(), chunk);
        if (n < 0) {
            written = 0;
            return errno;
        }
        written = static_cast<std::size_t>(n);
        return 0;
    }

    int flush(int handle) override { return ::_commit(handle) == 0 ? 0 : errno; }

    int close(int handle) override { return ::_close(handle) == 0 ? 0 : errno; }

    int rename(const std::string& from, const std::string& to) override {
        std::wstring wf;
        std::wstring wt;
        if (const int err = WidePath(from, wf); err != 0) {
            return err;
        }
        if (const int err = WidePath(to, wt); err != 0) {
            return err;
        }
        // The C runtime's rename refuses an existing target; this replaces it
        // and returns only when the change is on the disk.
        return ::MoveFileExW(wf.c_str(), wt.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? 0
                   : ReplaceError(wt);
    }

    int remove(const std::string& path) override {
        std::wstring w;
        if (const int err = WidePath(path, w); err != 0) {
            return err;
        }
        return ::DeleteFileW(w.c_str()) ? 0 : LastError();
    }

    // MOVEFILE_WRITE_THROUGH has put the folder's change on the disk already.
    int flushFolder(const std::string&) override { return 0; }
};

} // namespace

FileOps& SystemFileOps() {
    static WindowsFileOps ops;
    return ops;
}

long long CurrentProcessId() { return static_cast<long long>(::GetCurrentProcessId()); }

bool ProcessIsRunning(long long pid) {
    if (pid <= 0 || pid > 0xFFFFFFFFLL) {
        return false;
    }
    const HANDLE h =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (h == nullptr) {
        // Another user's process is there all the same.
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(h, &code) && code == STILL_ACTIVE;
    ::CloseHandle(h);
    return running;
}

} // namespace hk
