// Printing in black and white: the page rendered back from the PDF holds no colour, and the
// legend tells the first-start kinds apart by their strokes alone.
#include "output/playbook.h"
#include "output/playexport.h"
#include "output/playimager.h"
#include "output/playprinter.h"
#include "prefs/inisettingsstore.h"
#include "prefs/playlooks.h"
#include "prefs/preferencestore.h"
#include "support/recordingprinttarget.h"
#include "support/tempsettings.h"

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

} // namespace
} // namespace kinetra
