// Frame commands of the Edit menu: Insert Before, After, Blank and Progressive, and the Move
// dialog. The work is done by the frame-list operations of the model; these handlers ask the
// user, refuse what the play cannot hold and keep the window in step.
#include "app/frmmain.h"

#include "model/frameinsertion.h"
#include "model/numbertext.h"
#include "surface/besidewindow.h"
#include "surface/platform.h"
#include "surface/surface.h"
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
    onCommand("mnuIProgressive", [this] { mnuIProgressive_Click(); });
    onCommand("mnuEMove", [this] { mnuEMove_Click(); });
}

bool frmMain::roomForFrames(int32_t n)
{
    const int room = m_document.frames().room();
    if (n <= room)
        return true;
    const int most = FrameList::kMaxFrames;
    QString text;
    if (room == 0)
        text = QString("This play already has %1 frames, the most a play can hold.").arg(most);
    else
        text = QString("This play has %1 frames and a play can hold at most %2, so no more than "
                       "%3 can be inserted.")
                   .arg(m_document.frames().count())
                   .arg(most)
                   .arg(room);
    m_platform.messageBox(text + " Ignoring Frame Insert command.", kProgramTitle,
                          Platform::Buttons::Ok, Platform::Icon::Critical);
    return false;
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

void frmMain::mnuIProgressive_Click()
{
    InsertFrames();
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

void frmMain::mnuEMove_Click()
{
    moveDialog()->exec();
}

} // namespace kinetra
