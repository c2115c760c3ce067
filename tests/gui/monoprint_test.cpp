// Printing in black and white: the page rendered back from the PDF holds no colour, the
// legend tells the first-start kinds apart by their strokes alone, and a sheet thresholded as
// a copier would still shows the diamond, both sides and every kind of line.
#include "output/playbook.h"
#include "output/playexport.h"
#include "output/playimager.h"
#include "output/playprinter.h"
#include "prefs/inisettingsstore.h"
#include "prefs/playlooks.h"
#include "prefs/preferencestore.h"
#include "support/recordingprinttarget.h"
#include "support/tempsettings.h"
#include "surface/monolooks.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace kinetra {
namespace {

Preferences firstStartPreferences()
{
    Preferences prefs;
    loadPreferences(IniSettingsStore(), prefs, KINETRA_PROGRAM_DIR);
    return prefs;
}

TEST(MonoPrint, APageInBlackAndWhiteHasNoColourButDarkLinesOnALightField)
{
    TempSettings settings;
    QTemporaryDir dir;
    const Preferences prefs = firstStartPreferences();
    const QString play = QString(KINETRA_PROGRAM_DIR) + "/Plays/RelayGap.ktr";
    QImage icon(64, 64, QImage::Format_RGB32);
    icon.fill(QColor(230, 40, 0));
    // The colour print is the counterpart that shows the check can fail.
    for (const auto &[name, playbook, mono] : {std::tuple{"colour", false, false},
                                               std::tuple{"play", false, true},
                                               std::tuple{"book", true, true}}) {
        SCOPED_TRACE(name);
        const QString pdf = dir.filePath(QString(name) + ".pdf");
        if (playbook) {
            PrintOptions options;
            options.mono = mono;
            options.icon = icon;
            ASSERT_TRUE(exportPlaybook(pdf, "Relays", readPlaybookPlays({play}, prefs), options,
                                       KINETRA_PROGRAM_DIR));
        } else {
            const PlaySnapshot read = readPlayForExport(play, prefs);
            PlayImager imager = PlayImager::forPlay(read.looks, prefs, KINETRA_PROGRAM_DIR);
            ExportOptions options;
            options.format = ExportFormat::Pdf;
            options.output = pdf;
            options.print.mono = mono;
            options.print.icon = icon;
            ASSERT_TRUE(exportPlay(options, read, imager));
        }
        QProcess render;
        render.start("pdftoppm", {"-r", "50", "-png", pdf, dir.filePath(name)});
        ASSERT_TRUE(render.waitForFinished(60000));
        const QStringList pages = QDir(dir.path()).entryList({QString(name) + "-*.png"});
        ASSERT_GE(pages.size(), 2);
        int most = 0;
        qsizetype dark = 0, field = 0;
        for (const QString &png : pages) {
            const QImage page(dir.filePath(png));
            for (int y = 0; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x) {
                    const QRgb p = page.pixel(x, y);
                    most = std::max(most, std::max({qRed(p), qGreen(p), qBlue(p)})
                                              - std::min({qRed(p), qGreen(p), qBlue(p)}));
                    dark += qGray(p) < 90;
                    field += qGray(p) >= 185 && qGray(p) < 245;
                }
        }
        if (!mono) {
            EXPECT_GT(most, 100);
            continue;
        }
        EXPECT_LE(most, 24);
        EXPECT_GT(dark, 2000) << "lines, players and text print dark";
        EXPECT_GT(field, 20000) << "the field prints light grey";
    }
}

TEST(MonoPrint, TheLegendDrawsTheEightFirstStartKindsInGreyWithEightDifferentDashes)
{
    TempSettings settings;
    PlaySnapshot play;
    play.looks.actions = defaultPlayLooks(firstStartPreferences()).actions;
    play.frames.resize(1); // no lines: the legend shows all eight kinds
    PrintOptions options;
    options.mono = true;
    options.notes = false;
    RecordingPrintTarget target(QSize(2400, 3200), 50);
    QImage white(400, 373, QImage::Format_RGB32);
    white.fill(Qt::white);
    printPlay(target, play, options, white.size(), [&](int16_t) { return FrameShot(white); });

    std::set<std::pair<int, QList<qreal>>> strokes;
    int samples = 0;
    using Item = RecordingPrintTarget::Item;
    for (const Item &item : target.pages.value(0)) {
        if (item.kind != Item::Line || item.rect.width() <= item.rect.height())
            continue; // a cross bar at a line's end
        const QColor c = item.pen.color();
        EXPECT_TRUE(c.red() == c.green() && c.green() == c.blue() && c.red() <= 70) << samples;
        QList<qreal> dashes;
        if (item.pen.style() != Qt::SolidLine)
            for (qreal d : item.pen.dashPattern())
                dashes << d * item.pen.widthF();
        strokes.insert({int(item.pen.style()), dashes});
        ++samples;
    }
    EXPECT_EQ(samples, 8);
    EXPECT_EQ(strokes.size(), 8u);
}

// Pictures in black and white: grey, home plate dark; in colour as before.
TEST(MonoPrint, PicturesAndAnimationsAreBlackAndWhiteWithMono)
{
    TempSettings settings;
    QTemporaryDir dir;
    const Preferences prefs = firstStartPreferences();
    const PlaySnapshot read =
        readPlayForExport(QString(KINETRA_PROGRAM_DIR) + "/Plays/RelayGap.ktr", prefs);
    for (const auto &[format, name] : {std::pair{ExportFormat::Png, "a.png"},
                                       std::pair{ExportFormat::Bmp, "a.bmp"},
                                       std::pair{ExportFormat::Gif, "a.gif"}})
        for (const bool mono : {false, true}) {
            PlayImager imager = PlayImager::forPlay(read.looks, prefs, KINETRA_PROGRAM_DIR);
            ExportOptions options;
            options.format = format;
            options.output = dir.filePath(name);
            options.print.mono = mono;
            ASSERT_TRUE(exportPlay(options, read, imager));
            const QImage picture(options.output);
            int most = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x) {
                    const QRgb p = picture.pixel(x, y);
                    most = std::max(most, std::max({qRed(p), qGreen(p), qBlue(p)})
                                              - std::min({qRed(p), qGreen(p), qBlue(p)}));
                }
            EXPECT_EQ(most == 0, mono) << name;
            EXPECT_EQ(qGray(picture.pixel(200, 339)) < 128, mono) << name << " home plate";
        }
}

