#pragma once

#include "model/nextmoment.h"
#include "model/playconfig.h"
#include "surface/framelooks.h"
#include "surface/framerenderer.h"

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace kinetra {

class Surface;

/// Editing the current frame on the play surface with the mouse and by drops from the
/// palette. The mouse works in one of three modes, each a gesture of begin (a button goes
/// down), update (the pointer moves), finish (that button comes up) and abort:
/// - select: the item drawn on top under the press, or else the one nearest to it (within 30
///   screen pixels), is lifted off the frame and put down where the button comes up; with the
///   right button it stays off, so it is deleted;
/// - action draw: a drag draws a new line of the selected kind from the press to the
///   release (nothing is stored before the release; a rubber band follows the pointer), a
///   click selects the line under it, and with a line selected a drag from one of its
///   handles moves that point and a drag from elsewhere on it adds a bend point there; the
///   right button removes the selected line's bend point under it, or else the line under it;
/// - chalk: freehand lines drawn into the surface image only, gone with the next redraw.
/// One gesture runs at a time: other buttons pressed or released during it are ignored,
/// except in action draw mode, where another button aborts it.
/// Positions are field pixels, but how near the pointer must come to an item, a line or a
/// handle is measured on the screen, so that picking feels the same at every zoom.
class SurfaceEditor : public QObject
{
    Q_OBJECT

public:
    enum class Mode { Select, ActionDraw, Chalk };

    /// A line look: colour, width in pixels, surface line style (0 solid .. 3 dash-dot).
    struct Pen
    {
        QColor color;
        int width = 1;
        int style = 0;
    };

    /// What the editor needs of the window whose frame it edits.
    class Host
    {
    public:
        virtual ~Host() = default;
        /// The frame being edited (the current frame of the play).
        virtual PlayConfig &currentFrame() = 0;
        /// Wipes the surface and draws the current frame.
        virtual void redraw() = 0;
        /// Marks the play modified.
        virtual void markModified() = 0;
        virtual void beep() = 0;
        /// Outer size of the palette's first symbol box: a symbol is centred on the pointer
        /// by half of it.
        virtual QSize symbolBoxSize() const = 0;
        /// The action line drawn in action draw mode, and its colour.
        virtual int16_t selectedActionLine() const = 0;
        virtual QColor actionColor(int16_t line) const = 0;
        /// The chalk's colour, width and style.
        virtual Pen chalk() const = 0;
        /// The bases (home, first, second, third) that lines of `kind` round, when that kind
        /// follows the base path on the field shown; nullopt otherwise.
        virtual std::optional<std::array<LinePoint, 4>> basesFor(int16_t kind) const = 0;
        /// Tells the user why an edit was refused (after the beep).
        virtual void tell(const QString &message) = 0;
        /// Screen pixels per field pixel: the zoom the surface is shown at.
        virtual double zoom() const = 0;
        /// What the frame is drawn with, to find which item is drawn on top under the pointer.
        virtual FrameLooks looks() const = 0;
    };

    /// The item last lifted or dropped and the position last stored for it.
    struct EditState
    {
        int16_t part = 0;
        int16_t index = 0;
        int16_t x = 0;
        int16_t y = 0;
    };

    /// An item of a frame: part code and index.
    struct Item
    {
        int16_t part = 0;
        int16_t index = 0;
        bool operator==(const Item &) const = default;
    };

    /// A pointer this many screen pixels (rounded) or more away from an item's point misses
    /// it, unless it is on the item as drawn.
    static constexpr int32_t kHitRadius = int32_t(kItemReach);
    /// A selected line's handles are grabbed closer than this many screen pixels: so few that
    /// the middle of a short line can still be taken to bend it.
    static constexpr float kHandleRadius = 8;
    /// An action line is clicked, bent or removed no farther than this many screen pixels
    /// from its curve, so that a new line can be begun close beside it.
    static constexpr float kLineReach = 6;
    /// A release no farther than this many pixels from its press is a click, not a drag.
    static constexpr float kClickSlack = 2;

    /// Edits on surface for host; starts in select mode.
    SurfaceEditor(Surface &surface, std::unique_ptr<Host> host, QObject *parent = nullptr);
    ~SurfaceEditor() override;

    Mode mode() const { return m_mode; }
    /// Starts mode afresh; a gesture still running is aborted first.
    void setMode(Mode mode);

    /// A button went down, the pointer moved, a button came up; positions in surface pixels.
    /// Failures are reported ("Accessing Play Surface" for a press, "Drawing to Play Surface"
    /// otherwise) and end the gesture.
    /// With Shift held at the release a new line is drawn straight, never round the bases.
    void press(Qt::MouseButton button, QPointF at);
    void move(QPointF at);
    void release(Qt::MouseButton button, QPointF at, Qt::KeyboardModifiers modifiers = {});
    /// Ends a running gesture without finishing it: a lifted item goes back where it was, a
    /// rubber band is erased, a dragged point of a line goes back, chalk keeps what it drew.
    void abort();
    /// True while a gesture runs (between a press that began one and its release).
    bool busy() const { return m_button != Qt::NoButton; }

    /// A palette item dropped at `at`: the active-player marker (tag 9) makes the nearest
    /// player within 30 pixels active, or only beeps; any other item is placed there (a symbol
    /// centred on the point, a text label with labelText). Marks the play modified and redraws.
    /// Failures are reported as "Adding to Play Surface", without a redraw.
    void drop(int16_t tag, int16_t index, QPointF at, const QString &labelText);

    const EditState &state() const { return m_state; }

    /// What the last finished action draw gesture (or deleteSelectedLine) did to the frame.
    enum class LineEdit { None, Drawn, Bent, Moved, Removed, BendRemoved };
    LineEdit lastLineEdit() const { return m_lineEdit; }

    /// The selected action line of the current frame, shown with handles on its points; only
    /// ever set in action draw mode, never stored with the play.
    std::optional<LineId> selectedLine() const { return m_selected; }
    void clearSelection() { m_selected.reset(); }
    /// Where the selected line's handles lie (start, bend points, end) in `frame`; none when
    /// no line is selected. A selected line that is no longer in the frame is deselected.
    std::vector<LinePoint> selectionHandles(const PlayConfig &frame);
    /// Removes the selected line; false when none is selected.
    bool deleteSelectedLine();

    /// The action line whose curve passes nearest to `at`, no farther than `reach` (field
    /// pixels); of lines at the same distance the earlier (by kind, then slot) wins.
    static std::optional<LineId> nearestLine(const PlayConfig &frame, QPointF at, float reach);

    /// The item whose point lies nearest to `at`, its rounded distance times `zoom` (screen
    /// pixels per field pixel) less than kHitRadius: offensive players, then defensive players,
    /// then (up to lastPart) symbols and text labels, lower index first; of items at the same
    /// rounded distance the earlier wins. Items that are not on the surface lie at (0, 0).
    static std::optional<Item> nearestItem(const PlayConfig &frame, QPointF at, int16_t lastPart,
                                           double zoom = 1);

    /// Of the items up to lastPart that `drawn` (in drawing order) shows covering `at`, the
    /// one drawn last, on top of the others.
    static std::optional<Item> topmostItem(const std::vector<FrameRenderer::DrawnItem> &drawn,
                                           QPointF at, int16_t lastPart);

    /// Where an item put down at `at` is stored: the point rounded, except that a symbol's
    /// top-left corner goes half a symbol box up and left of it (never to a negative x:
    /// that becomes 1).
    static void placement(int16_t part, QPointF at, QSize symbolBox, int16_t &x, int16_t &y);

private:
    struct Steps;
    static const Steps &stepsOf(Mode mode);

    bool beginLift(QPointF at);
    void finishLift(Qt::MouseButton button, QPointF at);
    void abortLift();
    bool beginLine(QPointF at);
    void updateLine(QPointF at);
    void finishLine(Qt::MouseButton button, QPointF at);
    void abortLine();
    bool beginLinePoint(const PlayConfig &frame, QPointF at);
    void dragLinePoint(QPointF at);
    void finishDrawing(QPointF at);
    void removeUnderPointer();
    bool beginChalk(QPointF at);
    void updateChalk(QPointF at);
    void finishChalk(Qt::MouseButton button, QPointF at);
    void abortChalk();
    void noUpdate(QPointF) {}
    void drawBand();
    /// The item the pointer picks: the one drawn on top under it, or else the nearest in reach.
    std::optional<Item> pickItem(QPointF at, int16_t lastPart);
    /// Reaches given in screen pixels, in field pixels at the present zoom.
    float fieldReach(float screenPixels) const;

    Surface &m_surface;
    std::unique_ptr<Host> m_host;
    Mode m_mode = Mode::Select;
    const Steps *m_steps = nullptr;
    Qt::MouseButton m_button = Qt::NoButton; // the button of the running gesture
    EditState m_state;
    QPointF m_from; // rubber band start or chalk's previous point
    QPointF m_to;   // rubber band end or chalk's current point
    int16_t m_liftedX = 0, m_liftedY = 0;
    int16_t m_bandLine = 0;
    QColor m_bandColor;
    Qt::MouseButton m_pressed = Qt::NoButton; // the button whose press begins a gesture
    Qt::KeyboardModifiers m_releaseModifiers;
    // The action draw gesture running: a new line, a point of the selected line dragged (a
    // bend point added on the first move when m_addBendAt is set), or a removal at the
    // release of the right button.
    enum class LineGesture { Draw, DragPoint, Remove };
    LineGesture m_lineGesture = LineGesture::Draw;
    std::optional<LineId> m_selected;
    ActionLine m_original; // the dragged line as it was at the press
    // The point dragged: 0 the start, i the bend point i - 1, one past the bends the end; -1
    // none (the line takes no more bend points).
    int m_dragPoint = 0;
    std::optional<int> m_addBendAt; // a bend point goes in here at the first move
    bool m_dragging = false;        // the pointer left the click slack
    std::optional<LineId> m_removeLine;
    std::optional<int> m_removeBend;
    LineEdit m_lineEdit = LineEdit::None;
    Pen m_chalk;
    int m_savedLineStyle = 0;
    int m_savedLineWidth = 1;
};

} // namespace kinetra
