#pragma once

#include "surface/framelooks.h"

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

namespace kinetra {

class FrameList;
class PrintTarget;
class Surface;

/// What the user chose to print.
struct PrintOptions
{
    bool legend = true;     ///< the action-line legend at the foot of every frame page
    bool notes = true;      ///< a notes page after the frames
    bool small = false;     ///< several frames a page at 1/2.1 of the large size
    bool allFrames = false; ///< every frame rather than the surface as shown
    QFont font;             ///< the printer font
};

/// Everything printed besides the frames: the play's texts, the action lines' names and
/// looks, and the program's icon for the page headers.
struct PrintJob
{
    PrintOptions options;
    QString title;
    QString date;
    QString time;
    QString notes;
    std::array<QString, 8> actionLabels;
    FrameLooks looks; ///< ActionType, ActionSize and ActionColor draw the legend's samples
    QImage icon;
};

/// The picture printed for frame `index` (1-based); with "current frame only" it is asked
/// for once, with index 1.
using FramePicture = std::function<QImage(int16_t index)>;
/// The surface showing frame `index`, asked for as FramePicture is; it is printed at the
/// printer's resolution (see PrintTarget::drawSurface).
using FrameSurface = std::function<const Surface &(int16_t index)>;

/// Size in dots of each printed frame picture on a page of `page` dots with lines
/// `lineHeight` dots high, for a surface of `surface` pixels: the room between header and
/// legend (width less 40, height less 12 lines), divided by 2.1 for small pictures, then
/// narrowed to the surface's shape. A wide surface takes the full width and a tall one the
/// full height, unless that would run past the other dimension's room, which then decides.
/// Throws Overflow (6) for sizes outside 32 bits.
QSize printPictureSize(QSize page, int lineHeight, QSize surface, bool small);

/// Prints a play on target: frame pages, each started with the icon, the header
/// " <title> : Created on <date> at <time>", " Page : <n>" and, when chosen, the legend;
/// large pictures one a page and centred, small ones left to right in rows one line apart,
/// a new page when the next row would not fit; then the notes page, its text wrapped to the
/// page and continued on further pages. `surfaceSize` gives the pictures' shape and
/// `frameCount` the frames printed with "all frames". Ends the document on target. Returns
/// the number of pages printed. Failures throw; pages already sent stay sent.
int printPlay(PrintTarget &target, const PrintJob &job, QSize surfaceSize, int16_t frameCount,
              const FramePicture &picture);
int printPlay(PrintTarget &target, const PrintJob &job, QSize surfaceSize, int16_t frameCount,
              const FrameSurface &surface);

/// Prints the frames of a play without a window: each frame printed (with "all frames") or
/// the current frame is drawn on `surface` (wiped to its field picture first, drawn in its
/// own label font) with job.looks.
int printPlay(PrintTarget &target, const PrintJob &job, const FrameList &frames,
              Surface &surface);

} // namespace kinetra
