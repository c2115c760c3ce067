#include "surface/surfaceeditor.h"

#include "model/basepath.h"
#include "model/failurereport.h"
#include "model/linecurve.h"
#include "model/playconfig.h"
#include "model/rounding.h"
#include "prefs/defaultfield.h"
#include "surface/paletteitem.h"
#include "surface/surface.h"

#include <cmath>
#include <limits>

namespace kinetra {

namespace {

int16_t itemCount(int16_t part)
{
    switch (part) {
    case Part::Offense:
    case Part::Defense: return kPlayersPerSide;
    case Part::Symbol: return kSymbolCount;
    case Part::TextLabel: return kTextLabelCount;
    default: return 0;
    }
}

} // namespace

/// One mode's gesture: begin tells whether a gesture started.
struct SurfaceEditor::Steps
{
    bool (SurfaceEditor::*begin)(QPointF);
    void (SurfaceEditor::*update)(QPointF);
    void (SurfaceEditor::*finish)(Qt::MouseButton, QPointF);
    void (SurfaceEditor::*abort)();
};

const SurfaceEditor::Steps &SurfaceEditor::stepsOf(Mode mode)
{
    static const Steps select{&SurfaceEditor::beginLift, &SurfaceEditor::noUpdate,
                              &SurfaceEditor::finishLift, &SurfaceEditor::abortLift};
    static const Steps action{&SurfaceEditor::beginLine, &SurfaceEditor::updateLine,
                              &SurfaceEditor::finishLine, &SurfaceEditor::abortLine};
    static const Steps chalk{&SurfaceEditor::beginChalk, &SurfaceEditor::updateChalk,
                             &SurfaceEditor::finishChalk, &SurfaceEditor::abortChalk};
    switch (mode) {
    case Mode::ActionDraw: return action;
    case Mode::Chalk: return chalk;
    case Mode::Select: break;
    }
    return select;
}

SurfaceEditor::SurfaceEditor(Surface &surface, std::unique_ptr<Host> host, QObject *parent)
    : QObject(parent)
    , m_surface(surface)
    , m_host(std::move(host))
    , m_steps(&stepsOf(Mode::Select))
{
}

SurfaceEditor::~SurfaceEditor() = default;

void SurfaceEditor::setMode(Mode mode)
{
    abort();
    m_selected.reset();
    m_mode = mode;
    m_steps = &stepsOf(mode);
}

void SurfaceEditor::press(Qt::MouseButton button, QPointF at)
{
    if (button == Qt::NoButton)
        return;
    if (busy()) {
        // Another button while a line is drawn or bent calls the gesture off.
        if (m_mode == Mode::ActionDraw && button != m_button)
            abort();
        return;
    }
    m_pressed = button;
    m_lineEdit = LineEdit::None;
    if ((this->*m_steps->begin)(at))
        m_button = button;
}

void SurfaceEditor::move(QPointF at)
{
    if (!busy())
        return;
    try {
        (this->*m_steps->update)(at);
    } catch (...) {
        reportFailure("Drawing to Play Surface");
        abort();
    }
}

void SurfaceEditor::release(Qt::MouseButton button, QPointF at, Qt::KeyboardModifiers modifiers)
{
    if (!busy() || button != m_button)
        return;
    m_button = Qt::NoButton;
    m_releaseModifiers = modifiers;
    (this->*m_steps->finish)(button, at);
}

void SurfaceEditor::abort()
{
    if (!busy())
        return;
    m_button = Qt::NoButton;
    try {
        (this->*m_steps->abort)();
    } catch (...) {
        reportFailure("Drawing to Play Surface");
    }
}

std::optional<SurfaceEditor::Item> SurfaceEditor::nearestItem(const PlayConfig &frame, QPointF at,
                                                              int16_t lastPart, double zoom)
{
    int32_t shortest = std::numeric_limits<int32_t>::max();
    std::optional<Item> chosen;
    for (int16_t part = Part::Offense; part <= std::min(lastPart, Part::TextLabel); ++part) {
        for (int16_t i = 0; i < itemCount(part); ++i) {
            // An item whose position cannot be read (Position reports it) lies out of reach.
            int16_t px = std::numeric_limits<int16_t>::min();
            int16_t py = std::numeric_limits<int16_t>::min();
            frame.Position(part, i, px, py);
            const int32_t dx = toInt32(at.x() - px);
            const int32_t dy = toInt32(at.y() - py);
            // Squares in double: two far-apart 16-bit points would overflow 32 bits.
            const int32_t d = toInt32(std::sqrt(double(dx) * dx + double(dy) * dy));
            if (d < shortest && d * zoom < kHitRadius) {
                shortest = d;
                chosen = Item{part, i};
            }
        }
    }
    return chosen;
}

std::optional<SurfaceEditor::Item>
SurfaceEditor::topmostItem(const std::vector<FrameRenderer::DrawnItem> &drawn, QPointF at,
                           int16_t lastPart)
{
    for (auto item = drawn.rbegin(); item != drawn.rend(); ++item) {
        if (item->part <= lastPart && item->area.contains(at))
            return Item{item->part, item->index};
    }
    return std::nullopt;
}

std::optional<SurfaceEditor::Item> SurfaceEditor::pickItem(QPointF at, int16_t lastPart)
{
    const PlayConfig &frame = m_host->currentFrame();
    if (const auto top =
            topmostItem(FrameRenderer::drawnItems(frame, m_surface, m_host->looks()), at, lastPart))
        return top;
    return nearestItem(frame, at, lastPart, m_host->zoom());
}

float SurfaceEditor::fieldReach(float screenPixels) const
{
    const double zoom = m_host->zoom();
    return zoom > 0 ? float(screenPixels / zoom) : screenPixels;
}

void SurfaceEditor::placement(int16_t part, QPointF at, QSize symbolBox, int16_t &x, int16_t &y)
{
    if (part == Part::Symbol) {
        x = toInt16(at.x() - symbolBox.width() / 2.0);
        y = toInt16(at.y() - symbolBox.height() / 2.0);
        if (x < 0)
            x = 1;
    } else {
        x = toInt16(at.x());
        y = toInt16(at.y());
    }
}

void SurfaceEditor::drop(int16_t tag, int16_t index, QPointF at, const QString &labelText)
{
    try {
        m_state.part = tag;
        PlayConfig &frame = m_host->currentFrame();
        if (tag == PaletteItem::kActiveMarker) {
            const auto chosen = pickItem(at, Part::Defense);
            if (!chosen) {
                m_host->beep();
                return;
            }
            frame.ActivePlyr = int16_t((chosen->part - 1) * 10 + chosen->index);
        } else {
            m_state.index = index;
            if (tag == Part::TextLabel && index >= 0 && index < kTextLabelCount)
                frame.TxtValue[size_t(index)] = labelText.toStdString();
            placement(tag, at, m_host->symbolBoxSize(), m_state.x, m_state.y);
            frame.MoveControlPoint(tag, index, m_state.x, m_state.y);
        }
        m_host->markModified();
        m_host->redraw();
    } catch (...) {
        reportFailure("Adding to Play Surface");
    }
}

// Select mode: lift the nearest item off the frame at the press, put it down at the release.

bool SurfaceEditor::beginLift(QPointF at)
{
    try {
        PlayConfig &frame = m_host->currentFrame();
        const auto hit = pickItem(at, Part::TextLabel);
        if (!hit) {
            m_host->beep();
            return false;
        }
        m_state.part = hit->part;
        m_state.index = hit->index;
        frame.Position(hit->part, hit->index, m_liftedX, m_liftedY);
        m_state.x = 0;
        m_state.y = 0;
        frame.MoveControlPoint(hit->part, hit->index, 0, 0);
        m_host->markModified();
        m_host->redraw();
        return true;
    } catch (...) {
        reportFailure("Accessing Play Surface");
        return false;
    }
}

void SurfaceEditor::finishLift(Qt::MouseButton button, QPointF at)
{
    // The right button only lifts: the item stays off the frame.
    if (button == Qt::RightButton)
        return;
    try {
        m_surface.setDrawMode(Surface::DrawMode::Copy);
        placement(m_state.part, at, m_host->symbolBoxSize(), m_state.x, m_state.y);
        m_host->currentFrame().MoveControlPoint(m_state.part, m_state.index, m_state.x, m_state.y);
        m_host->markModified();
        m_host->redraw();
    } catch (...) {
        reportFailure("Drawing to Play Surface");
    }
}

void SurfaceEditor::abortLift()
{
    m_state.x = m_liftedX;
    m_state.y = m_liftedY;
    m_host->currentFrame().MoveControlPoint(m_state.part, m_state.index, m_liftedX, m_liftedY);
    m_host->redraw();
}

// Action draw mode. A new line is stored at the release only, from the press; in between an
// inverted rubber band shows it. The band is drawn at the press too, so that every later
// drawing of it erases exactly what the one before drew.

namespace {

LinePoint pixelOf(QPointF at)
{
    return {float(toInt16(at.x())), float(toInt16(at.y()))};
}

float distance(LinePoint a, QPointF b)
{
    return float(std::hypot(double(a.x) - b.x(), double(a.y) - b.y()));
}

// A line's points in the order of its handles: start, bend points, end.
std::vector<LinePoint> handlesOf(const ActionLine &line)
{
    std::vector<LinePoint> points{line.start};
    points.insert(points.end(), line.bends.begin(), line.bends.end());
    points.push_back(line.end);
    return points;
}

} // namespace

std::optional<LineId> SurfaceEditor::nearestLine(const PlayConfig &frame, QPointF at, float reach)
{
    float shortest = std::numeric_limits<float>::infinity();
    std::optional<LineId> chosen;
    const LinePoint p{float(at.x()), float(at.y())};
    for (const ActionLine &line : frame.actionLines()) {
        const float d = nearestOnCurve(line, p).distance;
        if (d <= reach && d < shortest) {
            shortest = d;
            chosen = line.id;
        }
    }
    return chosen;
}

std::vector<LinePoint> SurfaceEditor::selectionHandles(const PlayConfig &frame)
{
    if (!m_selected || m_mode != Mode::ActionDraw)
        return {};
    const auto line = frame.actionLine(*m_selected);
    if (!line) {
        m_selected.reset();
        return {};
    }
    return handlesOf(*line);
}

bool SurfaceEditor::deleteSelectedLine()
{
    if (!m_selected || busy())
        return false;
    const LineId id = *m_selected;
    m_selected.reset();
    const bool removed = m_host->currentFrame().removeActionLine(id);
    if (removed) {
        m_lineEdit = LineEdit::Removed;
        m_host->markModified();
    }
    m_host->redraw();
    return removed;
}

void SurfaceEditor::drawBand()
{
    m_surface.line(toInt32(m_from.x()), toInt32(m_from.y()), toInt32(m_to.x()), toInt32(m_to.y()),
                   m_bandColor);
}

bool SurfaceEditor::beginLine(QPointF at)
{
    try {
        PlayConfig &frame = m_host->currentFrame();
        m_from = m_to = at;
        m_dragging = false;
        if (m_pressed == Qt::RightButton) {
            // The selected line's bend point under the pointer, or else the line under it.
            m_lineGesture = LineGesture::Remove;
            m_removeLine.reset();
            m_removeBend.reset();
            if (const auto line = m_selected ? frame.actionLine(*m_selected) : std::nullopt) {
                for (size_t i = 0; i < line->bends.size() && !m_removeBend; ++i) {
                    if (distance(line->bends[i], at) < fieldReach(kHandleRadius)) {
                        m_removeLine = line->id;
                        m_removeBend = int(i);
                    }
                }
            }
            if (!m_removeLine)
                m_removeLine = nearestLine(frame, at, fieldReach(kLineReach));
            if (!m_removeLine)
                m_host->beep();
            return m_removeLine.has_value();
        }
        if (m_pressed != Qt::LeftButton)
            return false;
        if (beginLinePoint(frame, at)) {
            m_lineGesture = LineGesture::DragPoint;
            return true;
        }
        m_lineGesture = LineGesture::Draw;
        m_bandLine = m_host->selectedActionLine();
        m_bandColor = m_host->actionColor(m_bandLine);
        m_surface.setDrawMode(Surface::DrawMode::Invert);
        drawBand();
        return true;
    } catch (...) {
        m_surface.setDrawMode(Surface::DrawMode::Copy);
        reportFailure("Accessing Play Surface");
        return false;
    }
}

bool SurfaceEditor::beginLinePoint(const PlayConfig &frame, QPointF at)
{
    const auto line = m_selected ? frame.actionLine(*m_selected) : std::nullopt;
    if (!line)
        return false;
    m_original = *line;
    m_addBendAt.reset();
    const std::vector<LinePoint> handles = handlesOf(*line);
    float shortest = fieldReach(kHandleRadius);
    std::optional<int> handle;
    for (size_t i = 0; i < handles.size(); ++i) {
        const float d = distance(handles[i], at);
        if (d < shortest) {
            shortest = d;
            handle = int(i);
        }
    }
    if (handle) {
        m_dragPoint = *handle;
        return true;
    }
    const CurveHit hit = nearestOnCurve(*line, {float(at.x()), float(at.y())});
    if (!(hit.distance <= fieldReach(kLineReach)))
        return false;
    // The bend point goes between the points that bound the piece pressed on.
    m_addBendAt = hit.piece;
    m_dragPoint = hit.piece + 1;
    return true;
}

void SurfaceEditor::dragLinePoint(QPointF at)
{
    if (!m_dragging) {
        if (std::hypot(at.x() - m_from.x(), at.y() - m_from.y()) <= kClickSlack)
            return;
        if (m_addBendAt && int(m_original.bends.size()) >= kMaxBends) {
            m_host->beep();
            m_host->tell(QString("A line holds at most %1 bend points: this one was not added.")
                             .arg(kMaxBends));
            m_addBendAt.reset();
            m_dragPoint = -1;
        }
        m_dragging = true;
    }
    if (m_dragPoint < 0)
        return;
    ActionLine line = m_original;
    const LinePoint p = pixelOf(at);
    if (m_addBendAt)
        line.bends.insert(line.bends.begin() + *m_addBendAt, p);
    else if (m_dragPoint == 0)
        line.start = p;
    else if (m_dragPoint <= int(line.bends.size()))
        line.bends[size_t(m_dragPoint - 1)] = p;
    else
        line.end = p;
    m_host->currentFrame().setActionLine(line);
    m_host->redraw();
}

void SurfaceEditor::updateLine(QPointF at)
{
    switch (m_lineGesture) {
    case LineGesture::Draw:
        drawBand();
        m_to = at;
        drawBand();
        break;
    case LineGesture::DragPoint: dragLinePoint(at); break;
    case LineGesture::Remove: break;
    }
}

void SurfaceEditor::finishLine(Qt::MouseButton, QPointF at)
{
    try {
        switch (m_lineGesture) {
        case LineGesture::Draw:
            drawBand();
            m_surface.setDrawMode(Surface::DrawMode::Copy);
            if (std::hypot(at.x() - m_from.x(), at.y() - m_from.y()) <= kClickSlack) {
                // A click selects the line under it, or nothing.
                m_selected = nearestLine(m_host->currentFrame(), m_from, fieldReach(kLineReach));
                m_host->redraw();
            } else {
                finishDrawing(at);
            }
            break;
        case LineGesture::DragPoint:
            dragLinePoint(at);
            if (m_dragging && m_dragPoint >= 0) {
                m_lineEdit = m_addBendAt ? LineEdit::Bent : LineEdit::Moved;
                m_host->markModified();
            }
            break;
        case LineGesture::Remove: removeUnderPointer(); break;
        }
    } catch (...) {
        m_surface.setDrawMode(Surface::DrawMode::Copy);
        reportFailure("Drawing to Play Surface");
    }
}

void SurfaceEditor::finishDrawing(QPointF at)
{
    PlayConfig &frame = m_host->currentFrame();
    m_selected.reset();
    const LinePoint start = pixelOf(m_from);
    const LinePoint end = pixelOf(at);
    std::vector<LinePoint> bends;
    if (!(m_releaseModifiers & Qt::ShiftModifier)) {
        if (const auto bases = m_host->basesFor(m_bandLine))
            bends = basePathBends(start, end, *bases, float(kHitRadius), float(field::kBag));
    }
    if (frame.actionLineCount() >= kMaxLinesInFrame
        || !frame.addActionLine(m_bandLine, start, end, std::move(bends))) {
        m_host->beep();
        m_host->tell(QString("A frame holds at most %1 action lines: this one was not drawn.")
                         .arg(kMaxLinesInFrame));
        m_host->redraw();
        return;
    }
    m_state.part = Part::ActionEnd;
    m_state.index = m_bandLine;
    m_state.x = toInt16(at.x());
    m_state.y = toInt16(at.y());
    m_lineEdit = LineEdit::Drawn;
    m_host->markModified();
    m_host->redraw();
}

void SurfaceEditor::removeUnderPointer()
{
    PlayConfig &frame = m_host->currentFrame();
    const LineId id = *m_removeLine;
    if (m_removeBend) {
        auto line = frame.actionLine(id);
        if (!line || *m_removeBend >= int(line->bends.size()))
            return;
        line->bends.erase(line->bends.begin() + *m_removeBend);
        frame.setActionLine(*line);
        m_lineEdit = LineEdit::BendRemoved;
    } else {
        if (!frame.removeActionLine(id))
            return;
        // The kind's later lines moved up a slot, the selected one with them.
        if (m_selected == id)
            m_selected.reset();
        else if (m_selected && m_selected->kind == id.kind && m_selected->slot > id.slot)
            --m_selected->slot;
        m_lineEdit = LineEdit::Removed;
    }
    m_host->markModified();
    m_host->redraw();
}

void SurfaceEditor::abortLine()
{
    switch (m_lineGesture) {
    case LineGesture::Draw:
        drawBand();
        m_surface.setDrawMode(Surface::DrawMode::Copy);
        m_host->redraw();
        break;
    case LineGesture::DragPoint:
        if (m_dragging) {
            m_host->currentFrame().setActionLine(m_original);
            m_host->redraw();
        }
        break;
    case LineGesture::Remove: break;
    }
}

// Chalk mode: lines from point to point while the button is held, in the chalk's look; the
// surface's own line style and width come back at the release.

bool SurfaceEditor::beginChalk(QPointF at)
{
    m_from = m_to = at;
    m_chalk = m_host->chalk();
    m_savedLineStyle = m_surface.lineStyle();
    m_savedLineWidth = m_surface.lineWidth();
    m_surface.setDrawMode(Surface::DrawMode::Copy);
    m_surface.setLineStyle(m_chalk.style);
    m_surface.setLineWidth(m_chalk.width);
    return true;
}

void SurfaceEditor::updateChalk(QPointF at)
{
    m_from = m_to;
    m_to = at;
    m_surface.line(toInt32(m_from.x()), toInt32(m_from.y()), toInt32(m_to.x()), toInt32(m_to.y()),
                   m_chalk.color);
}

void SurfaceEditor::finishChalk(Qt::MouseButton, QPointF)
{
    abortChalk();
}

void SurfaceEditor::abortChalk()
{
    m_surface.setLineStyle(m_savedLineStyle);
    m_surface.setLineWidth(m_savedLineWidth);
}

} // namespace kinetra
