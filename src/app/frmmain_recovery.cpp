// Taking a play over from a recovery copy: the changes a run that ended without saving left in
// its copy come back as unsaved changes to the play they were made to.
#include "app/frmmain.h"

#include <QDir>

#include <algorithm>

namespace kinetra {

bool frmMain::openRecoveredPlay(const QString &copy, const QString &playFile, int16_t frame,
                                bool playFileChanged)
{
    // A copy read whole becomes the play's file for the moment; one read in part (already
    // reported) or refused stays as Open leaves it.
    if (openPlay(copy, {.askToSave = false, .remember = false}) != PlayReadStatus::Opened)
        return false;
    m_document.setPath(playFile);
    SelectFrame(std::clamp<int16_t>(frame, 1, m_document.frames().count()));
    m_document.markChanged();
    m_document.setFileChangedSinceEdits(playFileChanged);
    return true;
}

bool frmMain::mayReplacePlayFile()
{
    if (!m_document.saveReplacesChangedFile())
        return true;
    const Platform::Answer answer = m_platform.messageBox(
        QStringLiteral("%1 has been changed since the recovered changes were made.\nDo you want "
                       "to replace it? Choose No to save the play under another name.")
            .arg(QDir::toNativeSeparators(m_document.path())),
        "Kinetra", Platform::Buttons::YesNo, Platform::Icon::Warning);
    if (answer != Platform::Answer::Yes)
        return false;
    m_document.setFileChangedSinceEdits(false);
    return true;
}

} // namespace kinetra
