#include "surface/framerenderer.h"

#include "model/failurereport.h"
#include "model/linecurve.h"
#include "model/markeredge.h"
#include "model/playconfig.h"
#include "model/rounding.h"
#include "model/runtimeerror.h"
#include "surface/framelooks.h"
#include "surface/picturecompanions.h"
#include "surface/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

namespace kinetra {

namespace {

// Raised when the surface cannot draw an arrowhead.
constexpr int kInvalidProcedureCall = 5;

// How far beyond his marker a line may start and still be the focused player's.
constexpr double kFocusSlack = 4;
// The focus ring: a black ring this wide on a white one two pixels wider, this far outside
// the marker, so that it stands out on any field, in colour and in black and white.
constexpr int kRingWidth = 3;
constexpr int kRingGap = 5;

// Where a symbol's picture is composited: its top-left pixel at (X, Y), cut to the size of
// box 4's picture and to the surface. Without a picture in box 4 its size would hide every
// symbol: each then keeps its own.
QRect symbolArea(int16_t X, int16_t Y, const QImage &symbol, const FrameLooks &looks,
                 QSize surface)
{
    int boxWidth = looks.symbols[4].width();
    int boxHeight = looks.symbols[4].height();
    if (boxWidth < 1 || boxHeight < 1)
        boxWidth = boxHeight = std::numeric_limits<int>::max();
    return QRect(X, Y, std::min({boxWidth, symbol.width(), surface.width() - X}),
                 std::min({boxHeight, symbol.height(), surface.height() - Y}));
}

// How far an end marker reaches from the line's end: a slanting arrowhead's tip five pixels
// along and five across, a level or upright one's corners seven.
const float kHeadReach = 5 * std::sqrt(2.0f);
// Air between a line and a marker it stops at: a pixel, and the rounding to whole pixels.
constexpr float kAir = 1.5f;
// A short move's arrow beside the marker: its shaft, and the arrowhead beyond it.
constexpr float kShortShaft = 14;
constexpr float kHeadLength = 7;

// The marker drawn last, so on top, of those holding p.
const MarkerOutline *topmostAt(const std::vector<MarkerOutline> &markers, LinePoint p)
{
    for (auto m = markers.rbegin(); m != markers.rend(); ++m) {
        if (m->contains(p))
            return &*m;
    }
    return nullptr;
}

QPoint rounded(LinePoint p)
{
    return QPoint(int(std::lround(p.x)), int(std::lround(p.y)));
}

QPainterPath pathOf(const std::vector<CurvePiece> &pieces)
{
    QPainterPath path(QPointF(pieces.front().from.x, pieces.front().from.y));
    for (const CurvePiece &piece : pieces)
        path.cubicTo(piece.c1.x, piece.c1.y, piece.c2.x, piece.c2.y, piece.to.x, piece.to.y);
    return path;
}

// The curve's heading at its end, long enough that rounding it to whole pixels keeps its way.
LinePoint towardEnd(const CurvePiece &last)
{
    const LinePoint heading = endDirection(last);
    const float length = std::hypot(heading.x, heading.y);
    return length > 0 ? LinePoint{heading.x * 100 / length, heading.y * 100 / length} : heading;
}

// The end marker heading that way, as points from the line's end: an arrowhead's three
// corners, a cross bar's two ends.
std::vector<LinePoint> endFigure(LinePoint heading, int16_t endType)
{
    constexpr int16_t kAt = 1000;
    int16_t SX = toInt16(kAt - std::lround(heading.x));
    int16_t SY = toInt16(kAt - std::lround(heading.y));
    int16_t EX = kAt;
    int16_t EY = kAt;
    FrameRenderer::DrawAction(SX, SY, EX, EY);
    std::vector<LinePoint> figure;
    for (size_t i = 0; i < 3; ++i) {
        if (endType == 0 || i != 1) {
            const QPoint p = FrameRenderer::EndMarkerPoints[i];
            figure.push_back({float(p.x() - kAt), float(p.y() - kAt)});
        }
    }
    return figure;
}

// Sets the end marker at `end`, heading the way of `heading`.
void aimEndMarker(QPoint end, LinePoint heading)
{
    int16_t SX = toInt16(end.x() - std::lround(heading.x));
    int16_t SY = toInt16(end.y() - std::lround(heading.y));
    int16_t EX = toInt16(end.x());
    int16_t EY = toInt16(end.y());
    FrameRenderer::DrawAction(SX, SY, EX, EY);
}

// The focus ring's radius around the focused player's centre.
int focusRingRadius(const FrameLooks &looks, int side)
{
    return int(std::ceil(markerReach(looks.PlayerShape[size_t(side)],
                                     looks.PlayerSize[size_t(side)])))
           + kRingGap + kRingWidth / 2;
}

} // namespace

std::array<QPoint, 3> FrameRenderer::EndMarkerPoints;

void FrameRenderer::Draw(const PlayConfig &frame, Surface &pic, const FrameLooks &looks)
{
    if (looks.drawingSuppressed && *looks.drawingSuppressed)
        return;
    const QColor foreColor = pic.foreColor();
    const QColor fillColor = pic.fillColor();
    try {
        const Focus focus = focusOf(frame, looks);
        drawSymbols(frame, pic, looks);
        drawTextLabels(frame, pic);
        drawActionLines(frame, pic, looks, focus);
        pic.setDashPattern({});
        pic.setLineWidth(looks.markerOutline);
        pic.setLineStyle(0);
        drawPlayers(frame, pic, looks, 0, focus, false);
        drawPlayers(frame, pic, looks, 1, focus, false);
        if (focus.on) {
            // Over the players around him, so that none of them hides any of him.
            drawPlayers(frame, pic, looks, focus.side, focus, true);
            drawFocusRing(pic, looks, focus);
        }
        pic.setLineWidth(1);
        pic.setForeColor(foreColor);
        pic.setFillColor(fillColor);
    } catch (...) {
        // The text labels of the next frame must not come out in a player's or a line's colour,
        // nor the rubber band and chalk in a failed action line's width and dashes.
        pic.setForeColor(foreColor);
        pic.setFillColor(fillColor);
        pic.setLineWidth(1);
        pic.setLineStyle(0);
        pic.setDashPattern({});
        reportFailure("Drawing Play");
    }
}

QColor FrameRenderer::faded(const QColor &color)
{
    auto fade = [](int c) { return int(std::lround(255 * 0.65 + c * 0.35)); };
    return QColor(fade(color.red()), fade(color.green()), fade(color.blue()));
}

FrameRenderer::Focus FrameRenderer::focusOf(const PlayConfig &frame, const FrameLooks &looks)
{
    Focus focus;
    if (looks.focusPlayer < 0 || looks.focusPlayer >= 2 * kPlayersPerSide)
        return focus;
    focus.on = true;
    focus.side = looks.focusPlayer < kPlayersPerSide ? 0 : 1;
    focus.index = looks.focusPlayer % kPlayersPerSide;
    const auto &xs = focus.side == 0 ? frame.OPlayerX : frame.DPlayerX;
    const auto &ys = focus.side == 0 ? frame.OPlayerY : frame.DPlayerY;
    const int16_t X = toInt16(xs[size_t(focus.index)]);
    if (X > 0) {
        focus.shown = true;
        focus.at = QPoint(X, toInt16(ys[size_t(focus.index)]));
    }
    return focus;
}

bool FrameRenderer::startsAt(const Focus &focus, const FrameLooks &looks, QPoint start)
{
    if (!focus.shown)
        return false;
    const int16_t shape = looks.PlayerShape[size_t(focus.side)];
    const int size = looks.PlayerSize[size_t(focus.side)];
    const double dx = std::abs(start.x() - focus.at.x());
    const double dy = std::abs(start.y() - focus.at.y());
    // A square's edge, a circle's rim (or a marker not drawn: the rim it would have).
    if (shape == 1)
        return std::max(dx, dy) <= size + kFocusSlack;
    return std::hypot(dx, dy) <= markerReach(shape, size) + kFocusSlack;
}

void FrameRenderer::drawSymbols(const PlayConfig &frame, Surface &pic, const FrameLooks &looks)
{
    QImage *target = nullptr;
    for (int k = 0; k < kSymbolCount; ++k) {
        const int16_t X = toInt16(frame.SYMBOLX[k]);
        if (X <= 0)
            continue;
        const int16_t Y = toInt16(frame.SYMBOLY[k]);
        if (!target)
            target = &pic.pixels();
        QImage symbol = looks.symbols[k];
        if (symbol.format() != QImage::Format_RGB32 && symbol.format() != QImage::Format_ARGB32)
            symbol = symbol.convertToFormat(QImage::Format_ARGB32);
        // A picture smaller than box 4's is see-through beyond its own edges; a larger one is
        // cut to box 4's size.
        const QRect area = symbolArea(X, Y, symbol, looks, target->size());
        // Stored y may be negative (drops clamp only x): rows above the surface are cut off.
        for (int r = std::max(0, -int(Y)); r < area.height(); ++r) {
            const auto *source = reinterpret_cast<const QRgb *>(symbol.constScanLine(r));
            auto *dest = reinterpret_cast<QRgb *>(target->scanLine(Y + r));
            for (int c = 0; c < area.width(); ++c) {
                if (!seeThrough(source[c]))
                    dest[X + c] = source[c] | 0xFF000000u;
            }
        }
        pic.notePicture(area, looks.symbols[k], looks.symbolCompanions[k]);
    }
    if (target)
        pic.markChanged();
}

void FrameRenderer::drawTextLabels(const PlayConfig &frame, Surface &pic)
{
    for (int k = 0; k < kTextLabelCount; ++k) {
        if (frame.TxtSYMBOLX[k] > 0) {
            pic.setTextPosition(QPointF(frame.TxtSYMBOLX[k], frame.TxtSYMBOLY[k]));
            pic.print(QString::fromStdString(frame.TxtValue[k]));
        }
    }
}

void FrameRenderer::drawActionLines(const PlayConfig &frame, Surface &pic,
                                    const FrameLooks &looks, const Focus &focus)
{
    const std::vector<MarkerOutline> markers = markerOutlines(frame, looks, focus);
    for (const ActionLine &line : frame.actionLines()) {
        const size_t k = size_t(line.id.kind);
        int16_t SX = toInt16(line.start.x);
        int16_t EX = toInt16(line.end.x);
        if (SX <= 0 || EX <= 0)
            continue;
        int16_t SY = toInt16(line.start.y);
        int16_t EY = toInt16(line.end.y);
        const QColor color = focus.on && !startsAt(focus, looks, QPoint(SX, SY))
                                 ? faded(looks.ActionColor[k])
                                 : looks.ActionColor[k];
        pic.setLineWidth(looks.ActionSize[k]);
        pic.setLineStyle(looks.ActionType[k] - 1);
        pic.setDashPattern(looks.actionDashes[k]);
        // A short move beside a marker points the way the points go, before any squaring.
        const LinePoint move{float(EX - SX), float(EY - SY)};
        // Drawn through the whole pixels the points fall on. Nearly upright or level straight
        // lines are drawn exactly so; the frame keeps its points. A bend point on the one
        // before it or on the end is left out: the curve would make a small loop around it.
        if (line.bends.empty()) {
            if (std::abs(SX - EX) < 5)
                EX = SX;
            if (std::abs(SY - EY) < 5)
                EY = SY;
        }
        ActionLine drawn{line.id, {float(SX), float(SY)}, {float(EX), float(EY)}, {}};
        drawn.bends.reserve(line.bends.size());
        int16_t BX = SX;
        int16_t BY = SY;
        for (const LinePoint &bend : line.bends) {
            const int16_t x = toInt16(bend.x);
            const int16_t y = toInt16(bend.y);
            if ((x == BX && y == BY) || (x == EX && y == EY))
                continue;
            drawn.bends.push_back({float(x), float(y)});
            BX = x;
            BY = y;
        }
        const MarkerOutline *atStart = topmostAt(markers, drawn.start);
        const MarkerOutline *atEnd = topmostAt(markers, drawn.end);
        if (atStart || atEnd) {
            drawBesideMarkers(pic, drawn, move, atStart, atEnd, looks.ActionEndType[k], color);
        } else if (line.bends.empty()) {
            pic.line(SX, SY, EX, EY, color);
            DrawAction(SX, SY, EX, EY);
        } else {
            // The curve arrives from the last bend point (or the start), so the end marker
            // points that way.
            pic.path(curvePath(drawn), color);
            DrawAction(BX, BY, EX, EY);
        }
        pic.setFillColor(color);
        pic.setForeColor(color);
        switch (looks.ActionEndType[k]) {
        case 0:
            if (!pic.polygon(EndMarkerPoints))
                throw RuntimeError(kInvalidProcedureCall);
            break;
        case 1:
            pic.line(EndMarkerPoints[0].x(), EndMarkerPoints[0].y(), EndMarkerPoints[2].x(),
                     EndMarkerPoints[2].y());
            break;
        default:
            break;
        }
    }
}

void FrameRenderer::drawBesideMarkers(Surface &pic, const ActionLine &line, LinePoint move,
                                      const MarkerOutline *atStart, const MarkerOutline *atEnd,
                                      int16_t endType, const QColor &color)
{
    // The players are drawn over the lines: a line, and its end marker, stop short of a marker
    // by their own half width and a pixel of air.
    const float margin = float(std::max(1, pic.lineWidth())) / 2 + kAir;
    const MarkerOutline &own = atStart ? *atStart : *atEnd;
    const std::vector<CurvePiece> pieces = curvePieces(line);
    std::vector<CurvePiece> shown;
    LinePoint heading = move;
    // A bent line may leave a marker and come back to it; a straight one that short cannot
    // get out from under it.
    if (!line.bends.empty() || std::hypot(move.x, move.y) > own.reach()) {
        std::optional<MarkerOutline> from;
        std::optional<MarkerOutline> to;
        if (atStart)
            from = atStart->grown(margin);
        if (atEnd)
            to = atEnd->grown(margin);
        shown = curveOutside(pieces, from, to);
        if (!shown.empty()) {
            heading = line.bends.empty() ? LinePoint{line.end.x - line.start.x,
                                                     line.end.y - line.start.y}
                                         : towardEnd(shown.back());
            // Then back until the end marker, turned that way, is clear of the marker too.
            if (to && (endType == 0 || endType == 1))
                shown = curveOutside(pieces, from, to, endFigure(heading, endType));
        }
    }
    QPoint end;
    if (shown.empty()) {
        heading = move;
        const ShortArrow arrow =
            shortArrow(own, line.start, {line.start.x + move.x, line.start.y + move.y},
                       kHeadReach + margin, kShortShaft, kHeadLength);
        const QPoint start = rounded(arrow.from);
        end = rounded(arrow.to);
        pic.line(start.x(), start.y(), end.x(), end.y(), color);
    } else if (line.bends.empty()) {
        const QPoint start = rounded(shown.front().from);
        end = rounded(shown.back().to);
        pic.line(start.x(), start.y(), end.x(), end.y(), color);
    } else {
        pic.path(pathOf(shown), color);
        end = rounded(shown.back().to);
    }
    aimEndMarker(end, heading);
}

QPainterPath FrameRenderer::curvePath(const ActionLine &line)
{
    QPainterPath path(QPointF(line.start.x, line.start.y));
    for (const CurvePiece &piece : curvePieces(line)) {
        if (line.bends.empty())
            path.lineTo(piece.to.x, piece.to.y);
        else
            path.cubicTo(piece.c1.x, piece.c1.y, piece.c2.x, piece.c2.y, piece.to.x, piece.to.y);
    }
    return path;
}

void FrameRenderer::drawPlayers(const PlayConfig &frame, Surface &pic, const FrameLooks &looks,
                                int side, const Focus &focus, bool focusedOnly)
{
    const auto &xs = side == 0 ? frame.OPlayerX : frame.DPlayerX;
    const auto &ys = side == 0 ? frame.OPlayerY : frame.DPlayerY;
    const auto &hidden = side == 0 ? looks.hideOffense : looks.hideDefense;
    const auto &labels = side == 0 ? looks.OPLabel : looks.DPLabel;
    const int16_t shape = looks.PlayerShape[side];
    // Labels are placed as if they were two digits wide and one line high.
    const int16_t tw = toInt16(pic.textWidth("11") / 2.0);
    const int16_t th = toInt16(pic.textHeight("11") / 2.0);

    for (int i = 0; i < kPlayersPerSide; ++i) {
        const bool focused = focus.on && focus.side == side && focus.index == i;
        if (hidden[i] || focused != focusedOnly)
            continue;
        const int16_t X = toInt16(xs[i]);
        if (X <= 0)
            continue;
        const int16_t Y = toInt16(ys[i]);
        const int r = looks.PlayerSize[side];
        const bool dim = focus.on && !focused;
        const QColor border = dim ? faded(looks.PlayerBcolr[side]) : looks.PlayerBcolr[side];
        pic.setFillColor(dim ? faded(looks.PlayerFcolr[side]) : looks.PlayerFcolr[side]);
        pic.setForeColor(dim ? faded(looks.PlayerTcolr[side]) : looks.PlayerTcolr[side]);
        const bool active = frame.ActivePlyr == (side == 0 ? i : 10 + i);
        if (shape == 1) {
            const int left = X - r;
            const int top = Y - r;
            pic.fillBox(left, top, left + 2 * r, top + 2 * r, pic.fillColor());
            pic.box(left, top, left + 2 * r, top + 2 * r, border);
            // A label taller than the square starts at its top edge.
            pic.setTextPosition(QPointF(left, th > r ? top : top + r / 2.0));
            pic.print(labels[i]);
            if (active) {
                pic.line(left, top, left + 2 * r, top + 2 * r, border);
                pic.line(left + 2 * r, top, left, top + 2 * r, border);
            }
        } else if (shape == 3) {
            pic.circle(X, Y, r, border);
            pic.setTextPosition(QPointF(X - tw, Y - th));
            pic.print(labels[i]);
            if (active) {
                pic.line(X - r, Y - r, X + r, Y + r, border);
                pic.line(X - r, Y + r, X + r, Y - r, border);
            }
        }
    }
}

void FrameRenderer::drawFocusRing(Surface &pic, const FrameLooks &looks, const Focus &focus)
{
    if (!focus.shown)
        return;
    const int16_t shape = looks.PlayerShape[size_t(focus.side)];
    const bool hidden = focus.side == 0 ? looks.hideOffense[size_t(focus.index)]
                                        : looks.hideDefense[size_t(focus.index)];
    if (hidden || (shape != 1 && shape != 3))
        return;
    const int radius = focusRingRadius(looks, focus.side);
    // An outline only: the see-through fill leaves the player inside the ring as drawn.
    pic.setFillColor(Qt::transparent);
    pic.setLineWidth(kRingWidth + 2);
    pic.circle(focus.at.x(), focus.at.y(), radius, Qt::white);
    pic.setLineWidth(kRingWidth);
    pic.circle(focus.at.x(), focus.at.y(), radius, Qt::black);
    pic.setLineWidth(1);
}

std::vector<MarkerOutline> FrameRenderer::markerOutlines(const PlayConfig &frame,
                                                         const FrameLooks &looks,
                                                         const Focus &focus)
{
    std::vector<MarkerOutline> outlines;
    std::optional<MarkerOutline> ring;
    for (int side = 0; side < 2; ++side) {
        const auto &xs = side == 0 ? frame.OPlayerX : frame.DPlayerX;
        const auto &ys = side == 0 ? frame.OPlayerY : frame.DPlayerY;
        const auto &hidden = side == 0 ? looks.hideOffense : looks.hideDefense;
        const int16_t shape = looks.PlayerShape[size_t(side)];
        if (shape != 1 && shape != 3)
            continue;
        for (int i = 0; i < kPlayersPerSide; ++i) {
            // A position out of range fails when the player is drawn, not before the lines.
            if (hidden[size_t(i)] || !fitsInt16(xs[size_t(i)]) || !fitsInt16(ys[size_t(i)]))
                continue;
            const int16_t X = toInt16(xs[size_t(i)]);
            if (X <= 0)
                continue;
            const LinePoint centre{float(X), float(toInt16(ys[size_t(i)]))};
            if (focus.on && focus.side == side && focus.index == i) {
                // Drawn last, and ringed: lines stop at the ring's outer edge.
                ring = MarkerOutline{
                    centre, float(focusRingRadius(looks, side)) + (kRingWidth + 2) / 2.0f, false};
                continue;
            }
            // The outline is drawn one pixel wide along the rim, half of it outside.
            outlines.push_back({centre, float(looks.PlayerSize[size_t(side)]) + 0.5f, shape == 1});
        }
    }
    if (ring)
        outlines.push_back(*ring);
    return outlines;
}

std::vector<FrameRenderer::DrawnItem> FrameRenderer::drawnItems(const PlayConfig &frame,
                                                                 const Surface &pic,
                                                                 const FrameLooks &looks)
{
    std::vector<DrawnItem> items;
    // Pixel (x, y) covers the square from x - 0.5 to x + 0.5: an area reaches half a pixel
    // beyond the pixels drawn.
    const auto box = [](double left, double top, double width, double height) {
        QPainterPath area;
        area.addRect(QRectF(left - 0.5, top - 0.5, width, height));
        return area;
    };
    for (int16_t k = 0; k < kSymbolCount; ++k) {
        const int16_t X = toInt16(frame.SYMBOLX[k]);
        if (X <= 0)
            continue;
        const QRect area =
            symbolArea(X, toInt16(frame.SYMBOLY[k]), looks.symbols[k], looks, pic.size());
        if (!area.isEmpty())
            items.push_back({Part::Symbol, k, box(area.x(), area.y(), area.width(), area.height())});
    }
    for (int16_t k = 0; k < kTextLabelCount; ++k) {
        const QString text = QString::fromStdString(frame.TxtValue[k]);
        if (frame.TxtSYMBOLX[k] > 0 && !text.isEmpty())
            items.push_back({Part::TextLabel, k,
                             box(frame.TxtSYMBOLX[k], frame.TxtSYMBOLY[k], pic.textWidth(text),
                                 pic.textHeight(text))});
    }
    const Focus focus = focusOf(frame, looks);
    std::optional<DrawnItem> focused;
    for (int side = 0; side < 2; ++side) {
        const auto &xs = side == 0 ? frame.OPlayerX : frame.DPlayerX;
        const auto &ys = side == 0 ? frame.OPlayerY : frame.DPlayerY;
        const auto &hidden = side == 0 ? looks.hideOffense : looks.hideDefense;
        const int16_t shape = looks.PlayerShape[size_t(side)];
        const int r = looks.PlayerSize[size_t(side)];
        for (int16_t i = 0; i < kPlayersPerSide; ++i) {
            const int16_t X = toInt16(xs[size_t(i)]);
            if (hidden[size_t(i)] || X <= 0 || (shape != 1 && shape != 3))
                continue;
            const int16_t Y = toInt16(ys[size_t(i)]);
            DrawnItem item{int16_t(Part::Offense + side), i, {}};
            if (shape == 1) {
                item.area = box(X - r, Y - r, 2 * r + 1, 2 * r + 1);
            } else {
                item.area.addEllipse(QPointF(X, Y), r + 0.5, r + 0.5);
            }
            // The focused player is drawn again over everyone.
            if (focus.on && focus.side == side && focus.index == i)
                focused = item;
            items.push_back(std::move(item));
        }
    }
    if (focused)
        items.push_back(*focused);
    return items;
}

void FrameRenderer::DrawAction(int16_t &SX, int16_t &SY, int16_t &EX, int16_t &EY)
{
    try {
        const float m = SX == EX ? 10.0f : float(std::abs(double(SY - EY) / double(SX - EX)));
        const bool rightward = SX < EX;
        const bool downward = SY < EY; // the end lies lower on the surface
        const int ex = EX;
        const int ey = EY;
        auto &p = EndMarkerPoints;
        if (m < 0.5f) {
            p = {QPoint(ex, ey - 7), QPoint(rightward ? ex + 7 : ex - 7, ey), QPoint(ex, ey + 7)};
        } else if (m > 2.0f) {
            p = {QPoint(ex - 7, ey), QPoint(ex, downward ? ey + 7 : ey - 7), QPoint(ex + 7, ey)};
        } else if (downward && rightward) {
            p = {QPoint(ex - 5, ey + 5), QPoint(ex + 5, ey + 5), QPoint(ex + 5, ey - 5)};
        } else if (downward) {
            p = {QPoint(ex - 5, ey - 5), QPoint(ex - 5, ey + 5), QPoint(ex + 5, ey + 5)};
        } else if (rightward) {
            p = {QPoint(ex - 5, ey - 5), QPoint(ex + 5, ey - 5), QPoint(ex + 5, ey + 5)};
        } else {
            p = {QPoint(ex + 5, ey - 5), QPoint(ex - 5, ey - 5), QPoint(ex - 5, ey + 5)};
        }
    } catch (...) {
        reportFailure("Draw Action");
    }
}

} // namespace kinetra
