#include "surface/framerenderer.h"

#include "model/failurereport.h"
#include "model/linecurve.h"
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
        if (line.bends.empty()) {
            // Nearly upright or level lines are drawn exactly so; the frame keeps its points.
            if (std::abs(SX - EX) < 5)
                EX = SX;
            if (std::abs(SY - EY) < 5)
                EY = SY;
            pic.line(SX, SY, EX, EY, color);
            DrawAction(SX, SY, EX, EY);
        } else {
            // Drawn through the whole pixels the points fall on, as a straight line is. A bend
            // point on the one before it or on the end is left out: the curve would make a
            // small loop around it. The curve arrives from the last bend point (or the start),
            // so the end marker points that way.
            ActionLine snapped{line.id, {float(SX), float(SY)}, {float(EX), float(EY)}, {}};
            snapped.bends.reserve(line.bends.size());
            int16_t BX = SX;
            int16_t BY = SY;
            for (const LinePoint &bend : line.bends) {
                const int16_t x = toInt16(bend.x);
                const int16_t y = toInt16(bend.y);
                if ((x == BX && y == BY) || (x == EX && y == EY))
                    continue;
                snapped.bends.push_back({float(x), float(y)});
                BX = x;
                BY = y;
            }
            pic.path(curvePath(snapped), color);
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
    const int radius = int(std::ceil(markerReach(shape, looks.PlayerSize[size_t(focus.side)])))
                       + kRingGap + kRingWidth / 2;
    // An outline only: the see-through fill leaves the player inside the ring as drawn.
    pic.setFillColor(Qt::transparent);
    pic.setLineWidth(kRingWidth + 2);
    pic.circle(focus.at.x(), focus.at.y(), radius, Qt::white);
    pic.setLineWidth(kRingWidth);
    pic.circle(focus.at.x(), focus.at.y(), radius, Qt::black);
    pic.setLineWidth(1);
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
