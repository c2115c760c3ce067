// The printed page's layout, checked on the page model: legend cells, header lines and
// pictures stay on the page, apart from each other and off the icon.
#include "output/pagelayout.h"

#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>

#include <gtest/gtest.h>

namespace kinetra {
namespace {

// Text as a 300-dot printer measures the printer's 10-point font.
class PrinterText
{
public:
    PrinterText()
        : m_device(8, 8, QImage::Format_RGB32)
    {
        m_device.setDotsPerMeterX(qRound(300 / 0.0254));
        m_device.setDotsPerMeterY(qRound(300 / 0.0254));
    }
    int height() const { return QFontMetrics(m_font, &m_device).height(); }
    TextMeasure measure() const
    {
        return [this](const QString &text) {
            return QFontMetrics(m_font, &m_device).horizontalAdvance(text);
        };
    }
    QRect rect(const PlacedText &text) const
    {
        return QRect(text.at, QSize(measure()(text.text), height()));
    }

private:
    QImage m_device;
    QFont m_font{"DejaVu Sans", 10};
};

// Eight action lines with names of 30 characters, every dash, end and width.
QList<LegendEntry> longEntries()
{
    QList<LegendEntry> entries;
    for (int k = 0; k < 8; ++k) {
        LegendEntry e;
        e.index = k;
        e.name = QString("Fielder %1 backs up the throw to third").arg(k + 1).left(30);
        e.type = int16_t(1 + k % 5);
        e.endType = int16_t(k % 3);
        e.width = k % 3 == 0 ? 1 : k % 3 == 1 ? 3 : 6;
        entries << e;
    }
    return entries;
}

struct PageCase
{
    const char *name;
    QPageSize::PageSizeId paper;
    QPageLayout::Orientation orientation;
    bool small;
    int pictures; // a page's pictures
};

void PrintTo(const PageCase &c, std::ostream *os)
{
    *os << c.name;
}

class FramePageLayoutTest : public testing::TestWithParam<PageCase>
{
};

TEST_P(FramePageLayoutTest, EverythingStaysOnThePageApartAndOffTheIcon)
{
    const PageCase c = GetParam();
    const PrinterText text;
    const QPageLayout paper(QPageSize(c.paper), c.orientation, QMarginsF(6.35, 6.35, 6.35, 6.35),
                            QPageLayout::Millimeter);
    FramePageRequest request;
    request.page = paper.paintRectPixels(300).size();
    request.lineHeight = text.height();
    request.dotsPerInch = 300;
    request.surface = QSize(400, 373);
    request.small = c.small;
    request.header = " Squeeze : Created on 12-07-2026 at 14:10:09";
    request.pageLine = " Page : 1";
    request.legend = true;
    request.entries = longEntries();
    const FramePageLayout layout = layoutFramePage(request, text.measure());
    const QRect page(QPoint(0, 0), request.page);
    const int gutter = pictureGutter(300);
    ASSERT_GE(gutter, 35); // 3 mm

    // The legend: two rows of four cells inside the box, each name in at most two lines
    // within its cell, each sample under its name, long enough to show a dash at least once.
    const LegendLayout &legend = layout.legend;
    ASSERT_EQ(legend.cells.size(), 8);
    EXPECT_EQ(legend.rows, 2);
    EXPECT_EQ(legend.columns, 4);
    EXPECT_TRUE(page.contains(legend.box));
    for (const LegendCell &cell : legend.cells) {
        const LegendEntry &e = request.entries[cell.entry];
        EXPECT_TRUE(legend.box.contains(cell.cell)) << e.name.toStdString();
        for (const LegendCell &other : legend.cells) {
            if (&other != &cell) {
                EXPECT_FALSE(cell.cell.intersects(other.cell)) << cell.entry << " " << other.entry;
            }
        }
        ASSERT_GE(cell.name.size(), 1);
        ASSERT_LE(cell.name.size(), 2);
        for (int j = 0; j < cell.name.size(); ++j) {
            const QRect name = text.rect({cell.nameAt + QPoint(0, j * request.lineHeight),
                                          cell.name[j]});
            EXPECT_TRUE(cell.cell.contains(name)) << cell.name[j].toStdString();
            EXPECT_LE(name.bottom(), cell.sampleBounds.top());
        }
        EXPECT_TRUE(QRectF(cell.cell).contains(cell.sampleBounds)) << e.name.toStdString();
        const double width = e.width * layout.scale;
        EXPECT_GE(cell.sample.length(), dashPeriod(e.type) * width) << e.name.toStdString();
    }

    // The header: on the page and off the icon.
    ASSERT_EQ(layout.header.size(), 2);
    for (const PlacedText &line : layout.header) {
        EXPECT_TRUE(page.contains(text.rect(line)));
        EXPECT_FALSE(text.rect(line).intersects(layout.icon));
    }
    EXPECT_TRUE(page.contains(layout.icon));

    // The pictures: below the header, above the legend, a gutter apart.
    ASSERT_EQ(layout.places.size(), c.pictures);
    const int headerBottom = text.rect(layout.header.last()).bottom();
    for (int i = 0; i < layout.places.size(); ++i) {
        const QRect p = layout.places[i];
        EXPECT_EQ(p.size(), layout.picture);
        EXPECT_TRUE(page.contains(p)) << i;
        EXPECT_GT(p.top(), headerBottom) << i;
        EXPECT_LE(p.bottom() + gutter, legend.box.top()) << i;
        for (int j = i + 1; j < layout.places.size(); ++j) {
            const QRect q = layout.places[j];
            const bool apart = p.right() + gutter < q.left() || q.right() + gutter < p.left()
                               || p.bottom() + gutter < q.top() || q.bottom() + gutter < p.top();
            EXPECT_TRUE(apart) << i << " and " << j;
        }
    }
    // The pictures keep the surface's shape and print its lines in proportion.
    EXPECT_NEAR(double(layout.picture.height()) / layout.picture.width(), 373.0 / 400, 0.01);
    EXPECT_DOUBLE_EQ(layout.scale, layout.picture.width() / 400.0);
}

INSTANTIATE_TEST_SUITE_P(
    Papers, FramePageLayoutTest,
    testing::Values(
        PageCase{"A4 portrait large", QPageSize::A4, QPageLayout::Portrait, false, 1},
        PageCase{"A4 portrait small", QPageSize::A4, QPageLayout::Portrait, true, 4},
        PageCase{"A4 landscape large", QPageSize::A4, QPageLayout::Landscape, false, 1},
        PageCase{"A4 landscape small", QPageSize::A4, QPageLayout::Landscape, true, 6},
        PageCase{"Letter portrait large", QPageSize::Letter, QPageLayout::Portrait, false, 1},
        PageCase{"Letter portrait small", QPageSize::Letter, QPageLayout::Portrait, true, 4},
        PageCase{"Letter landscape large", QPageSize::Letter, QPageLayout::Landscape, false, 1},
        PageCase{"Letter landscape small", QPageSize::Letter, QPageLayout::Landscape, true, 6}),
    [](const testing::TestParamInfo<PageCase> &info) {
        return QString(info.param.name).replace(' ', '_').toStdString();
    });

struct LegendCase
{
    const char *name;
    QStringList names;
    int rows, columns;
    QStringList firstName; // how the first entry's name is printed
};

void PrintTo(const LegendCase &c, std::ostream *os)
{
    *os << c.name;
}

class LegendLayoutTest : public testing::TestWithParam<LegendCase>
{
};

TEST_P(LegendLayoutTest, NamesThatFitShareOneRowOthersTakeTwoAndWrapThenElide)
{
    const LegendCase c = GetParam();
    const PrinterText text;
    QList<LegendEntry> entries;
    for (const QString &name : c.names) {
        LegendEntry e;
        e.name = name;
        e.width = 6;
        e.marker = 14;
        entries << e;
    }
    const LegendLayout legend = layoutLegend(entries, 2400, 3150, text.height(), text.measure());
    EXPECT_EQ(legend.rows, c.rows);
    EXPECT_EQ(legend.columns, c.columns);
    ASSERT_EQ(legend.cells.size(), c.names.size());
    EXPECT_EQ(legend.cells[0].name, c.firstName);
    EXPECT_EQ(legend.box.bottom(), 3150);
    EXPECT_EQ(legend.box.right(), 2390);
}

const QString kLongName = "Second baseman covers the bag while the shortstop goes out to take "
                          "the relay from the left fielder and throws home";

INSTANTIATE_TEST_SUITE_P(
    Names, LegendLayoutTest,
    testing::Values(
        LegendCase{"eight short names in one row",
                   {"Run", "Hit", "Throw", "Bunt", "Cover", "Back Up", "Lead", "Steal"},
                   1, 8, {"Run"}},
        LegendCase{"three short names in one row", {"Run", "Throw", "Cover"}, 1, 3, {"Run"}},
        LegendCase{"eight long names in two rows of four",
                   {"Runner to third", "B", "C", "D", "E", "F", "G", "H"},
                   2, 4, {"Runner to third"}},
        LegendCase{"seven long names in two rows",
                   {kLongName, "B", "C", "D", "E", "F", "G"}, 2, 4,
                   {"Second baseman covers", "the bag while the shorts\u2026"}}),
    [](const testing::TestParamInfo<LegendCase> &info) {
        return QString(info.param.name).replace(' ', '_').toStdString();
    });

TEST(HeaderLayout, ALongTitleWrapsBesideTheIconAndIsElidedAfterThreeLines)
{
    const PrinterText text;
    const QSize page(2400, 3200);
    const QRect icon = headerIconRect(page);
    const int h = text.height();
    QString title;
    for (int i = 1; i <= 40; ++i)
        title += QString("word%1 ").arg(i);
    title += ": Created on 12-07-2026 at 14:10:09";
    // At the top of the page (the notes page's header), beside the icon.
    const QList<PlacedText> lines =
        layoutTextBlock(title, QPoint(0, 0), page.width(), icon, h, 3, text.measure());
    ASSERT_EQ(lines.size(), 3);
    for (const PlacedText &line : lines) {
        EXPECT_FALSE(text.rect(line).intersects(icon)) << line.text.toStdString();
        EXPECT_LE(text.rect(line).right(), page.width()) << line.text.toStdString();
    }
    EXPECT_LT(text.rect(lines[0]).right(), icon.left());
    EXPECT_TRUE(lines[0].text.startsWith("word1 word2 "));
    EXPECT_TRUE(lines[2].text.endsWith(QString("\u2026")));

    // A title that fits in two lines is printed whole.
    const QString shorter = QStringList(title.split(' ').mid(0, 25)).join(' ');
    const QList<PlacedText> two =
        layoutTextBlock(shorter, QPoint(0, 0), page.width(), icon, h, 3, text.measure());
    ASSERT_EQ(two.size(), 2);
    EXPECT_EQ(two[0].text + " " + two[1].text, shorter);
}

// A play on one sheet, for one to eight frames and no, ten and 3,000 lines of notes on A4 and
// Letter both ways, every other frame with a caption of 120 characters: nothing overlaps or
// leaves the page, every frame and every line of notes is printed once and in order, and up
// to six frames with ten lines of notes take one page.
TEST(SheetLayout, FramesCaptionsLegendAndNotesShareThePageApart)
{
    const PrinterText text;
    const int h = text.height();
    const int gutter = pictureGutter(300);
    for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
        for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
            const QPageLayout pageLayout(QPageSize(paper), orientation,
                                         QMarginsF(6.35, 6.35, 6.35, 6.35),
                                         QPageLayout::Millimeter);
            const QRect page(QPoint(0, 0), pageLayout.paintRectPixels(300).size());
            for (const int noteLines : {0, 10, 3000}) {
                QStringList notes;
                for (int i = 1; i <= noteLines; ++i)
                    notes << QString("Line %1 of the notes.").arg(i);
                for (int frames = 1; frames <= 8; ++frames) {
                    SCOPED_TRACE(QString("%1 %2 %3 frames %4 lines")
                                     .arg(QPageSize::name(paper))
                                     .arg(orientation == QPageLayout::Portrait ? "portrait"
                                                                               : "landscape")
                                     .arg(frames)
                                     .arg(noteLines)
                                     .toStdString());
                    SheetRequest request;
                    request.page = page.size();
                    request.lineHeight = h;
                    request.surface = QSize(400, 373);
                    request.frames = frames;
                    request.header = " SS - Tigers 12U Defence\n Cutoff : Created on 12-07-2026";
                    request.footer = true;
                    request.legend = true;
                    request.entries = longEntries();
                    request.notes = true;
                    request.notesText = notes.join('\n');
                    for (int i = 1; i <= frames; ++i)
                        request.captions << (i % 2 ? QString(120, 'w') : QString());
                    const SheetLayout layout = layoutSheet(request, text.measure());

                    if (frames <= 6 && noteLines <= 10) {
                        EXPECT_EQ(layout.pages.size(), 1);
                    }
                    QList<int> printed;
                    QStringList notesPrinted;
                    const QRect footer(0, page.height() - h - gutter, page.width(), h + gutter);
                    for (const SheetPage &p : layout.pages) {
                        // What the page holds, each with its room; the legend's box holds
                        // its cells, which the legend test checks.
                        QList<QRect> rects{layout.icon, footer};
                        for (const PlacedText &line : p.header)
                            rects << text.rect(line);
                        rects << p.places;
                        if (!p.places.isEmpty()) {
                            EXPECT_NEAR(double(p.picture.height()) / p.picture.width(),
                                        373.0 / 400, 0.01);
                        }
                        for (const PlacedCaption &caption : p.captions) {
                            rects << text.rect(caption.number);
                            for (const PlacedText &line : caption.lines)
                                rects << text.rect(line);
                        }
                        if (!p.legend.cells.isEmpty())
                            rects << p.legend.box;
                        for (const PlacedText &line : p.notes)
                            rects << text.rect(line);
                        if (p.notesRuleY >= 0)
                            rects << QRect(0, p.notesRuleY, page.width() - 10, 1);
                        for (int i = 0; i < rects.size(); ++i) {
                            EXPECT_TRUE(page.contains(rects[i])) << i;
                            for (int j = i + 1; j < rects.size(); ++j)
                                EXPECT_FALSE(rects[i].intersects(rects[j])) << i << " " << j;
                        }
                        ASSERT_EQ(p.captions.size(), p.places.size());
                        for (int i = 0; i < p.places.size(); ++i)
                            EXPECT_EQ(p.captions[i].number.text, QString::number(p.frames[i]));
                        printed << p.frames;
                        for (const PlacedText &line : p.notes)
                            notesPrinted << line.text;
                    }
                    QList<int> all;
                    for (int i = 1; i <= frames; ++i)
                        all << i;
                    EXPECT_EQ(printed, all);
                    ASSERT_FALSE(notesPrinted.isEmpty());
                    EXPECT_EQ(notesPrinted.takeFirst(), "Notes:");
                    EXPECT_EQ(notesPrinted, noteLines ? notes : QStringList{QString()});
                }
            }
        }
    }
}

