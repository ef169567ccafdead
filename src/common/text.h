#pragma once
// Text helpers. Internal text is UTF-8; widths and columns count characters
// (code points), never bytes. The project file is Windows-1252 on disk.

#include "common/result.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace hk {

inline constexpr std::string_view kCrLf = "\r\n";

// Number of characters (code points) in UTF-8 text. Bytes that do not form
// valid UTF-8 count as one character each.
std::size_t CharCount(std::string_view utf8);

// A text of n blanks.
std::string Blanks(std::size_t n);

// True when Windows-1252 can hold the character.
bool IsCp1252Char(char32_t c);

// True when every character of the UTF-8 text can be held in Windows-1252.
bool IsCp1252Text(std::string_view utf8);

// UTF-8 to Windows-1252 bytes; a Problem when a character has no byte there
// or the UTF-8 is broken.
Result<std::string> Utf8ToCp1252(std::string_view utf8);

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same
// number, so every byte survives a round trip.
std::string Cp1252ToUtf8(std::string_view bytes);

// What DecodeUtf8 gives for a byte that does not start a valid sequence:
// kBrokenByte with the byte in the low eight bits. It lies above U+10FFFF, so
// no character is ever mistaken for it.
inline constexpr char32_t kBrokenByte = 0xFFFD00;

// The mark of the broken byte b.
constexpr char32_t BrokenByte(unsigned char b) { return kBrokenByte | b; }

// True when c is such a mark rather than a character.
constexpr bool IsBrokenByte(char32_t c) { return (c & ~char32_t{0xFF}) == kBrokenByte; }

// Decodes one code point at pos and advances pos past it. A byte that does
// not start a valid sequence (stray continuation byte, cut, overlong or
// surrogate sequence, beyond U+10FFFF) gives BrokenByte(byte) and advances
// by one.
char32_t DecodeUtf8(std::string_view s, std::size_t& pos);

// Appends the UTF-8 form of c.
void AppendUtf8(std::string& out, char32_t c);

// True when bytes are valid UTF-8 and hold at least one character of two or
// more bytes: text that another editor saved as UTF-8. Windows-1252 text with
// umlauts is practically never such a sequence.
bool IsMultiByteUtf8(std::string_view bytes);

// The UTF-8 byte order mark some editors put at the start of a file.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// What a one-line text box keeps of a typed or pasted text: each line break
// (CR LF, a lone CR or LF) and each tab becomes one blank, and characters
// that Windows-1252 cannot hold are left out and listed, each once.
struct OneLineText {
    std::string text;    // UTF-8
    std::string leftOut; // UTF-8, the characters left out in their order
};
OneLineText ForOneLineBox(std::string_view utf8);

} // namespace hk
