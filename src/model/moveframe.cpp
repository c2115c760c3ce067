// Move, flip and mirror: one reflect-and-offset formula applied to the selected groups.
#include "model/playconfig.h"

#include <cmath>

namespace kinetra {

namespace {

struct Transform
{
    float xInc, yInc, width, height;

    float x(float value) const { return std::fabs(width - value + xInc); }
    float y(float value) const { return std::fabs(height - value + yInc); }
};

bool onSurface(float x, float y)
{
    return x > 0 || y > 0;
}

template <size_t N>
void movePoints(std::array<float, N> &xs, std::array<float, N> &ys, const Transform &t)
{
    for (size_t i = 0; i < N; ++i) {
        if (!onSurface(xs[i], ys[i]))
            continue;
        xs[i] = t.x(xs[i]);
        ys[i] = t.y(ys[i]);
    }
}

} // namespace

void PlayConfig::MoveFrame(int16_t Xinc, int16_t Yinc, int16_t xWIDTH, int16_t yHEIGHT,
                           int16_t IPly, int16_t ISym, int16_t IAct, int16_t ITxt)
{
    const Transform t{float(Xinc), float(Yinc), float(xWIDTH), float(yHEIGHT)};
    if (IPly == 1) {
        movePoints(OPlayerX, OPlayerY, t);
        movePoints(DPlayerX, DPlayerY, t);
    }
    if (ISym == 1)
        movePoints(SYMBOLX, SYMBOLY, t);
    if (ITxt == 1)
        movePoints(TxtSYMBOLX, TxtSYMBOLY, t);
    if (IAct == 1) {
        for (size_t k = 0; k < ActionSX.size(); ++k) {
            if (!onSurface(ActionSX[k], ActionSY[k]))
                continue;
            ActionSX[k] = t.x(ActionSX[k]);
            ActionSY[k] = t.y(ActionSY[k]);
            ActionEX[k] = t.x(ActionEX[k]);
            ActionEY[k] = t.y(ActionEY[k]);
        }
    }
}

} // namespace kinetra