// The grid of a sheet for one to eight frames, worked out by hand. The page is A4 or Letter
// with quarter-inch margins at 300 dots an inch (2329 x 3358 and 2400 x 3150 dots upright: Qt
// takes A4 as 595 x 842 points); lines are 50 dots high and nothing but a one-line header
// shares the page, so the pictures start at 125 (a blank line, the header, half a line) and
// have the page's height less 125 and its width less 20, with gutters of 3 mm (36 dots)
// between them and 6 + 50 dots under each for its number. Among the grids with at most one cell
// empty, a 400 x 373 picture gets (grids as columns x rows), on upright A4 (2309 x 3233):
//   two frames:   1 x 2 min(2309/400, 1542.5/373) = 4.14 against 2 x 1 min(1136.5/400, ..) = 2.84;
//   three, four:  2 x 2 min(1136.5/400, 1542.5/373) = 2.84 against 1 x 3 2.67;
//   five, six:    2 x 3 min(1136.5/400, 997.7/373) = 2.67 against 3 x 2 min(745.7/400, ..) = 1.86;
// on A4 lying (3338 x 2204): two 2 x 1 min(1651/400, 2148/373) = 4.13 against 1 x 2 2.76;
//   three 2 x 2 min(1651/400, 1028/373) = 2.76 against 3 x 1 min(1088.7/400, ..) = 2.72;
//   five, six 3 x 2 2.72 against 2 x 3 1.76;
// on upright Letter (2380 x 3025): two 1 x 2 3.86, five, six 2 x 3 2.49 against 3 x 2 1.92;
// on Letter lying (3130 x 2275): two 2 x 1 3.87, three 2 x 2 2.85 against 3 x 1 2.55, five,
// six 3 x 2 2.55. Seven frames go on two pages of four and three, eight on two of four.
struct GridCase
{
    const char *name;
    QPageSize::PageSizeId paper;
    QPageLayout::Orientation orientation;
    QSize page;             // its printable dots, as worked out above
    int frames;
    QList<QSize> grids;     // each page's columns x rows
    QList<int> perPage;     // pictures on each page
};

