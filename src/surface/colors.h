#pragma once

#include <QColor>

#include <cstdint>

namespace kinetra {

/// The QColor of a stored colour value: 24-bit RGB with red in the low byte, green in the
/// second and blue in the third (16711680 is pure blue). The high byte is ignored.
QColor colorFromRgbInt(int32_t value);

/// The stored colour value of a QColor: red in the low byte, blue in the third; alpha dropped.
int32_t rgbIntFromColor(const QColor &color);

} // namespace kinetra
