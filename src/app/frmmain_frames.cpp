// Frame commands of the Edit menu: Insert Before, After, Blank, Progressive and Next Moment,
// Draw Movement Lines, the Move dialog and the frame's caption. The work is done by the frame-list operations of
// the model; these handlers ask the user, refuse what the play cannot hold and keep the window
// in step.
#include "app/frmmain.h"

#include "app/captionbox.h"
#include "model/frameinsertion.h"
#include "model/nextmoment.h"
#include "model/numbertext.h"
#include "surface/besidewindow.h"
#include "surface/platform.h"
#include "surface/playediting.h"
#include "surface/surfaceeditor.h"
#include "surface/surface.h"
#include "windows/frmcaption.h"
#include "windows/frmmove.h"

namespace kinetra {

namespace {

const QString kProgramTitle = "Kinetra";

} // namespace

void frmMain::connectFrameCommands()
{
    onCommand("mnuIBefore", [this] { mnuIBefore_Click(); });
    onCommand("mnuIAfter", [this] { mnuIAfter_Click(); });
    onCommand("mnuIBlank", [this] { mnuIBlank_Click(); });
    onCommand("mnuIProgressive", [this] { InsertFrames(); });
    onCommand("mnuINextMoment", [this] { mnuINextMoment_Click(); });
    onCommand("mnuEMove", [this] { mnuEMove_Click(); });
    onCommand("mnuEMovementLines", [this] { mnuEMovementLines_Click(); });
    onCommand("mnuECaption", [this] { mnuECaption_Click(); });
    connect(m_captionBox, &CaptionBox::editRequested, this, [this] { mnuECaption_Click(); });
    // Movement lines lead to the next frame: the last frame has none.
    const auto followFrame = [this] {
        const FrameList &frames = m_document.frames();
        menuItem("mnuEMovementLines")->setEnabled(frames.current() < frames.count());
    };
    connect(this, &frmMain::frameSelected, this, followFrame);
    connect(&m_document, &PlayDocument::framesChanged, this, followFrame);
    followFrame();
}

ItemSizes frmMain::itemSizes() const
{
    return m_editing->looks().itemSizes();
}

bool frmMain::roomForFrames(int32_t n)
{
    const QString refusal = m_document.noRoomFor(n);
    if (!refusal.isEmpty())
        m_platform.messageBox(refusal + " Ignoring Frame Insert command.", kProgramTitle,
                              Platform::Buttons::Ok, Platform::Icon::Critical);
    return refusal.isEmpty();
}

void frmMain::mnuIBefore_Click()
{
    if (!roomForFrames(1))
        return;
    m_document.appendFrame();
    SelectFrame(m_document.frames().current());
    m_document.recordEdit("Insert Before");
}

void frmMain::mnuIAfter_Click()
{
    if (!roomForFrames(1))
        return;
    m_document.appendFrame();
    SelectFrame(int16_t(m_document.frames().current() + 1));
    m_document.recordEdit("Insert After");
}

void frmMain::mnuIBlank_Click()
{
    if (!roomForFrames(1))
        return;
    m_document.insertBlankFrame();
    SelectFrame(int16_t(m_document.frames().current() + 1));
    m_document.recordEdit("Insert Blank");
}

void frmMain::mnuINextMoment_Click()
{
    if (!roomForFrames(1) || !m_document.insertNextMoment(itemSizes()))
        return;
    SelectFrame(int16_t(m_document.frames().current() + 1));
    m_document.recordEdit("Next Moment");
}

void frmMain::mnuEMovementLines_Click()
{
    const int drawn = m_document.drawMovementLines(m_editing->selectedActionLine(), itemSizes());
    // The lines stop at the most a frame holds, and the moves after that go without.
    if (m_document.frames().currentFrame().actionLineCount() >= kMaxLinesInFrame)
        showRefusal(QString("A frame holds at most %1 action lines: no more were drawn.")
                        .arg(kMaxLinesInFrame));
    if (drawn == 0)
        return;
    DrawSelected();
    m_document.recordEdit("Movement Lines");
}

void frmMain::InsertFrames()
{
    if (m_document.frames().current() >= m_document.frames().count()) {
        m_platform.messageBox(QString(QChar(13))
                                  + "Warning - Can only insert between 2 existing frames!"
                                  + "Ignoring Frame Insert command.",
                              kProgramTitle, Platform::Buttons::Ok, Platform::Icon::Critical);
        return;
    }
    const std::optional<QString> answer =
        m_platform.inputBox("Number of Frames To Insert:", kProgramTitle, "1", pos());
    if (!answer)
        return;
    const int32_t n = countFromText(answer->toStdString());
    if (n < 1 || !roomForFrames(n))
        return;
    if (!m_document.insertProgressiveFrames(n))
        return;
    SelectFrame(m_document.frames().current());
    m_document.recordEdit("Insert Progressive");
}

std::unique_ptr<frmMove> frmMain::moveDialog()
{
    auto dialog = std::make_unique<frmMove>(m_document, m_surface->size(), m_platform,
                                            [this] { DrawSelected(); }, this);
    // Beside the window the field stays in sight while it moves.
    if (const std::optional<QPoint> beside = besideWindow(*this, outerSize(*dialog, *this)))
        moveFrame(*dialog, *beside, this);
    return dialog;
}

std::unique_ptr<frmCaption> frmMain::captionDialog()
{
    return std::make_unique<frmCaption>(m_document, this);
}

void frmMain::mnuECaption_Click()
{
    // A gesture still running on the field ends first, so the caption is a step of its own.
    m_editing->editor().abort();
    captionDialog()->exec();
}

void frmMain::mnuEMove_Click()
{
    moveDialog()->exec();
}

} // namespace kinetra