void PrintTo(const GridCase &c, std::ostream *os)
{
    *os << c.name;
}

class SheetGrid : public testing::TestWithParam<GridCase>
{};

TEST_P(SheetGrid, MakesThePicturesAsLargeAsThePageAllowsWithAtMostOneCellEmpty)
{
    const GridCase &c = GetParam();
    const QPageLayout paper(QPageSize(c.paper), c.orientation, QMarginsF(6.35, 6.35, 6.35, 6.35),
                            QPageLayout::Millimeter);
    ASSERT_EQ(paper.paintRectPixels(300).size(), c.page);
    SheetRequest request;
    request.page = c.page;
    request.lineHeight = 50;
    request.surface = QSize(400, 373);
    request.frames = c.frames;
    request.header = " Squeeze : Created on 12-07-2026";
    const SheetLayout layout =
        layoutSheet(request, [](const QString &text) { return 25 * int(text.size()); });
    ASSERT_EQ(layout.pages.size(), c.grids.size());
    int frame = 1;
    for (int p = 0; p < layout.pages.size(); ++p) {
        SCOPED_TRACE(p);
        const SheetPage &page = layout.pages[p];
        const int columns = c.grids[p].width();
        const int rows = c.grids[p].height();
        EXPECT_EQ(page.columns, columns);
        EXPECT_EQ(page.rows, rows);
        ASSERT_EQ(page.places.size(), c.perPage[p]);
        // The grid's cell, less the gutters between cells and the number under each row.
        const double across = (c.page.width() - 20.0 - (columns - 1) * 36) / columns;
        const double down = (c.page.height() - 125.0 - rows * 56 - (rows - 1) * 36) / rows;
        const double scale = std::min(across / 400, down / 373);
        const QSize picture(int(400 * scale), int(373 * scale));
        EXPECT_EQ(page.picture, picture);
        for (int i = 0; i < page.places.size(); ++i) {
            const int row = i / columns;
            const int inRow = std::min<int>(columns, int(page.places.size()) - row * columns);
            const int rowWidth = inRow * picture.width() + (inRow - 1) * 36;
            const QPoint at((c.page.width() - rowWidth) / 2 + i % columns * (picture.width() + 36),
                            125 + row * (picture.height() + 56 + 36));
            EXPECT_EQ(page.places[i], QRect(at, picture)) << i;
            EXPECT_EQ(page.frames[i], frame++);
        }
    }
}

