// Move, flip and mirror: one reflect-and-offset formula applied to the selected groups.
#include "model/playconfig.h"
#include "model/rounding.h"

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
bool pointsFit(const std::array<float, N> &xs, const std::array<float, N> &ys,
               const Transform &t)
{
    for (size_t i = 0; i < N; ++i)
        if (onSurface(xs[i], ys[i]) && !(fitsInt16(t.x(xs[i])) && fitsInt16(t.y(ys[i]))))
            return false;
    return true;
}

// An action line is tested at its start and moved at both ends.
template <size_t N>
bool linesFit(const std::array<float, N> &sx, const std::array<float, N> &sy,
              const std::array<float, N> &ex, const std::array<float, N> &ey, const Transform &t)
{
    for (size_t k = 0; k < N; ++k)
        if (onSurface(sx[k], sy[k])
            && !(fitsInt16(t.x(sx[k])) && fitsInt16(t.y(sy[k])) && fitsInt16(t.x(ex[k]))
                 && fitsInt16(t.y(ey[k]))))
            return false;
    return true;
}

// The bends of a first line go with it; a further line is tested at its start like the first.
bool pathsFit(const PlayConfig &frame, const Transform &t)
{
    auto fits = [&t](LinePoint p) { return fitsInt16(t.x(p.x)) && fitsInt16(t.y(p.y)); };
    for (const ActionPath &path : frame.ActionPaths) {
        const size_t k = size_t(path.id.kind);
        const bool moves = path.id.slot == 0
                               ? onSurface(frame.ActionSX[k], frame.ActionSY[k])
                               : onSurface(path.start.x, path.start.y);
        if (!moves)
            continue;
        if (path.id.slot > 0 && !(fits(path.start) && fits(path.end)))
            return false;
        for (LinePoint bend : path.bends)
            if (!fits(bend))
                return false;
    }
    return true;
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

bool PlayConfig::MoveFrame(int16_t Xinc, int16_t Yinc, int16_t xWIDTH, int16_t yHEIGHT,
                           int16_t IPly, int16_t ISym, int16_t IAct, int16_t ITxt)
{
    const Transform t{float(Xinc), float(Yinc), float(xWIDTH), float(yHEIGHT)};
    // Everything is checked before anything moves, so a refused move leaves the frame whole.
    const bool fits =
        (IPly != 1 || (pointsFit(OPlayerX, OPlayerY, t) && pointsFit(DPlayerX, DPlayerY, t)))
        && (ISym != 1 || pointsFit(SYMBOLX, SYMBOLY, t))
        && (ITxt != 1 || pointsFit(TxtSYMBOLX, TxtSYMBOLY, t))
        && (IAct != 1
            || (linesFit(ActionSX, ActionSY, ActionEX, ActionEY, t) && pathsFit(*this, t)));
    if (!fits)
        return false;

    if (IPly == 1) {
        movePoints(OPlayerX, OPlayerY, t);
        movePoints(DPlayerX, DPlayerY, t);
    }
    if (ISym == 1)
        movePoints(SYMBOLX, SYMBOLY, t);
    if (ITxt == 1)
        movePoints(TxtSYMBOLX, TxtSYMBOLY, t);
    if (IAct == 1) {
        auto move = [&t](LinePoint &p) { p = {t.x(p.x), t.y(p.y)}; };
        for (ActionPath &path : ActionPaths) {
            const size_t k = size_t(path.id.kind);
            const bool moves = path.id.slot == 0 ? onSurface(ActionSX[k], ActionSY[k])
                                                 : onSurface(path.start.x, path.start.y);
            if (!moves)
                continue;
            if (path.id.slot > 0) {
                move(path.start);
                move(path.end);
            }
            for (LinePoint &bend : path.bends)
                move(bend);
        }
        for (size_t k = 0; k < ActionSX.size(); ++k) {
            if (!onSurface(ActionSX[k], ActionSY[k]))
                continue;
            ActionSX[k] = t.x(ActionSX[k]);
            ActionSY[k] = t.y(ActionSY[k]);
            ActionEX[k] = t.x(ActionEX[k]);
            ActionEY[k] = t.y(ActionEY[k]);
        }
        for (int kind = 0; kind < kActionCount; ++kind)
            settleFirstLine(kind);
    }
    return true;
}

} // namespace kinetra
