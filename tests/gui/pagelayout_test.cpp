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
// Letter both ways: nothing overlaps or leaves the page, every frame and every line of notes is
// printed once and in order, and up to six frames with ten lines of notes take one page.
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
                    const SheetLayout layout = layoutSheet(request, text.measure());

                    if (frames <= 6 && noteLines <= 10) {
                        EXPECT_EQ(layout.pages.size(), 1);
                    }
                    EXPECT_NEAR(double(layout.picture.height()) / layout.picture.width(),
                                373.0 / 400, 0.01);
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
                        for (const PlacedText &caption : p.captions)
                            rects << text.rect(caption);
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
                            EXPECT_EQ(p.captions[i].text, QString::number(p.frames[i]));
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
// shares the page, so the pictures start at 200 (two blank lines, the header, a blank line) and
// have the page's height less 200 and its width less 20, with 35-dot gutters between them and
// 6 + 50 dots under each for its number. A 400 x 373 picture then gets (grids as columns x
// rows), on upright A4 (2309 x 3158):
//   two frames:  side by side min(1137/400, 3102/373) = 2.84,
//                stacked      min(2309/400, 1505.5/373) = 4.04  -> 1 x 2;
//   three, four: 2 x 2;
//   five, six:   3 x 2 min(746.3/400, 1505.5/373) = 1.87,
//                2 x 3 min(1137/400, 973.3/373) = 2.61         -> 2 x 3;
// on A4 lying (3338 x 2129):
//   two frames:  side by side min(1651.5/400, 2073/373) = 4.13,
//                stacked      min(3338/400, 991/373) = 2.66    -> 2 x 1;
//   five, six:   3 x 2 min(1089.3/400, 991/373) = 2.66,
//                2 x 3 min(1651.5/400, 630.3/373) = 1.69       -> 3 x 2;
// on upright Letter (2380 x 2950): two 2.93 against 3.76 -> 1 x 2, six 1.93 against 2.42
// -> 2 x 3; on Letter lying (3130 x 2200): two 3.87 against 2.75 -> 2 x 1, six 2.55 against
// 1.75 -> 3 x 2. Seven and eight frames go on a second page in the grid of six.
struct GridCase
{
    const char *name;
    QPageSize::PageSizeId paper;
    QPageLayout::Orientation orientation;
    QSize page; // its printable dots, as worked out above
    int frames;
    int columns;
    int rows;
    QList<int> perPage; // pictures on each page
};

void PrintTo(const GridCase &c, std::ostream *os)
{
    *os << c.name;
}

class SheetGrid : public testing::TestWithParam<GridCase>
{};

TEST_P(SheetGrid, MakesThePicturesAsLargeAsThePageAllows)
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
    EXPECT_EQ(layout.columns, c.columns);
    EXPECT_EQ(layout.rows, c.rows);
    QList<int> perPage;
    for (const SheetPage &page : layout.pages)
        perPage << int(page.places.size());
    EXPECT_EQ(perPage, c.perPage);
}

const QSize kA4(2329, 3358);
const QSize kLetter(2400, 3150);
constexpr auto kUpright = QPageLayout::Portrait;
constexpr auto kLying = QPageLayout::Landscape;

INSTANTIATE_TEST_SUITE_P(
    Frames, SheetGrid,
    testing::Values(
        GridCase{"A4Upright1", QPageSize::A4, kUpright, kA4, 1, 1, 1, {1}},
        GridCase{"A4Upright2", QPageSize::A4, kUpright, kA4, 2, 1, 2, {2}},
        GridCase{"A4Upright3", QPageSize::A4, kUpright, kA4, 3, 2, 2, {3}},
        GridCase{"A4Upright4", QPageSize::A4, kUpright, kA4, 4, 2, 2, {4}},
        GridCase{"A4Upright5", QPageSize::A4, kUpright, kA4, 5, 2, 3, {5}},
        GridCase{"A4Upright6", QPageSize::A4, kUpright, kA4, 6, 2, 3, {6}},
        GridCase{"A4Upright7", QPageSize::A4, kUpright, kA4, 7, 2, 3, {6, 1}},
        GridCase{"A4Upright8", QPageSize::A4, kUpright, kA4, 8, 2, 3, {6, 2}},
        GridCase{"A4Lying1", QPageSize::A4, kLying, kA4.transposed(), 1, 1, 1, {1}},
        GridCase{"A4Lying2", QPageSize::A4, kLying, kA4.transposed(), 2, 2, 1, {2}},
        GridCase{"A4Lying3", QPageSize::A4, kLying, kA4.transposed(), 3, 2, 2, {3}},
        GridCase{"A4Lying4", QPageSize::A4, kLying, kA4.transposed(), 4, 2, 2, {4}},
        GridCase{"A4Lying5", QPageSize::A4, kLying, kA4.transposed(), 5, 3, 2, {5}},
        GridCase{"A4Lying6", QPageSize::A4, kLying, kA4.transposed(), 6, 3, 2, {6}},
        GridCase{"A4Lying7", QPageSize::A4, kLying, kA4.transposed(), 7, 3, 2, {6, 1}},
        GridCase{"A4Lying8", QPageSize::A4, kLying, kA4.transposed(), 8, 3, 2, {6, 2}},
        GridCase{"LetterUpright2", QPageSize::Letter, kUpright, kLetter, 2, 1, 2, {2}},
        GridCase{"LetterUpright6", QPageSize::Letter, kUpright, kLetter, 6, 2, 3, {6}},
        GridCase{"LetterLying2", QPageSize::Letter, kLying, kLetter.transposed(), 2, 2, 1, {2}},
        GridCase{"LetterLying6", QPageSize::Letter, kLying, kLetter.transposed(), 6, 3, 2, {6}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace kinetra
