#pragma once
// Lines of a CR LF file (the project file): read one, replace one, build one,
// grow the listing.

#include <initializer_list>
#include <string>
#include <string_view>

namespace hk::test {

// Where line n (1-based) of a CR LF file starts.
inline std::size_t LineStart(const std::string& file, int n) {
    std::size_t start = 0;
    for (int i = 1; i < n; ++i) {
        start = file.find("\r\n", start) + 2;
    }
    return start;
}

// Line n (1-based) without its CR LF.
inline std::string Line(const std::string& file, int n) {
    const std::size_t start = LineStart(file, n);
    return file.substr(start, file.find("\r\n", start) - start);
}

// The file with line n (1-based) replaced by text.
inline std::string WithLine(const std::string& file, int n, std::string_view text) {
    const std::size_t start = LineStart(file, n);
    return file.substr(0, start) + std::string(text) + file.substr(file.find("\r\n", start));
}

// The lines, each ended by CR LF.
inline std::string Crlf(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (auto l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

// A saved project file (its listing, then the closing CR LF) with line added
// to the listing until the file holds at least size bytes.
inline std::string WithListingGrown(std::string file, std::string_view line, std::size_t size) {
    file.erase(file.size() - 2);
    while (file.size() < size) {
        file += line;
    }
    return file + "\r\n";
}

} // namespace hk::test
