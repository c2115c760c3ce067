#pragma once

#include "output/pagelayout.h"
#include "surface/framelooks.h"

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>

namespace kinetra {

class FrameList;
class PrintTarget;
class Surface;
struct PlaySnapshot;

/// What the user chose to print, and the icon the page headers show.
struct PrintOptions
{
    bool legend = true;     ///< the action-line legend at the foot of every frame page
    bool notes = true;      ///< a notes page after the frames
    bool small = false;     ///< several frames a page at 1/2.1 of the large size
    /// The play on one sheet: the frames in a grid that fills the page, each captioned with
    /// its number, the legend once and the notes below them. Wins over small.
    bool sheet = false;
    bool allFrames = false; ///< every frame rather than the surface as shown
    /// Black and white: a light grey field, every line black or dark grey in its own dash and
    /// end marker, players in black outline, the legend drawn alike.
    bool mono = false;
    QFont font;             ///< the printer font
    QImage icon;            ///< the program's icon at the top of every page; none when null
    /// A position's sheet: the label of the player drawn with a highlight ring, his lines at
    /// full strength and everyone else faded; empty for none.
    QString focus;
    /// A line printed above the header, naming the section ("SS - Tigers 12U Defence");
    /// empty for none.
    QString heading;
    /// Playbooks only: after the plays, a section of position sheets for each of these
    /// labels, in order.
    QStringList positions;
    /// The looks the frames are drawn with, in colour: the legend draws its marks with them
    /// (in black and white when mono) and names the symbols by their symbolNames.
    FrameLooks looks;
};

/// How a play's pages are numbered: on its own by the header's " Page : <n>" line; in a
/// playbook by a "Page <n> of <m>" footer, counting on from the pages before it.
struct PageNumbering
{
    int first = 1;  ///< the number of the play's first page
    int total = 0;  ///< the document's pages; 0 numbers pages in the header instead
};

/// What a frame is printed from: the surface showing it, drawn again at the printer's
/// resolution (see PrintTarget::drawSurface), or else a picture of it.
struct FrameShot
{
    FrameShot(const QImage &picture) : image(picture) {}
    FrameShot(const Surface &shown) : surface(&shown) {}
    QImage image;
    const Surface *surface = nullptr;
};

/// What is printed for frame `index` (1-based); with "current frame only" it is asked for
/// once, with index 1.
using FramePicture = std::function<FrameShot(int16_t index)>;

/// The action lines the frames printed draw (every frame with allFrames, else the current
/// one); all eight when they draw none, so the legend still explains the palette's lines.
std::array<bool, 8> legendLines(const FrameList &frames, bool allFrames);

/// The legend's entries for the frames printed (every frame with allFrames, else the current
/// one): the action lines of legendLines, named and drawn as the play's looks say; then each
/// mark a printed frame shows as looks draws it: "Out" (a player with the active mark, of the
/// side of the first one), "Offense" and "Defense" (a player of that side) and every symbol
/// under its name. Marks are sized in surface pixels as the frames draw them.
QList<LegendEntry> legendEntries(const PlaySnapshot &play, bool allFrames,
                                 const FrameLooks &looks);

/// The font captions are printed in: the printer font, at least 10 points.
QFont captionFont(const QFont &font);
/// Prints `play` on target as one document titled with the play's title: frame pages laid out
/// by layoutFramePage, each with the icon, the header " <title> : Created on <date> at <time>"
/// (wrapped or elided beside the icon), " Page : <n>" and, when chosen, the legend of the lines
/// printed (see legendLines), named and drawn as the play's action-line looks say; large
/// pictures one a page and centred, small ones in rows a gutter apart, as many as fit; then the
/// notes page, its text wrapped to the page and continued on further pages. `surfaceSize` gives
/// the pictures' shape; "all frames" prints every frame of the play. Ends the document on
/// target. Returns the number of pages printed. Failures throw; pages already sent stay sent.
int printPlay(PrintTarget &target, const PlaySnapshot &play, const PrintOptions &options,
              QSize surfaceSize, const FramePicture &picture);

/// Prints a play's pages, as printPlay lays them out, into a document target has begun,
/// numbered as `numbering` says; the first page is started first unless it is the
/// document's first. Returns the number of pages printed.
int printPlayPages(PrintTarget &target, const PlaySnapshot &play, const PrintOptions &options,
                   QSize surfaceSize, const FramePicture &picture, PageNumbering numbering);

/// Prints "Page <page> of <total>" centred on the last line of the page.
void printPageFooter(PrintTarget &target, int page, int total);

/// How many pages printPlayPages prints for the play, measured in target's current font;
/// nothing is drawn and no picture is asked for.
int countPlayPages(const PrintTarget &target, const PlaySnapshot &play,
                   const PrintOptions &options, QSize surfaceSize, PageNumbering numbering);

/// Prints the frames of a play without a window: each frame printed (with "all frames") or
/// the current frame is drawn on `surface` (wiped to its field picture first, drawn in its
/// own label font) with `looks`.
int printPlay(PrintTarget &target, const PlaySnapshot &play, const PrintOptions &options,
              const FrameLooks &looks, Surface &surface);

} // namespace kinetra
