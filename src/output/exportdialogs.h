#pragma once

#include "output/playexport.h"

#include <QString>

#include <memory>
#include <optional>

class QProgressDialog;
class QWidget;

namespace kinetra {

class Platform;

/// File > Export...'s questions: the output file, asked with a save dialog starting in
/// `startFolder` and proposing `name` as a PNG; a name typed without an extension takes the
/// chosen type's, asking first before replacing a file of that name. A name that asks for no
/// format is explained. For a GIF, whether players glide between frames, each frame held
/// `frameDelayMs`, and, when the play has captions (`captioned`), whether they show under the
/// frames. Pictures are `scale` times the field's size. nullopt when the user cancels or the
/// name is refused.
std::optional<ExportOptions> askExportOptions(Platform &platform, const QString &startFolder,
                                              const QString &name, int scale, int frameDelayMs,
                                              bool captioned = false);

/// Save as Bmp's question: the bitmap file, asked with a save dialog proposing `name`, starting
/// in `lastFolder` while it exists, else in `documentsFolder` (a bare name went to the
/// program's folder, where nobody looks for a picture). Empty when cancelled or left blank.
QString askBmpFile(Platform &platform, const QString &lastFolder, const QString &documentsFolder,
                   const QString &name);

/// The window-modal progress dialog of a long export or print, with Cancel, shown only once
/// the work takes more than half a second.
class ProgressDialog
{
public:
    ProgressDialog(const QString &label, const QString &title, QWidget *parent);
    ~ProgressDialog();
    ProgressDialog(const ProgressDialog &) = delete;
    ProgressDialog &operator=(const ProgressDialog &) = delete;

    /// Moves the bar to `done` of `total`; false once Cancel was clicked.
    ExportProgress progress();

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace kinetra
