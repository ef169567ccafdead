#include "text.h"

#include <array>

namespace hk {
namespace {

// Characters of Windows-1252 bytes 0x80..0x9F. 0 marks the five undefined
// bytes, which are carried as the control character of the same number.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The byte for c, or -1.
int Cp1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<int>(c);
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == 0 && c == 0x80 + i) {
            return static_cast<int>(c);
        }
        if (kHigh[i] != 0 && kHigh[i] == c) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

} // namespace

char32_t DecodeUtf8(std::string_view s, std::size_t& pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    std::size_t len = 0;
    char32_t c = 0;
    if (b0 < 0x80) {
        ++pos;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        c = b0 & 0x07;
    } else {
        ++pos;
        return BrokenByte(b0);
    }
    if (pos + len > s.size()) {
        ++pos;
        return BrokenByte(b0);
    }
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[pos + k]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return BrokenByte(b0);
        }
        c = (c << 6) | (b & 0x3F);
    }
    const bool overlong =
        (len == 2 && c < 0x80) || (len == 3 && c < 0x800) || (len == 4 && c < 0x10000);
    if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return BrokenByte(b0);
    }
    pos += len;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::size_t CharCount(std::string_view utf8) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++n) {
        DecodeUtf8(utf8, pos);
    }
    return n;
}

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

bool IsCp1252Char(char32_t c) { return Cp1252Byte(c) >= 0; }

bool IsCp1252Text(std::string_view utf8) { return Utf8ToCp1252(utf8).ok(); }

Result<std::string> Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = DecodeUtf8(utf8, pos);
        const int b = IsBrokenByte(c) ? -1 : Cp1252Byte(c);
        if (b < 0) {
            return Problem{"Der Text enthält ein Zeichen, das Windows-1252 nicht kennt."};
        }
        out += static_cast<char>(b);
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        char32_t c = b;
        if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) {
            c = kHigh[b - 0x80];
        }
        AppendUtf8(out, c);
    }
    return out;
}

bool IsMultiByteUtf8(std::string_view bytes) {
    bool multi = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t at = pos;
        if (DecodeUtf8(bytes, pos) > 0x10FFFF) {
            return false;
        }
        multi = multi || pos - at > 1;
    }
    return multi;
}

OneLineText ForOneLineBox(std::string_view utf8) {
    OneLineText out;
    out.text.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t at = pos;
        const char32_t c = DecodeUtf8(utf8, pos);
        if (c == '\r' && pos < utf8.size() && utf8[pos] == '\n') {
            ++pos; // CR LF is one line break
        }
        if (c == '\r' || c == '\n' || c == '\t') {
            out.text += ' ';
        } else if (c <= 0x10FFFF && IsCp1252Char(c)) {
            out.text.append(utf8.substr(at, pos - at));
        } else if (c <= 0x10FFFF) {
            const std::string_view ch = utf8.substr(at, pos - at);
            if (out.leftOut.find(ch) == std::string::npos) {
                out.leftOut.append(ch);
            }
        }
    }
    return out;
}

} // namespace hk
