#pragma once

#include "model/playfile.h"
#include "output/playprinter.h"
#include "prefs/preferences.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

namespace kinetra {

class PlayImager;
class RuntimeError;

/// What an export writes, by the output file's extension.
enum class ExportFormat { Png, Bmp, Pdf, Gif };

/// The choices of one export (see the command line's usage text).
struct ExportOptions
{
    QString output;
    QString play;
    ExportFormat format = ExportFormat::Png;
    int frame = 1;        ///< the frame of a single picture, 1-based
    int scale = 1;        ///< PNG, BMP, GIF: pictures this many times the field's size
    bool allFrames = false; ///< PNG, BMP: every frame, each in its own numbered file
    int delayMs = 1000;   ///< GIF: how long each frame is held
    bool smooth = false;  ///< GIF: gliding images between the frames
    /// GIF: each image shows its frame's caption (an in-between image the caption of the
    /// frame it leaves) on a band under the field; see CaptionBand.
    bool captions = false;
    /// PDF playbook: the plays in order, each printed with all frames after a contents page;
    /// empty for one play on its own.
    QStringList plays;
    QString title;        ///< PDF playbook: its name
    /// PDF: how the pages are printed (size, black and white, legend, notes, a playbook's
    /// position sections), in the font and with the header icon the window prints with. Its
    /// black and white applies to every format.
    PrintOptions print{.font = QFont(QStringLiteral("DejaVu Sans"), 10)};
};

/// The format an output name asks for by its extension (any case), or false when it names none.
bool exportFormatForName(const QString &name, ExportFormat &format);

/// A failure whose text is the message to show as it stands.
class ExportError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// Reads the play at path as the window opens it: its looks are what the file holds over the
/// user's in prefs (see openedLooks). A play that cannot be read throws ExportError: a file that is missing, a folder, unreadable, empty or of no
/// frames says so and names it; a damaged play, or one that another edition wrote, gives the
/// message the window would show for it.
PlaySnapshot readPlayForExport(const QString &path, const Preferences &prefs);

/// Refuses outputs before anything is drawn or written: one that is the same file as one of
/// the inputs (ExportError), and one that may not be replaced or whose folder is missing
/// (RuntimeError, as AtomicFile::checkTarget). Empty names are skipped.
void checkOutputs(const QStringList &outputs, const QStringList &inputs);

/// The names `--all` writes for a play of `count` frames: "bunt.png" gives "bunt-001.png" ..,
/// with at least three digits.
QStringList numberedNames(const QString &output, int count);

/// Milliseconds between the in-between images of a smooth animation (25 a second).
inline constexpr int kGlideStepMs = 40;

/// Reports progress (images done, images in all); returning false cancels the export.
using ExportProgress = std::function<bool(int done, int total)>;

/// Told of a frame that could not be drawn whole (frame number, the failure); the export goes
/// on with the picture as far as it was drawn, as the window shows such a frame.
using DrawingFailed = std::function<void(int frame, const RuntimeError &failure)>;

/// Writes the export options ask for from play, drawing with imager; the outputs are checked
/// first against options.play and options.plays (see checkOutputs). Every file is written
/// whole to a temporary file beside it, and the files replace theirs only once all are
/// written: after a failure or a cancel no new file is left and every existing one keeps its
/// old contents. Failures throw RuntimeError (writing) or ExportError (a frame that is not in
/// the play). Returns false when cancelled.
bool exportPlay(const ExportOptions &options, const PlaySnapshot &play, PlayImager &imager,
                const ExportProgress &progress = {}, const DrawingFailed &drawingFailed = {});

/// How many images the GIF export draws for a play of frameCount frames: one per frame, and
/// with smooth an in-between image every kGlideStepMs of each change, which lasts delayMs.
int animationImageCount(int frameCount, int delayMs, bool smooth);

} // namespace kinetra
