#pragma once

#include <cstdint>

namespace kinetra {

/// Nearest 16-bit integer, halves to even (2.5 -> 2, 3.5 -> 4); throws Overflow (6) outside
/// -32768..32767 or for a value that is not a number.
int16_t toInt16(double value);

/// Whether toInt16 takes value without an Overflow: -32768.5 <= value < 32767.5.
bool fitsInt16(double value);

/// Nearest 32-bit integer, halves to even; throws Overflow (6) outside the 32-bit range.
int32_t toInt32(double value);

} // namespace kinetra
