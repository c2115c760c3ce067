#pragma once

#include <QLineF>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace kinetra {

// Where everything goes on a printed page, worked out before anything is drawn. These
// functions only compute: they take the page, the line height and a way to measure text, and
// return rectangles and the texts as they are to be printed, so the layout can be checked
// without a printer.

/// The printed width of a text in page dots, in the font it will be printed in.
using TextMeasure = std::function<int(const QString &)>;

/// A line of text with its top-left corner on the page.
struct PlacedText
{
    QPoint at;
    QString text;
};

/// Splits text into lines of at most maxLines: at blanks where it can, inside a word only when
/// the word is wider than the whole line. Line i may be lineWidth(i) dots wide. Whatever does
/// not fit in maxLines lines is cut off and the last line ends in an ellipsis. Line breaks in
/// text start a new line. An empty text gives one empty line.
QStringList wrapLines(const QString &text, const std::function<int(int line)> &lineWidth,
                      int maxLines, const TextMeasure &measure);

/// The longest start of text no wider than width followed by an ellipsis, or text itself when
/// it fits.
QString elideText(const QString &text, int width, const TextMeasure &measure);

/// Lays out a block of text from top-left `at`, one line every lineHeight dots, at most
/// maxLines lines, each ending before pageWidth; a line that shares rows with `keepOut` (the
/// icon) ends a gap before its left edge instead.
QList<PlacedText> layoutTextBlock(const QString &text, QPoint at, int pageWidth, QRect keepOut,
                                  int lineHeight, int maxLines, const TextMeasure &measure);

/// What the legend explains: an action line, or a mark as the frames draw it.
enum class LegendKind { Line, Out, Offense, Defense, Symbol };

/// One entry of the legend, its sizes in dots of the printed picture.
struct LegendEntry
{
    LegendKind kind = LegendKind::Line;
    /// The action line (0..7), the symbol (0..7), or for a player's mark the side that shows
    /// it (0 offence, 1 defence).
    int index = 0;
    QString name;
    int16_t type = 1;      ///< 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot
    int16_t endType = 0;   ///< 0 arrowhead, 1 cross bar, anything else none
    double width = 1;      ///< line width
    double marker = 7;     ///< how far the end marker reaches from the line's end
    QSizeF mark;           ///< a mark's picture: a player's marker or a symbol

    bool operator==(const LegendEntry &) const = default;
};

/// One entry's place in the legend.
struct LegendCell
{
    int entry = 0;        ///< index into the entries laid out
    QRect cell;           ///< the entry's whole room
    QStringList name;     ///< one or two lines, the last elided when the name is longer
    QPoint nameAt;        ///< top-left of the first name line
    QLineF sample;        ///< the sample line from its start to its end, where the marker sits
    QRectF sampleBounds;  ///< what the sample covers, line, caps and marker
};

struct LegendLayout
{
    QRect box;            ///< the outline around the entries
    int rows = 0;
    int columns = 0;
    QList<LegendCell> cells;
};

/// Size in dots of each printed frame picture on a page of `page` dots with lines
/// `lineHeight` dots high, for a surface of `surface` pixels: the room between header and
/// legend (width less 40, height less 12 lines), divided by 2.1 for small pictures, then
/// narrowed to the surface's shape. A wide surface takes the full width and a tall one the
/// full height, unless that would run past the other dimension's room, which then decides.
/// Throws Overflow (6) for sizes outside 32 bits.
QSize printPictureSize(QSize page, int lineHeight, QSize surface, bool small);

/// How many pen widths one repeat of a line type's dash pattern takes (0 for solid).
double dashPeriod(int16_t type);

/// Lays out the legend in a box from x 0 to width - 10 whose bottom is at `bottom`: the lines,
/// then the marks from a row of their own. Each takes one row when every name fits its cell on
/// one line and every sample can show its dash, otherwise two (of four for eight lines); the
/// cells are as wide as the group with more columns needs. A name wraps to a second line and
/// is then elided. A line's sample runs across its cell under the name, at least long enough
/// to show its dash twice where the cell allows; a mark's picture stands under its name at
/// the cell's left, at its own size.
LegendLayout layoutLegend(const QList<LegendEntry> &entries, int width, int bottom,
                          int lineHeight, const TextMeasure &measure);

/// What decides the layout of a page of frame pictures.
struct FramePageRequest
{
    QSize page;              ///< printable size in dots
    int lineHeight = 0;
    int dotsPerInch = 300;
    QSize surface;           ///< the pictures' shape, in surface pixels
    bool small = false;
    QString header;          ///< " <title> : Created on <date> at <time>"
    QString pageLine;        ///< " Page : <n>"; empty when the footer numbers the pages
    bool footer = false;     ///< a "Page n of m" line at the foot
    bool legend = false;
    /// The legend's entries with sizes in surface pixels; the layout scales them to the
    /// printed pictures.
    QList<LegendEntry> entries;
    /// Lines of caption room kept under large pictures (0 for none), each captionHeight high.
    int captionLines = 0;
    int captionHeight = 0;
};

/// Where everything on a page of frame pictures goes.
struct FramePageLayout
{
    QRect icon;
    QList<PlacedText> header;   ///< the header's lines, then the page line
    QRect pictureArea;          ///< the room the pictures share, between header and legend
    QSize picture;              ///< the size of every picture
    QList<QRect> places;         ///< the pictures' places, in printing order
    LegendLayout legend;        ///< empty without a legend
    QRect footer;               ///< the "Page n of m" line; empty without one
    double scale = 1;           ///< printed dots per surface pixel
    int captionTop = 0;         ///< where a large picture's caption starts
};

