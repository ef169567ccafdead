#pragma once
// The file system as the project file sees it: a few plain operations, each
// answering 0 or an errno value, so that tests can make any one of them fail.
// On top of them, reading a whole file and replacing a file safely.
// The operations of the machine itself live in one platform file each for
// POSIX systems and for Windows; nothing else calls the system directly.

#include "common/result.h"
#include <cerrno>
#include <cstddef>

#include <filesystem>
#include <string>
#include <string_view>

namespace hk {

// A disk quota that is used up; Windows has no errno value of its own for it
// and reports a full disk instead.
#ifdef EDQUOT
inline constexpr int kErrQuota = EDQUOT;
#else
inline constexpr int kErrQuota = ENOSPC;
#endif

struct PathInfo {
    bool exists = false;
    bool isDirectory = false;
    bool isRegular = false;
    // The user may not write the file: no write permission for its owner (the
    // user protected it), or the system says this user may not write it.
    bool readOnly = false;
    unsigned mode = 0;    // permission bits, kept when the file is replaced
    long long owner = -1; // owner and group, kept where the system permits;
    long long group = -1; // -1 where the system has none
    std::string realPath; // the file itself when the name is a link; empty when missing
};

class FileOps {
public:
    virtual ~FileOps() = default;
    // A name that does not exist is no error: info.exists is false.
    virtual int inspect(const std::string& path, PathInfo& info) = 0;
    // Reads at most limit + 1 bytes; the file is closed again before it returns.
    virtual int readAll(const std::string& path, std::size_t limit, std::string& bytes) = 0;
    // Creates a file without a name in folder, for writing; link() names it.
    // A system or file system without such files answers kErrNoUnnamed.
    virtual int createUnnamed(const std::string& folder, unsigned mode, int& handle) = 0;
    // Creates a file that must not exist yet, for writing.
    virtual int createNew(const std::string& path, unsigned mode, int& handle) = 0;
    // Gives the new file the permission bits and, where permitted, the owner
    // of the file it is to replace.
    virtual int adopt(int handle, const PathInfo& replaced) = 0;
    // Gives a file made by createUnnamed the name path, which must not exist.
    virtual int link(int handle, const std::string& path) = 0;
    // May write only part of bytes; written says how much.
    virtual int write(int handle, std::string_view bytes, std::size_t& written) = 0;
    virtual int flush(int handle) = 0; // to the disk, not only to the cache
    virtual int close(int handle) = 0;
    // Replaces an existing file of the name to.
    virtual int rename(const std::string& from, const std::string& to) = 0;
    virtual int remove(const std::string& path) = 0;
    virtual int flushFolder(const std::string& folder) = 0;
};

// createUnnamed's answer where the system has no files without a name.
inline constexpr int kErrNoUnnamed = ENOSYS;

// The machine's own file system.
FileOps& SystemFileOps();

// The number of this process, and whether a process of that number runs;
// they tell a temporary file of a save that was killed from one in progress.
long long CurrentProcessId();
bool ProcessIsRunning(long long pid);

// A project file is some kilobytes; anything beyond this is no project file.
inline constexpr std::size_t kMaxProjectFileBytes = 16u * 1024u * 1024u;

// The whole file's bytes. On failure the German reason, e.g.
// "Die Datei ist nicht vorhanden".
Result<std::string> ReadWholeFile(FileOps& files, const std::string& path, std::size_t limit);

// Writes bytes to a temporary file beside path, flushes it to the disk and only
// then renames it over path. On failure the German reason; an existing file
// of that name is then as it was and no temporary file is left behind. The
// new file keeps the permission bits and (where permitted) the owner of the
// one it replaces; a hard link to the old file keeps the old contents.
// Temporary files that killed saves left in the folder are removed.
Result<void> ReplaceFileSafely(FileOps& files, const std::string& path, std::string_view bytes);

// Why writing, renaming or removing failed with err, in German ("Der
// Datenträger ist voll").
Problem SaveReason(int err);

// Names inside the program are UTF-8; std::filesystem converts them to what
// the system takes (UTF-16 on Windows) and back.
std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

// The folder of a path, "." for a bare name; for a file in the root folder
// the root itself ("/" or "C:\").
std::string FolderOf(const std::string& path);

} // namespace hk
