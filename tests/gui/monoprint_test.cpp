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

// A frame to read back from paper: a bare offence marker and a labelled defence marker
// inside the diamond, the eight kinds as level lines across the outfield, one above the
// other, and nothing on a base or a foul line. Printed as a sheet of four such frames.
PlaySnapshot copierPlay(const Preferences &prefs, int16_t picture)
{
    PlaySnapshot play;
    play.title = "Copier";
    play.looks = defaultPlayLooks(prefs);
    play.looks.Picbkg = picture;
    play.looks.labels.offense[1] = "";
    play.looks.labels.defense[1] = "SS";
    play.frames.resize(4);
    for (int16_t i = 1; i <= 4; ++i) {
        PlayConfig &frame = play.frames.frame(i);
        frame.OPlayerX[1] = 170;
        frame.OPlayerY[1] = 225;
        frame.DPlayerX[1] = 230;
        frame.DPlayerY[1] = 225;
        for (int k = 0; k < 8; ++k)
            frame.addActionLine(k, {70, float(28 + 16 * k)}, {330, float(28 + 16 * k)});
    }
    return play;
}

// A page rendered at 100 dpi in grey and cut at half grey, as a copier does, with the first
// frame's place: the top-left block of the light grey field.
struct CopiedPage
{
    QImage page;
    QRectF frame;
    bool dark(double x, double y) const { return qGray(page.pixel(int(x), int(y))) < 128; }
    bool darkNear(QPointF p, int reach) const
    {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (page.valid(int(p.x()) + dx, int(p.y()) + dy) && dark(p.x() + dx, p.y() + dy))
                    return true;
        return false;
    }
    /// Where a surface point lands on the page.
    QPointF at(double x, double y) const
    {
        return {frame.left() + x * frame.width() / field::kPictureWidth,
                frame.top() + y * frame.height() / field::kPictureHeight};
    }
};

