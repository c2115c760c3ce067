// Printing in black and white: the page rendered back from the PDF holds no colour, the legend
// tells the first-start kinds apart by their strokes alone, and the field fades to light grey.
#include "model/playfile.h"
#include "output/playbook.h"
#include "output/playexport.h"
#include "output/playimager.h"
#include "output/playprinter.h"
#include "prefs/inisettingsstore.h"
#include "prefs/playlooks.h"
#include "prefs/preferencestore.h"
#include "support/qtprint.h"
#include "support/recordingprinttarget.h"
#include "support/tempsettings.h"
#include "surface/monolooks.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kinetra {
namespace {

Preferences firstStartPreferences()
{
    Preferences prefs;
    loadPreferences(IniSettingsStore(), prefs, KINETRA_PROGRAM_DIR);
    return prefs;
}

int saturation(QRgb p)
{
    return std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
}

// Each page of the PDF as pdftoppm renders it at 50 dots an inch.
QList<QImage> renderPages(const QString &pdf)
{
    QProcess p;
    p.start("pdftoppm", {"-r", "50", "-png", pdf, pdf + "-page"});
    EXPECT_TRUE(p.waitForFinished(60000));
    QList<QImage> pages;
    const QFileInfo info(pdf);
    for (const QString &png : QDir(info.path()).entryList({info.fileName() + "-page*.png"},
                                                          QDir::Files, QDir::Name))
        pages << QImage(info.path() + "/" + png);
    return pages;
}

struct PdfCase
{
    const char *name;
    bool playbook;
    bool mono;
};

TEST(MonoPrint, APageInBlackAndWhiteHasNoColourButDarkLinesOnALightField)
{
    TempSettings settings;
    QTemporaryDir dir;
    const Preferences prefs = firstStartPreferences();
    const QString play = QString(KINETRA_PROGRAM_DIR) + "/Plays/RelayGap.ktr";
    QImage icon(64, 64, QImage::Format_RGB32);
    icon.fill(QColor(230, 40, 0));
    for (const PdfCase &c : {PdfCase{"colour", false, false}, PdfCase{"play", false, true},
                             PdfCase{"book", true, true}}) {
        SCOPED_TRACE(c.name);
        const QString pdf = dir.filePath(QString(c.name) + ".pdf");
        if (c.playbook) {
            PrintOptions options;
            options.mono = c.mono;
            options.icon = icon;
            options.font = QFont("DejaVu Sans", 10);
            ASSERT_TRUE(exportPlaybook(pdf, "Relays", readPlaybookPlays({play}, prefs), options,
                                       KINETRA_PROGRAM_DIR));
        } else {
            const PlayForExport read = readPlayForExport(play, prefs);
            PlayImager imager = PlayImager::fromPreferences(read.prefs, KINETRA_PROGRAM_DIR);
            ExportOptions options;
            options.format = ExportFormat::Pdf;
            options.output = pdf;
            options.mono = c.mono;
            options.printIcon = icon;
            ASSERT_TRUE(exportPlay(options, read.play, imager));
            // The imager draws in its own colours again afterwards.
            PlayImager fresh = PlayImager::fromPreferences(read.prefs, KINETRA_PROGRAM_DIR);
            const PlayConfig &first = read.play.frames.frame(1);
            EXPECT_TRUE(imager.draw(first) == fresh.draw(first));
        }
        const QList<QImage> pages = renderPages(pdf);
        ASSERT_GE(pages.size(), 2);
        int most = 0;
        qsizetype dark = 0, field = 0;
        for (const QImage &page : pages)
            for (int y = 0; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x) {
                    const QRgb p = page.pixel(x, y);
                    most = std::max(most, saturation(p));
                    dark += qGray(p) < 90;
                    field += qGray(p) >= 185 && qGray(p) < 245;
                }
        if (!c.mono) {
            EXPECT_GT(most, 100) << "the colour page is the check's counterpart";
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
    const Preferences prefs = firstStartPreferences();
    PlaySnapshot play;
    play.title = "Legend";
    play.actions = actionLooks(prefs);
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
        QList<qreal> dashes = item.pen.style() == Qt::SolidLine ? QList<qreal>()
                                                                 : item.pen.dashPattern();
        for (qreal &d : dashes)
            d *= item.pen.widthF();
        strokes.insert({int(item.pen.style()), dashes});
        ++samples;
    }
    EXPECT_EQ(samples, 8);
    EXPECT_EQ(strokes.size(), 8u);
}

TEST(MonoPrint, PicturesTurnGreyAndSymbolsKeepTheirSeeThroughPixels)
{
    struct Case
    {
        QRgb in;
        int grey;      // greyPicture
        int lightGrey; // lightGreyPicture
    };
    const Case cases[] = {
        {qRgb(0, 0, 0), 0, 192},
        {qRgb(255, 255, 255), 255, 255},
        {qRgb(254, 255, 255), 254, 255}, // nearly white stays visible in a symbol
        {qRgb(92, 160, 74), qGray(92, 160, 74), 255 - (255 - qGray(92, 160, 74)) / 4},
    };
    QImage picture(int(std::size(cases)), 1, QImage::Format_ARGB32);
    for (int i = 0; i < picture.width(); ++i)
        picture.setPixel(i, 0, cases[i].in);
    const QImage grey = greyPicture(picture), light = lightGreyPicture(picture);
    for (int i = 0; i < picture.width(); ++i) {
        EXPECT_EQ(grey.pixel(i, 0), qRgb(cases[i].grey, cases[i].grey, cases[i].grey)) << i;
        EXPECT_EQ(seeThrough(grey.pixel(i, 0)), seeThrough(cases[i].in)) << i;
        EXPECT_EQ(light.pixel(i, 0), qRgb(cases[i].lightGrey, cases[i].lightGrey,
                                          cases[i].lightGrey)) << i;
    }
}

} // namespace
} // namespace kinetra