const QSize kA4(2329, 3358);
const QSize kLetter(2400, 3150);
constexpr auto kUpright = QPageLayout::Portrait;
constexpr auto kLying = QPageLayout::Landscape;

INSTANTIATE_TEST_SUITE_P(
    Frames, SheetGrid,
    testing::Values(
        GridCase{"A4Upright1", QPageSize::A4, kUpright, kA4, 1, {{1, 1}}, {1}},
        GridCase{"A4Upright2", QPageSize::A4, kUpright, kA4, 2, {{1, 2}}, {2}},
        GridCase{"A4Upright3", QPageSize::A4, kUpright, kA4, 3, {{2, 2}}, {3}},
        GridCase{"A4Upright4", QPageSize::A4, kUpright, kA4, 4, {{2, 2}}, {4}},
        GridCase{"A4Upright5", QPageSize::A4, kUpright, kA4, 5, {{2, 3}}, {5}},
        GridCase{"A4Upright6", QPageSize::A4, kUpright, kA4, 6, {{2, 3}}, {6}},
        GridCase{"A4Upright7", QPageSize::A4, kUpright, kA4, 7, {{2, 2}, {2, 2}}, {4, 3}},
        GridCase{"A4Upright8", QPageSize::A4, kUpright, kA4, 8, {{2, 2}, {2, 2}}, {4, 4}},
        GridCase{"A4Lying1", QPageSize::A4, kLying, kA4.transposed(), 1, {{1, 1}}, {1}},
        GridCase{"A4Lying2", QPageSize::A4, kLying, kA4.transposed(), 2, {{2, 1}}, {2}},
        GridCase{"A4Lying3", QPageSize::A4, kLying, kA4.transposed(), 3, {{2, 2}}, {3}},
        GridCase{"A4Lying4", QPageSize::A4, kLying, kA4.transposed(), 4, {{2, 2}}, {4}},
        GridCase{"A4Lying5", QPageSize::A4, kLying, kA4.transposed(), 5, {{3, 2}}, {5}},
        GridCase{"A4Lying6", QPageSize::A4, kLying, kA4.transposed(), 6, {{3, 2}}, {6}},
        GridCase{"A4Lying7", QPageSize::A4, kLying, kA4.transposed(), 7, {{2, 2}, {2, 2}},
                 {4, 3}},
        GridCase{"A4Lying8", QPageSize::A4, kLying, kA4.transposed(), 8, {{2, 2}, {2, 2}},
                 {4, 4}},
        GridCase{"LetterUpright1", QPageSize::Letter, kUpright, kLetter, 1, {{1, 1}}, {1}},
        GridCase{"LetterUpright2", QPageSize::Letter, kUpright, kLetter, 2, {{1, 2}}, {2}},
        GridCase{"LetterUpright3", QPageSize::Letter, kUpright, kLetter, 3, {{2, 2}}, {3}},
        GridCase{"LetterUpright4", QPageSize::Letter, kUpright, kLetter, 4, {{2, 2}}, {4}},
        GridCase{"LetterUpright5", QPageSize::Letter, kUpright, kLetter, 5, {{2, 3}}, {5}},
        GridCase{"LetterUpright6", QPageSize::Letter, kUpright, kLetter, 6, {{2, 3}}, {6}},
        GridCase{"LetterUpright7", QPageSize::Letter, kUpright, kLetter, 7, {{2, 2}, {2, 2}},
                 {4, 3}},
        GridCase{"LetterUpright8", QPageSize::Letter, kUpright, kLetter, 8, {{2, 2}, {2, 2}},
                 {4, 4}},
        GridCase{"LetterLying2", QPageSize::Letter, kLying, kLetter.transposed(), 2, {{2, 1}},
                 {2}},
        GridCase{"LetterLying3", QPageSize::Letter, kLying, kLetter.transposed(), 3, {{2, 2}},
                 {3}},
        GridCase{"LetterLying5", QPageSize::Letter, kLying, kLetter.transposed(), 5, {{3, 2}},
                 {5}},
        GridCase{"LetterLying6", QPageSize::Letter, kLying, kLetter.transposed(), 6, {{3, 2}},
                 {6}}),
    [](const auto &info) { return std::string(info.param.name); });