CopiedPage copied(const QString &pdf, const QString &stem)
{
    QProcess render;
    render.start("pdftoppm", {"-r", "100", "-gray", "-f", "1", "-l", "1", pdf, stem});
    EXPECT_TRUE(render.waitForFinished(60000));
    const QStringList pages = QFileInfo(stem).dir().entryList({QFileInfo(stem).fileName() + "*.pgm"});
    EXPECT_EQ(pages.size(), 1);
    CopiedPage c;
    c.page = QImage(QFileInfo(stem).dir().filePath(pages.value(0)));
    if (c.page.isNull())
        return c;
    auto field = [&](int x, int y) {
        const int g = qGray(c.page.pixel(x, y));
        return g >= 180 && g < 252;
    };
    auto block = [](const std::vector<int> &counts, int least) {
        int from = 0;
        while (from < int(counts.size()) && counts[size_t(from)] < least)
            ++from;
        int to = from;
        while (to < int(counts.size()) && counts[size_t(to)] >= least)
            ++to;
        return std::pair{from, to};
    };
    std::vector<int> columns(size_t(c.page.width()));
    for (int x = 0; x < c.page.width(); ++x)
        for (int y = 0; y < c.page.height(); ++y)
            columns[size_t(x)] += field(x, y);
    const auto [left, right] = block(columns, c.page.height() / 5);
    std::vector<int> rows(size_t(c.page.height()));
    for (int y = 0; y < c.page.height(); ++y)
        for (int x = left; x < right; ++x)
            rows[size_t(y)] += field(x, y);
    const auto [top, bottom] = block(rows, (right - left) / 4);
    c.frame = QRectF(left, top, right - left, bottom - top);
    for (int y = 0; y < c.page.height(); ++y)
        for (int x = 0; x < c.page.width(); ++x)
            c.page.setPixel(x, y, c.dark(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return c;
}

// How a line's stroke reads along its length: solid, or its dashes' length, its gaps'
// length and how many dots follow one another between dashes.
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
    const QPointF end = c.at(to, y + 0.5);
    // A pixel of the stroke anywhere in a band two pixels above and below its middle.
    auto dark = [&](int x) {
        for (int dy = -2; dy <= 2; ++dy)
            if (c.dark(x, start.y() + dy))
                return true;
        return false;
    };
    std::vector<int> dashes, gaps;
    // From the first gap on: the first dash may start before `from`.
    int x = int(start.x());
    while (x < end.x() && !dark(x))
        ++x;
    while (x < end.x() && dark(x))
        ++x;
    while (x < end.x()) {
        const bool d = dark(x);
        int run = 0;
        for (; x < end.x() && dark(x) == d; ++x)
            ++run;
        if (x < end.x()) // the last run is cut off
            (d ? dashes : gaps).push_back(run);
    }
    Stroke s;
    if (gaps.empty())
        return s;
    s.solid = false;
    const int longest = *std::max_element(dashes.begin(), dashes.end());
    int inARow = 0, longRuns = 0;
    for (const int d : dashes) {
        const bool dot = d < 0.6 * longest;
        inARow = dot ? inARow + 1 : 0;
        s.dotsInARow = std::max(s.dotsInARow, inARow);
        if (!dot) {
            s.dash += d;
            ++longRuns;
        }
    }
    s.dash /= longRuns;
    std::sort(gaps.begin(), gaps.end());
    s.gap = gaps[gaps.size() / 2];
    return s;
}

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
        const PlaySnapshot play = copierPlay(prefs, picture);
        PlayImager imager = PlayImager::forPlay(play.looks, prefs, KINETRA_PROGRAM_DIR);
        ExportOptions options;
        options.format = ExportFormat::Pdf;
        options.output = dir.filePath(QString("field%1.pdf").arg(picture));
        options.print.mono = true;
        options.print.sheet = true;
        ASSERT_TRUE(exportPlay(options, play, imager));
        const CopiedPage c =
            copied(options.output, dir.filePath(QString("field%1").arg(picture)));
        ASSERT_FALSE(c.page.isNull());
        const double scale = c.frame.width() / field::kPictureWidth;
        ASSERT_NEAR(c.frame.height() / field::kPictureHeight, scale, 0.03 * scale);
        ASSERT_GT(scale, 0.5) << "a frame on a sheet of four";

        const auto chalk = diamondChalkPoints(field::kFullDiamond);
        for (int b = 0; b < 4; ++b)
            EXPECT_TRUE(c.darkNear(c.at(chalk[b].x, chalk[b].y), 1)) << "base " << b;
        const field::Point home = field::kHome;
        for (const double side : {1.0, -1.0})
            for (const double t : {0.2, 0.35, 0.5, 0.65, 0.8, 1.2, 1.4, 1.6, 1.8}) {
                const double along = t * field::kBasePath * field::kHalfSqrt2;
                EXPECT_TRUE(c.darkNear(c.at(home.x + side * along, home.y - along), 2))
                    << "foul line " << side << " at " << t << " base paths";
            }

        // The offence's marker white inside its dark ring, the defence's dark with white
        // label pixels.
        const double r = prefs.PlayerSize[0];
        auto share = [&](QPointF centre, double from, double to, bool wantDark) {
            int in = 0, matching = 0;
            for (double dy = -to; dy <= to; dy += 0.5)
                for (double dx = -to; dx <= to; dx += 0.5) {
                    const double d = std::hypot(dx, dy);
                    if (d < from || d > to)
                        continue;
                    ++in;
                    const QPointF p = c.at(centre.x() + dx, centre.y() + dy);
                    matching += c.dark(p.x(), p.y()) == wantDark;
                }
            return double(matching) / in;
        };
        EXPECT_GT(share({170.5, 225.5}, 0, 0.7 * r, false), 0.95) << "offence centre white";
        EXPECT_GT(share({170.5, 225.5}, r - 1, r + 1, true), 0.7) << "offence ring dark";
        EXPECT_GT(share({230.5, 225.5}, 0, 0.8 * r, true), 0.6) << "defence dark";
        EXPECT_GT(share({230.5, 225.5}, 0, 0.8 * r, false), 0.02) << "defence label white";

        std::array<Stroke, 8> strokes;
        for (int k = 0; k < 8; ++k)
            strokes[size_t(k)] = strokeAlong(c, 28 + 16 * k, 85, 300);
        for (int a = 0; a < 8; ++a)
            for (int b = a + 1; b < 8; ++b)
                EXPECT_FALSE(readAlike(strokes[size_t(a)], strokes[size_t(b)]))
                    << "kinds " << a << " and " << b << ": dashes " << strokes[size_t(a)].dash
                    << " / " << strokes[size_t(b)].dash << ", gaps " << strokes[size_t(a)].gap
                    << " / " << strokes[size_t(b)].gap << ", dots in a row "
                    << strokes[size_t(a)].dotsInARow << " / " << strokes[size_t(b)].dotsInARow;
    }
}

} // namespace
} // namespace kinetra