/// A picture's caption as printed: its number (empty for none) and the caption's lines.
struct PlacedCaption
{
    PlacedText number;
    QList<PlacedText> lines;
};

/// The gap between a picture and the caption under it.
int captionGap(int lineHeight);

/// Lays out the caption under `picture` from y `top`: the number and the text after it on one
/// line centred under the picture when they fit its width; otherwise the number at the
/// picture's left and the text wrapped beside it into at most maxLines lines (the last elided),
/// or without a number each line centred.
PlacedCaption layoutCaption(const QString &number, const QString &text, const QRect &picture,
                            int top, int lineHeight, int maxLines, const TextMeasure &measure);

/// The smallest gap kept between pictures and around them: 3 mm.
int pictureGutter(int dotsPerInch);

/// The icon's place at the top right of every page.
QRect headerIconRect(QSize page);

/// Lays out a page of frame pictures: the icon at the top right; the header from two lines
/// down, wrapped or elided beside the icon (at most three lines), then the page line; the
/// pictures from two lines below that; the legend at the foot (above the footer when there is
/// one). Large pictures come one a page, centred; small ones fill the rows of a grid, centred
/// across the page, a gutter apart, as many as fit (at least two across and two down on
/// portrait A4 and Letter). Pictures are at most the size printPictureSize gives and shrink
/// when a long header or a tall legend leaves less room.
FramePageLayout layoutFramePage(const FramePageRequest &request, const TextMeasure &measure);

/// What decides the layout of a play's sheet.
struct SheetRequest
{
    QSize page;              ///< printable size in dots
    int lineHeight = 0;
    int dotsPerInch = 300;
    QSize surface;           ///< the pictures' shape, in surface pixels
    int frames = 1;          ///< how many frames are printed
    /// The heading's lines (a position sheet's "SS - Tigers"), then
    /// " <title> : Created on <date> at <time>"; line breaks start new lines.
    QString header;
    bool pageLine = false;   ///< a " Page : <n>" line under the header
    bool footer = false;     ///< a "Page n of m" line at the foot
    bool legend = false;
    QList<LegendEntry> entries; ///< sizes in surface pixels, as for a frame page
    bool notes = false;      ///< the notes are printed
    QString notesText;
    /// Each frame's caption (empty for none), printed after its number.
    QStringList captions;
    /// The captions' lines and how their text is measured (at least 10 points); a height of 0
    /// takes the line height and the measure given to layoutSheet.
    int captionHeight = 0;
    TextMeasure captionMeasure;
};

/// One page of a sheet.
struct SheetPage
{
    QList<PlacedText> header;    ///< the header's lines, then the page line ("" for its number)
    QSize picture;               ///< the size of this page's pictures
    double scale = 1;            ///< printed dots per surface pixel
    int columns = 1;
    int rows = 1;
    QList<QRect> places;         ///< the pictures' places, in printing order
    QList<int> frames;           ///< the frame (1-based) printed in each place
    QList<PlacedCaption> captions; ///< each picture's number and caption, under it
    LegendLayout legend;         ///< on pages with pictures, when chosen
    double legendScale = 1;      ///< printed dots per surface pixel of the legend's samples
    QList<PlacedText> notes;     ///< "Notes:" (on the first page with notes), then the lines
    int notesRuleY = -1;         ///< the rule under "Notes:"; -1 on pages without it
};

/// A play laid out as a sheet.
struct SheetLayout
{
    QRect icon;
    QList<SheetPage> pages;
};

/// How many frames each page of a sheet holds: all on one page up to six, more spread as
/// evenly as they go over the fewest pages of at most six, the earlier pages taking one more.
QList<int> sheetPageFrames(int frames);

/// Lays out a play on one sheet where it fits: the header as on a frame page (with the
/// heading's lines above the title), each page's frames in the grid of columns and rows that
/// makes them largest among those with at most one cell empty, a short last row centred,
/// each frame with its number and caption under it, the legend at the foot, and the notes
/// just above the legend. Up to twelve lines of notes are kept on the page with the last
/// pictures, which shrink to leave them room; longer notes go on over further pages headed
/// like the first.
SheetLayout layoutSheet(const SheetRequest &request, const TextMeasure &measure);

/// One line of a playbook's contents.
struct ContentsEntry
{
    QString title;
    int firstPage = 1;
};

/// A contents line as printed: the title, the page number right-aligned and the dotted
/// leader between them.
struct ContentsRow
{
    PlacedText title;
    PlacedText number;
    QLine leader;         ///< empty when the title leaves no room for one
};

/// One page of the contents.
struct ContentsPage
{
    QList<PlacedText> heading; ///< the playbook's name (first page only), in the heading font
    int ruleY = -1;            ///< a rule under the heading (first page only)
    QList<ContentsRow> rows;
};

/// Lays out the contents: the playbook's name in the heading font (lines headingHeight high,
/// measured by measureHeading) beside the icon, a rule, then one row per entry, continued on
/// further pages above a footer line.
QList<ContentsPage> layoutContents(QSize page, int lineHeight, int headingHeight,
                                   const TextMeasure &measureHeading,
                                   const TextMeasure &measure, const QString &name,
                                   const QList<ContentsEntry> &entries);

} // namespace kinetra
