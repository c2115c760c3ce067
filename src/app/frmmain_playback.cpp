// The main window's side of playback: opening the Video Control window and giving it the play.
#include "app/frmmain.h"

#include "playback/surfaceplayback.h"
#include "playback/videosettings.h"
#include "surface/besidewindow.h"
#include "surface/playediting.h"
#include "surface/platform.h"
#include "surface/surface.h"
#include "surface/surfaceeditor.h"
#include "surface/toolpalette.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTabBar>

namespace kinetra {

void frmMain::connectPlaybackCommands()
{
    connect(m_cmdPlay, &QPushButton::clicked, this, [this] { CmdPlay_Click(); });
    // The toolbar's Play key has no menu item; it follows the button.
    m_builtCommands.insert("Play");
}

void frmMain::CmdPlay_Click()
{
    // The frames play on the surface: a line's handles would stand still over them.
    m_editing->editor().clearSelection();
    m_editing->showSelection();
    const std::unique_ptr<PlaybackView> view = playbackView();
    frmvideo video(m_platform, m_document, *view);
    video.Form_Load(videoWindowPlace(outerSize(video, *this)), this);
    // "Smooth" stays as the user left it, from one opening to the next and the next run.
    const bool smooth = readSmoothPlayback(m_store);
    video.ChkSmooth->setChecked(smooth);
    video.exec();
    if (video.ChkSmooth->isChecked() != smooth)
        writeSmoothPlayback(m_store, video.ChkSmooth->isChecked());
}

QPoint frmMain::videoWindowPlace(const QSize &videoSize) const
{
    // Beside the window the field stays in sight while it plays.
    if (const std::optional<QPoint> beside = besideWindow(*this, videoSize))
        return *beside;
    const QPoint outer = frameGeometry().topLeft();
    return QPoint(outer.x() + m_frame1->mapTo(this, QPoint()).x(),
                  outer.y() + m_palette->tbsPicList->mapTo(this, QPoint()).y());
}

std::unique_ptr<PlaybackView> frmMain::playbackView()
{
    return std::make_unique<SurfacePlayback>(
        m_document, *m_surface, [this] { return looks(); }, [this] { DrawSelected(); });
}

} // namespace kinetra
