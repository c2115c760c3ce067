// The main window's side of playback: opening the Video Control window and giving it the play.
#include "app/frmmain.h"

#include "model/glide.h"
#include "surface/besidewindow.h"
#include "surface/framerenderer.h"
#include "surface/platform.h"
#include "surface/surface.h"
#include "surface/toolpalette.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTabBar>

namespace kinetra {

void frmMain::connectPlaybackCommands()
{
    connect(CmdPlay, &QPushButton::clicked, this, [this] { CmdPlay_Click(); });
    // The toolbar's Play key has no menu item; it follows the button.
    m_builtCommands.insert("Play");
}

void frmMain::CmdPlay_Click()
{
    frmvideo video(m_platform, playbackStage());
    video.Form_Load(videoWindowPlace(outerSize(video, *this)), this);
    video.exec();
}

QPoint frmMain::videoWindowPlace(const QSize &videoSize) const
{
    // Beside the window the field stays in sight while it plays.
    if (const std::optional<QPoint> beside = besideWindow(*this, videoSize))
        return *beside;
    const QPoint outer = frameGeometry().topLeft();
    return QPoint(outer.x() + Frame1->mapTo(this, QPoint()).x(),
                  outer.y() + palette->tbsPicList->mapTo(this, QPoint()).y());
}

PlaybackStage frmMain::playbackStage()
{
    PlaybackStage stage;
    stage.frameCount = [this] { return m_document.frames().count(); };
    stage.drawFrame = [this](int16_t index) {
        surface->clear();
        FrameRenderer::Draw(m_document.frames().frame(index), *surface, looks());
    };
    stage.drawSelected = [this] { DrawSelected(); };
    stage.drawGlide = [this](int16_t from, int16_t to, double t) {
        surface->clear();
        FrameRenderer::Draw(
            glideFrame(m_document.frames().frame(from), m_document.frames().frame(to), t), *surface,
            looks());
    };
    return stage;
}

} // namespace kinetra
