// Taking a play over from a recovery copy: the changes a run that ended without saving left in
// its copy come back as unsaved changes to the play they were made to.
#include "app/frmmain.h"

#include <QLabel>

#include <algorithm>

namespace kinetra {

bool frmMain::openRecoveredPlay(const QString &copy, const QString &playFile, int16_t frame)
{
    WaitStart();
    const bool taken = LoadScript(copy);
    WaitEnd();
    // A copy read whole becomes the play's file for the moment; one read in part (already
    // reported) or refused stays as Open leaves it.
    if (!taken || PlayFile != copy)
        return false;
    PlayFile = playFile;
    showDocumentPanels(playFile);
    if (playFile.isEmpty())
        showFilePanel("Play Not Saved", QString());
    SelectFrame(std::clamp<int16_t>(frame, 1, Frames.count()));
    setModified(true);
    return true;
}

} // namespace kinetra
