#pragma once

#include <string>
#include <string_view>

namespace kinetra {

// Play files are 8-bit Windows-1252 text; the program holds its strings as UTF-8.

/// Windows-1252 bytes for UTF-8 text: characters the code page lacks and invalid UTF-8
/// sequences become '?', one per character or per invalid byte.
std::string utf8ToCp1252(std::string_view utf8);

/// UTF-8 text for Windows-1252 bytes; the five bytes the code page leaves undefined
/// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 control characters of the same number,
/// so every byte string converts and converts back unchanged.
std::string cp1252ToUtf8(std::string_view bytes);

} // namespace kinetra
