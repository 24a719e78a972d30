#pragma once
// Conversion between the UTF-8 text the program holds and the single-byte
// Windows-1252 text its files store.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmar {

/// Converts UTF-8 to Windows-1252, one byte per character, keeping at most
/// `maxBytes` characters. A character with no Windows-1252 form and every
/// byte of a malformed UTF-8 sequence become '?'.
std::string Utf8ToCp1252(std::string_view utf8, std::size_t maxBytes = std::string::npos);

/// Converts Windows-1252 to UTF-8. The five bytes the code page leaves
/// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of
/// the same number, so that any byte string survives the way back.
std::string Cp1252ToUtf8(std::string_view bytes);

}  // namespace velmar