// The marks the sample plays print under eight short line names: a crossed marker for the out,
// both sides' markers and the ball, in surface pixels.
QList<LegendEntry> sampleLegend()
{
    QList<LegendEntry> entries;
    const QStringList names{"Run", "Hit", "Throw", "Field", "Cover", "Back Up", "Steal", "Shift"};
    for (int k = 0; k < 8; ++k) {
        LegendEntry e;
        e.index = k;
        e.name = names[k];
        e.type = int16_t(1 + k % 5);
        e.width = 2;
        entries << e;
    }
    for (const auto &[kind, name] : {std::pair{LegendKind::Out, "Out"},
                                     std::pair{LegendKind::Offense, "Offense"},
                                     std::pair{LegendKind::Defense, "Defense"}}) {
        LegendEntry e;
        e.kind = kind;
        e.name = name;
        e.mark = QSizeF(35, 35); // a marker 15 pixels in radius and two about it
        entries << e;
    }
    LegendEntry ball;
    ball.kind = LegendKind::Symbol;
    ball.name = "Ball";
    ball.mark = QSizeF(25, 25);
    entries << ball;
    return entries;
}

// A four-frame sheet with ten lines of notes, the legend with its marks and the footer of a
// playbook, upright on A4 (2479 dots wide) and Letter (2550): every frame is at least 40 % as
// wide as the paper, the notes end at most a line above the legend, and the legend's marks are
// as large as the frames', a row below the lines, each named beside its picture.
TEST(SheetLayout, FourFramesAndTenLinesOfNotesFillTheUprightPage)
{
    const PrinterText text;
    const int h = text.height();
    for (const auto &[paper, paperWidth] :
         {std::pair{QPageSize::A4, 2479}, std::pair{QPageSize::Letter, 2550}}) {
        SCOPED_TRACE(QPageSize::name(paper).toStdString());
        const QPageLayout pageLayout(QPageSize(paper), QPageLayout::Portrait,
                                     QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);
        // 8.27 and 8.5 inches.
        ASSERT_EQ(pageLayout.fullRectPixels(300).width(), paperWidth);
        QStringList notes;
        for (int i = 1; i <= 10; ++i)
            notes << QString("Line %1 of the notes.").arg(i);
        SheetRequest request;
        request.page = pageLayout.paintRectPixels(300).size();
        request.lineHeight = h;
        request.surface = QSize(400, 373);
        request.frames = 4;
        request.header = " Bunt Defense - Runner on First : Created on 03-02-2026 at 09:00:00";
        request.footer = true;
        request.legend = true;
        request.entries = sampleLegend();
        request.notes = true;
        request.notesText = notes.join('\n');
        const SheetLayout layout = layoutSheet(request, text.measure());
        ASSERT_EQ(layout.pages.size(), 1);
        const SheetPage &page = layout.pages[0];
        ASSERT_EQ(page.places.size(), 4);
        for (const QRect &place : page.places)
            EXPECT_GE(place.width(), 0.4 * paperWidth);
        ASSERT_EQ(page.notes.size(), 11);
        const int notesEnd = page.notes.last().at.y() + h;
        EXPECT_GE(page.legend.box.top(), notesEnd);
        EXPECT_LE(page.legend.box.top() - notesEnd, h);
        // The marks' row: below the lines', each picture the frames' marker size.
        ASSERT_EQ(page.legend.cells.size(), 12);
        EXPECT_EQ(page.legend.rows, 2);
        const LegendCell &out = page.legend.cells[8];
        EXPECT_GT(out.cell.top(), page.legend.cells[7].cell.bottom());
        EXPECT_NEAR(out.sampleBounds.width(), 35 * page.scale, 1);
        EXPECT_GE(out.nameAt.x(), out.sampleBounds.right());
        EXPECT_TRUE(page.legend.box.contains(out.sampleBounds.toRect()));
    }
}