// A sheet of four frames on each full field, each frame a bare offence marker and a labelled
// defence marker in the diamond and the eight kinds as level lines across the outfield;
// nothing on a base or a foul line. Rendered at 100 dpi in grey, cut at half grey as a copier
// does, and read where the first frame lies: the top-left block of light grey field.
struct CopiedPage
{
    QImage page;
    QRectF frame;
    bool dark(double x, double y) const { return qGray(page.pixel(int(x), int(y))) < 128; }
    bool darkNear(QPointF p, int reach) const
    {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (dark(p.x() + dx, p.y() + dy))
                    return true;
        return false;
    }
    QPointF at(double x, double y) const // a surface point on the page
    {
        return {frame.left() + x * frame.width() / 400, frame.top() + y * frame.height() / 373};
    }
};

CopiedPage copiedSheet(const Preferences &prefs, int16_t picture, const QString &stem)
{
    PlaySnapshot play;
    play.looks = defaultPlayLooks(prefs);
    play.looks.Picbkg = picture;
    play.looks.labels.offense[1] = "";
    play.looks.labels.defense[1] = "SS";
    play.frames.resize(4);
    for (int16_t i = 1; i <= 4; ++i) {
        PlayConfig &frame = play.frames.frame(i);
        frame.OPlayerX[1] = 170;
        frame.OPlayerY[1] = frame.DPlayerY[1] = 225;
        frame.DPlayerX[1] = 230;
        for (int k = 0; k < 8; ++k)
            frame.addActionLine(k, {70, float(28 + 16 * k)}, {330, float(28 + 16 * k)});
    }
    PlayImager imager = PlayImager::forPlay(play.looks, prefs, KINETRA_PROGRAM_DIR);
    ExportOptions options;
    options.format = ExportFormat::Pdf;
    options.output = stem + ".pdf";
    options.print.mono = options.print.sheet = true;
    EXPECT_TRUE(exportPlay(options, play, imager));
    QProcess render;
    render.start("pdftoppm", {"-r", "100", "-gray", "-singlefile", options.output, stem});
    EXPECT_TRUE(render.waitForFinished(60000));
    CopiedPage c{QImage(stem + ".pgm"), {}};
    auto block = [](const std::vector<int> &counts, int least) {
        int from = 0;
        while (from < int(counts.size()) && counts[size_t(from)] < least)
            ++from;
        int to = from;
        while (to < int(counts.size()) && counts[size_t(to)] >= least)
            ++to;
        return std::pair{from, to};
    };
    auto field = [&](int x, int y) {
        const int g = qGray(c.page.pixel(x, y));
        return g >= 180 && g < 252;
    };
    std::vector<int> columns(size_t(c.page.width())), rows(size_t(c.page.height()));
    for (int x = 0; x < c.page.width(); ++x)
        for (int y = 0; y < c.page.height(); ++y)
            columns[size_t(x)] += field(x, y);
    const auto [left, right] = block(columns, c.page.height() / 5);
    for (int y = 0; y < c.page.height(); ++y)
        for (int x = left; x < right; ++x)
            rows[size_t(y)] += field(x, y);
    const auto [top, bottom] = block(rows, (right - left) / 4); // the lines cover 65 %
    c.frame = QRectF(left, top, right - left, bottom - top);
    return c;
}

// How a stroke reads along a level line: solid, or its dashes' mean length, its gaps' median
// and how many dots (runs shorter than 0.6 of the longest) follow one another.
struct Stroke
{
    bool solid = true;
    int dotsInARow = 0;
    double dash = 0;
    double gap = 0;
};

