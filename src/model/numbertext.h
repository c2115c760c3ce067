#pragma once

#include <cstdint>
#include <string_view>

namespace kinetra {

/// The value of the number text starts with, read the way the program reads typed numbers:
/// blanks, tabs and line ends anywhere are ignored, then an optional sign, digits with an
/// optional '.' fraction and an optional exponent (e, E, d or D). Reading stops at the first
/// character that does not fit; text that starts with no number gives 0. "2.5" gives 2.5,
/// "1e3" 1000, "12ab" 12, "ab" 0. An exponent too large for a double gives +/-infinity.
double leadingNumber(std::string_view text);

/// A count typed by the user: leadingNumber() rounded half to even to an integer; values
/// beyond the 32-bit range come back as the nearest 32-bit limit, so "1e99" still reads as
/// very many rather than failing.
int32_t countFromText(std::string_view text);

} // namespace kinetra
