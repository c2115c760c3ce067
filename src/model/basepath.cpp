#include "model/basepath.h"

namespace kinetra {

// Lines are drawn straight until the base-path router is built.
std::vector<LinePoint> basePathBends(LinePoint, LinePoint, const std::array<LinePoint, 4> &, float)
{
    return {};
}

} // namespace kinetra