Stroke strokeAlong(const CopiedPage &c, double y, double from, double to)
{
    const QPointF start = c.at(from, y + 0.5);
    const int end = int(c.at(to, y).x());
    auto dark = [&](int x) { // in a band two pixels above and below the middle
        for (int dy = -2; dy <= 2; ++dy)
            if (c.dark(x, start.y() + dy))
                return true;
        return false;
    };
    std::vector<int> dashes, gaps;
    int x = int(start.x());
    while (x < end && !dark(x)) // from the first gap on: the first dash may begin before
        ++x;
    while (x < end && dark(x))
        ++x;
    while (x < end) {
        const bool d = dark(x);
        int run = 0;
        for (; x < end && dark(x) == d; ++x)
            ++run;
        if (x < end) // the last run is cut off
            (d ? dashes : gaps).push_back(run);
    }
    Stroke s;
    if (gaps.empty())
        return s;
    s.solid = false;
    const int longest = *std::max_element(dashes.begin(), dashes.end());
    int inARow = 0, dashCount = 0;
    for (const int d : dashes) {
        const bool dot = d < 0.6 * longest;
        inARow = dot ? inARow + 1 : 0;
        s.dotsInARow = std::max(s.dotsInARow, inARow);
        s.dash += dot ? 0 : d;
        dashCount += !dot;
    }
    s.dash /= dashCount;
    std::sort(gaps.begin(), gaps.end());
    s.gap = gaps[gaps.size() / 2];
    return s;
}

// Alike: both solid, or the same dots between dashes and dashes and gaps within a quarter.
bool readAlike(const Stroke &a, const Stroke &b)
{
    auto near = [](double p, double q) { return std::max(p, q) < 1.25 * std::min(p, q); };
    if (a.solid || b.solid)
        return a.solid == b.solid;
    return a.dotsInARow == b.dotsInARow && near(a.dash, b.dash) && near(a.gap, b.gap);
}

TEST(MonoPrint, ASheetCutAtHalfGreyKeepsTheDiamondBothSidesAndEveryKindOfLine)
{
    TempSettings settings;
    QTemporaryDir dir;
    const Preferences prefs = firstStartPreferences();
    for (const int16_t picture : {int16_t(0), int16_t(2)}) {
        SCOPED_TRACE(picture);
        const CopiedPage c = copiedSheet(prefs, picture, dir.filePath(QString::number(picture)));
        ASSERT_FALSE(c.page.isNull());
        const double scale = c.frame.width() / 400;
        ASSERT_NEAR(c.frame.height() / 373, scale, 0.03 * scale);
        ASSERT_GT(scale, 0.5) << "a frame on a sheet of four";

        const auto chalk = diamondChalkPoints(field::kFullDiamond);
        for (int b = 0; b < 4; ++b)
            EXPECT_TRUE(c.darkNear(c.at(chalk[b].x, chalk[b].y), 1)) << "base " << b;
        for (const double side : {1.0, -1.0})
            for (const double t : {0.2, 0.35, 0.5, 0.65, 0.8, 1.2, 1.4, 1.6, 1.8}) {
                const double along = t * field::kBasePath * field::kHalfSqrt2;
                EXPECT_TRUE(c.darkNear(c.at(200 + side * along, 343 - along), 2))
                    << "foul line " << side << " at " << t << " base paths";
            }

        // The share of the page's pixels between two radii of a marker that are dark (or not).
        const double r = prefs.PlayerSize[0];
        auto share = [&](double cx, double from, double to, bool wantDark) {
            int in = 0, matching = 0;
            for (double dy = -to; dy <= to; dy += 0.5)
                for (double dx = -to; dx <= to; dx += 0.5)
                    if (const double d = std::hypot(dx, dy); d >= from && d <= to) {
                        const QPointF p = c.at(cx + dx, 225.5 + dy);
                        ++in;
                        matching += c.dark(p.x(), p.y()) == wantDark;
                    }
            return double(matching) / in;
        };
        EXPECT_GT(share(170.5, 0, 0.7 * r, false), 0.95) << "offence centre white";
        EXPECT_GT(share(170.5, r - 1, r + 1, true), 0.7) << "offence ring dark";
        EXPECT_GT(share(230.5, 0, 0.8 * r, true), 0.6) << "defence dark";
        EXPECT_GT(share(230.5, 0, 0.8 * r, false), 0.02) << "defence label white";

        std::array<Stroke, 8> s;
        for (int k = 0; k < 8; ++k)
            s[size_t(k)] = strokeAlong(c, 28 + 16 * k, 85, 300);
        for (size_t a = 0; a < 8; ++a)
            for (size_t b = a + 1; b < 8; ++b)
                EXPECT_FALSE(readAlike(s[a], s[b]))
                    << "kinds " << a << " and " << b << ": dashes " << s[a].dash << " / "
                    << s[b].dash << ", gaps " << s[a].gap << " / " << s[b].gap
                    << ", dots in a row " << s[a].dotsInARow << " / " << s[b].dotsInARow;
    }
}

} // namespace
} // namespace kinetra
