#include "surface/colors.h"

namespace kinetra {

QColor colorFromRgbInt(int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

int32_t rgbIntFromColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return int32_t(uint32_t(rgb.red()) | uint32_t(rgb.green()) << 8 | uint32_t(rgb.blue()) << 16);
}

} // namespace kinetra
