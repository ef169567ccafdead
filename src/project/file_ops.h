#pragma once
// The file system as the project file sees it: a few plain operations, each
// answering 0 or an errno value, so that tests can make any one of them fail.
// On top of them, reading a whole file and replacing a file safely.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace hk {

struct PathInfo {
    bool exists = false;
    bool isDirectory = false;
    bool isRegular = false;
    bool readOnly = false; // no write permission for its owner: the user protected it
    unsigned mode = 0;     // permission bits, kept when the file is replaced
    std::string realPath;  // the file itself when the name is a link; empty when missing
};

class FileOps {
public:
    virtual ~FileOps() = default;
    // A name that does not exist is no error: info.exists is false.
    virtual int inspect(const std::string& path, PathInfo& info) = 0;
    // Reads at most limit + 1 bytes; the file is closed again before it returns.
    virtual int readAll(const std::string& path, std::size_t limit, std::string& bytes) = 0;
    // Creates a file that must not exist yet, for writing.
    virtual int createNew(const std::string& path, unsigned mode, int& handle) = 0;
    // May write only part of bytes; written says how much.
    virtual int write(int handle, std::string_view bytes, std::size_t& written) = 0;
    virtual int flush(int handle) = 0; // to the disk, not only to the cache
    virtual int close(int handle) = 0;
    virtual int rename(const std::string& from, const std::string& to) = 0;
    virtual int remove(const std::string& path) = 0;
    virtual int flushFolder(const std::string& folder) = 0;
};

// The machine's own file system.
FileOps& SystemFileOps();

// A project file is some kilobytes; anything beyond this is no project file.
inline constexpr std::size_t kMaxProjectFileBytes = 16u * 1024u * 1024u;

// Reads the whole file into bytes. On failure the German reason, e.g.
// "Die Datei ist nicht vorhanden", and bytes is unspecified.
std::optional<std::string> ReadWholeFile(FileOps& files, const std::string& path, std::size_t limit,
                                         std::string& bytes);

// Writes bytes to a temporary file beside path, flushes it to the disk and only
// then renames it over path. On failure the German reason; an existing file
// of that name is then as it was and no temporary file is left behind.
std::optional<std::string> ReplaceFileSafely(FileOps& files, const std::string& path,
                                             std::string_view bytes);

} // namespace hk
