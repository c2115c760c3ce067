#include "surface/surfaceeditor.h"

#include "model/failurereport.h"
#include "model/playconfig.h"
#include "model/rounding.h"
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
    static const Steps action{&SurfaceEditor::beginBand, &SurfaceEditor::updateBand,
                              &SurfaceEditor::finishBand, &SurfaceEditor::abortBand};
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
    m_mode = mode;
    m_steps = &stepsOf(mode);
}

void SurfaceEditor::press(Qt::MouseButton button, QPointF at)
{
    if (busy() || button == Qt::NoButton)
        return;
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

void SurfaceEditor::release(Qt::MouseButton button, QPointF at)
{
    if (!busy() || button != m_button)
        return;
    m_button = Qt::NoButton;
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
                                                              int16_t lastPart)
{
    int32_t shortest = kHitRadius;
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
            if (d < shortest) {
                shortest = d;
                chosen = Item{part, i};
            }
        }
    }
    return chosen;
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
            const auto chosen = nearestItem(frame, at, Part::Defense);
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
        const auto hit = nearestItem(frame, at, Part::TextLabel);
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

// Action draw mode: the start is stored at the press, the end at the release; in between an
// inverted rubber band shows the line. The band is drawn at the press too, so that every later
// drawing of it erases exactly what the one before drew.

void SurfaceEditor::drawBand()
{
    m_surface.line(toInt32(m_from.x()), toInt32(m_from.y()), toInt32(m_to.x()), toInt32(m_to.y()),
                   m_bandColor);
}

bool SurfaceEditor::beginBand(QPointF at)
{
    try {
        m_bandLine = m_host->selectedActionLine();
        m_bandColor = m_host->actionColor(m_bandLine);
        m_surface.setDrawMode(Surface::DrawMode::Invert);
        m_from = m_to = at;
        m_state.part = Part::ActionStart;
        m_state.index = m_bandLine;
        m_state.x = toInt16(at.x());
        m_state.y = toInt16(at.y());
        m_host->currentFrame().MoveControlPoint(Part::ActionStart, m_bandLine, m_state.x,
                                                m_state.y);
        drawBand();
        return true;
    } catch (...) {
        m_surface.setDrawMode(Surface::DrawMode::Copy);
        reportFailure("Accessing Play Surface");
        return false;
    }
}

void SurfaceEditor::updateBand(QPointF at)
{
    drawBand();
    m_to = at;
    drawBand();
}

void SurfaceEditor::finishBand(Qt::MouseButton, QPointF at)
{
    try {
        drawBand();
        m_surface.setDrawMode(Surface::DrawMode::Copy);
        m_state.part = Part::ActionEnd;
        m_state.x = toInt16(at.x());
        m_state.y = toInt16(at.y());
        m_host->currentFrame().MoveControlPoint(Part::ActionEnd, m_bandLine, m_state.x, m_state.y);
        m_host->markModified();
        m_host->redraw();
    } catch (...) {
        m_surface.setDrawMode(Surface::DrawMode::Copy);
        reportFailure("Drawing to Play Surface");
    }
}

void SurfaceEditor::abortBand()
{
    m_surface.setDrawMode(Surface::DrawMode::Copy);
    // The start point is already stored: show the line as the frame now holds it.
    m_host->markModified();
    m_host->redraw();
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