struct CaptionCase
{
    const char *name;
    QString number;
    QString text;
    int maxLines;
    QList<PlacedText> number_and_lines; // the number first, then the caption's lines
};

void PrintTo(const CaptionCase &c, std::ostream *os)
{
    *os << c.name;
}

class CaptionLayout : public testing::TestWithParam<CaptionCase>
{};

// Ten dots a character under a picture from x 100 to 299, the caption from y 500, lines 50
// dots apart.
TEST_P(CaptionLayout, CentredWhenItFitsElseWrappedBesideTheNumber)
{
    const CaptionCase &c = GetParam();
    const PlacedCaption caption =
        layoutCaption(c.number, c.text, QRect(100, 100, 200, 300), 500, 50, c.maxLines,
                      [](const QString &t) { return 10 * int(t.size()); });
    QList<PlacedText> got{caption.number};
    got << caption.lines;
    ASSERT_EQ(got.size(), c.number_and_lines.size());
    for (int i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].at, c.number_and_lines[i].at) << i;
        EXPECT_EQ(got[i].text, c.number_and_lines[i].text) << i;
    }
}

const QString kTwentyFive = "Runner breaks on the pitch"; // 26 characters

INSTANTIATE_TEST_SUITE_P(
    Captions, CaptionLayout,
    testing::Values(
        // "3" is 10 dots: (200 - 10) / 2 = 95 in from the picture's left.
        CaptionCase{"NumberAlone", "3", "", 2, {{{195, 500}, "3"}}},
        // "3  Cut" is 60 dots: from 100 + 70; the text after "3  " (30 dots).
        CaptionCase{"ShortCaption", "3", "Cut", 2, {{{170, 500}, "3"}, {{200, 500}, "Cut"}}},
        // "12  " and 26 characters make 300 dots: wrapped in the 160 dots beside "12  ".
        CaptionCase{"WrappedBesideTheNumber", "12", kTwentyFive, 2,
                    {{{100, 500}, "12"},
                     {{140, 500}, "Runner breaks on"},
                     {{140, 550}, "the pitch"}}},
        // One line only: the rest elided (15 characters and the ellipsis fill the 160).
        CaptionCase{"ElidedOnOneLine", "12", kTwentyFive, 1,
                    {{{100, 500}, "12"}, {{140, 500}, "Runner breaks o\u2026"}}},
        // No number: each line centred ("Runner breaks on the" is 200, "pitch" 50).
        CaptionCase{"LargePageLinesCentred", "", kTwentyFive, 2,
                    {{{100, 500}, ""},
                     {{100, 500}, "Runner breaks on the"},
                     {{175, 550}, "pitch"}}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace kinetra
