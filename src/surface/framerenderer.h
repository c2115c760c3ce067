#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPoint>

#include <array>
#include <cstdint>
#include <vector>

namespace kinetra {

class PlayConfig;
struct ActionLine;
struct LinePoint;
struct MarkerOutline;
class Surface;
struct FrameLooks;

/// Draws frames onto a play surface. Drawing only reads the frame and the looks.
class FrameRenderer
{
public:
    /// Draws the frame over whatever pic shows (it does not wipe first): symbols, text labels,
    /// every action line with its end marker (a line with bend points as the smooth curve
    /// through them), offensive then defensive players. A line that starts or ends on a
    /// player's marker is drawn from or to the marker's edge, its end marker outside it; a move
    /// too short for that is a short arrow beside the marker. Hidden players cut no line.
    /// Leaves pic with line width 1, solid, without a dash pattern of its own, and with its own
    /// fore and fill colours, also after a failure. With a focus in the looks, the focused
    /// player gets a bold ring and, with the lines starting at him, his own colours; every
    /// other player and line is faded toward white (see faded). A failure is reported as
    /// "Drawing Play" and ends the drawing, keeping what was drawn.
    static void Draw(const PlayConfig &frame, Surface &pic, const FrameLooks &looks);

    /// Works out the end marker of the action line from (SX, SY) to (EX, EY) into
    /// EndMarkerPoints: the two base points P1 and P3 across the line's end and the tip P2
    /// beyond it, for one of eight directions. Failures are reported as "Draw Action".
    static void DrawAction(int16_t &SX, int16_t &SY, int16_t &EX, int16_t &EY);

    /// The smooth curve through the line's start, bend points and end, in surface pixels; a
    /// straight line without bends.
    static QPainterPath curvePath(const ActionLine &line);

    /// The end marker of the action line DrawAction was last given: P1, P2 (tip), P3.
    static std::array<QPoint, 3> EndMarkerPoints;

    /// A symbol, text label or player as Draw puts it on the surface: its part code, index
    /// and the surface pixels it covers (pixel (x, y) where the area contains the point (x, y)).
    struct DrawnItem
    {
        int16_t part = 0;
        int16_t index = 0;
        QPainterPath area;
    };
    /// The symbols, text labels and players Draw shows for frame on pic, in the order it draws
    /// them: where two overlap, the later one lies on top. A player's area is his marker.
    static std::vector<DrawnItem> drawnItems(const PlayConfig &frame, const Surface &pic,
                                             const FrameLooks &looks);

    /// `color` at 35 % strength on white paper, as the players and lines around a focused
    /// player are drawn.
    static QColor faded(const QColor &color);

private:
    /// Where the focused player stands in the frame, if there is a focus and he is on it.
    struct Focus
    {
        bool on = false;    ///< the looks name a focused player
        bool shown = false; ///< he stands on the field in this frame
        int side = 0;
        int index = 0;
        QPoint at;
    };
    static Focus focusOf(const PlayConfig &frame, const FrameLooks &looks);
    static bool startsAt(const Focus &focus, const FrameLooks &looks, QPoint start);

    static void drawSymbols(const PlayConfig &frame, Surface &pic, const FrameLooks &looks);
    static void drawTextLabels(const PlayConfig &frame, Surface &pic);
    static void drawActionLines(const PlayConfig &frame, Surface &pic, const FrameLooks &looks,
                                const Focus &focus);
    /// The line as drawn, with an end on a marker, drawn from and to the markers' edges (or,
    /// too short for that, as a short arrow beside the marker, pointing along `move`, the
    /// line's stored start to end); sets EndMarkerPoints.
    static void drawBesideMarkers(Surface &pic, const ActionLine &line, LinePoint move,
                                  const MarkerOutline *atStart, const MarkerOutline *atEnd,
                                  int16_t endType, const QColor &color);
    /// The outlines of the players' markers as drawn, in drawing order (the last on top).
    static std::vector<MarkerOutline> markerOutlines(const PlayConfig &frame,
                                                     const FrameLooks &looks, const Focus &focus);
    static void drawPlayers(const PlayConfig &frame, Surface &pic, const FrameLooks &looks,
                            int side, const Focus &focus, bool focusedOnly);
    static void drawFocusRing(Surface &pic, const FrameLooks &looks, const Focus &focus);
};

} // namespace kinetra
