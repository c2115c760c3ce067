// Printing: the "Print Play" dialog, the page layout on a recording target, printer set-up and
// PDF files.
#include "app/frmmain.h"
#include "app/outputcommands.h"
#include "app/programfolder.h"
#include "app/reporterror.h"
#include "model/atomicfile.h"
#include "model/runtimeerror.h"
#include "output/pagelayout.h"
#include "output/playprinter.h"
#include "output/printtarget.h"
#include "output/prntfrm.h"
#include "prefs/inisettingsstore.h"
#include "support/diskroom.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"
#include "support/recordingprinttarget.h"
#include "support/tempsettings.h"
#include "surface/colors.h"
#include "surface/surface.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace kinetra {
namespace {

constexpr int kLine = 50; // line height of the recording target, in dots

class PrintTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_previousDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        installErrorReporter(platform);
        w = std::make_unique<frmMain>(platform, store, KINETRA_PROGRAM_DIR);
        w->show();
        // Printing goes to PDF on every machine the tests run on, printer or not.
        w->output().printSession().printer().setOutputFormat(QPrinter::PdfFormat);
        w->output().printSession().makeTarget = [this](const QString &pdfFile) -> std::unique_ptr<PrintTarget> {
            pdfFiles << pdfFile;
            return std::make_unique<ForwardingPrintTarget>(recorder);
        };
        w->document().setHeader("Squeeze", "Bunt\r\nRun", "12-07-2026", "14:10:09");
        dialog = w->output().printDialog();
        dialog->show();
    }

    void TearDown() override
    {
        dialog.reset();
        w.reset();
        removeErrorReporter();
        QDir::setCurrent(m_previousDir);
    }

    /// Gives the play n frames, each with offensive player 0 somewhere else.
    void makeFrames(int n)
    {
        while (w->document().frames().count() < n)
            w->document().appendFrame();
        for (int16_t i = 1; i <= n; ++i) {
            w->document().frames().frame(i).OPlayerX[0] = float(20 + 10 * i);
            w->document().frames().frame(i).OPlayerY[0] = 100;
        }
        w->SelectFrame(1);
        w->document().markSaved();
    }

    /// Prints into real PDF files instead of the page recorder.
    void printIntoRealPdf()
    {
        w->output().printSession().makeTarget = [this](const QString &pdfFile) -> std::unique_ptr<PrintTarget> {
            m_pdf = pdfPrinterLike(w->output().printSession().printer());
            return std::make_unique<PrinterPrintTarget>(*m_pdf, pdfFile);
        };
    }

    static bool writeOlderFile(QFile &file)
    {
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write("an older file");
        file.close();
        return true;
    }

    /// Clicks Print, answering the PDF dialog with a file name.
    void print()
    {
        platform.queueText(dir.filePath("play.pdf"));
        dialog->CmdPrint->click();
    }

    QList<FakePlatform::Call> callsOf(const QString &kind) const
    {
        QList<FakePlatform::Call> out;
        for (const FakePlatform::Call &c : platform.calls)
            if (c.kind == kind)
                out << c;
        return out;
    }

    QTemporaryDir dir;
    TempSettings settings;
    IniSettingsStore store;
    FakePlatform platform;
    std::unique_ptr<frmMain> w;
    std::unique_ptr<Prntfrm> dialog;
    RecordingPrintTarget recorder{QSize(2400, 3200), kLine};
    QStringList pdfFiles;
    std::unique_ptr<QPrinter> m_pdf;
    QString m_previousDir;
};

TEST_F(PrintTest, DialogOpensWithTheDefaultChoicesThenWithTheRunsLastOnes)
{
    EXPECT_EQ(dialog->windowTitle(), "Print Play");
    EXPECT_TRUE(dialog->isModal());
    EXPECT_TRUE(dialog->ChkLegend->isChecked());
    EXPECT_EQ(dialog->ChkLegend->text(), "Print Legend");
    EXPECT_TRUE(dialog->chkNotes->isChecked());
    EXPECT_EQ(dialog->chkNotes->text(), "Print Notes");
    EXPECT_EQ(dialog->Frame1->title(), "Properties");
    EXPECT_EQ(dialog->Frame2->title(), "Play Size");
    EXPECT_EQ(dialog->Frame2->toolTip(), "Select the legend format.");
    EXPECT_EQ(dialog->Frame3->title(), "Select Frames");
    EXPECT_EQ(dialog->Frame3->toolTip(), "Select which maps to print.");
    EXPECT_TRUE(dialog->OptSize[0]->isChecked());
    EXPECT_EQ(dialog->OptSize[0]->text(), "Large");
    EXPECT_EQ(dialog->OptSize[1]->text(), "Small");
    EXPECT_TRUE(dialog->OptPFrames[0]->isChecked());
    EXPECT_EQ(dialog->OptPFrames[0]->text(), "Current Frame Only");
    EXPECT_EQ(dialog->OptPFrames[1]->text(), "All Frames");
    EXPECT_EQ(dialog->Cmdchgfont->text(), "Change");
    EXPECT_EQ(dialog->CmdPsetup->text(), "Printer Set&up");
    EXPECT_EQ(dialog->CmdCan->text(), "&Cancel");
    EXPECT_EQ(dialog->CmdPrint->text(), "&Print");
    EXPECT_EQ(dialog->Txtfont->text(), w->output().printSession().font().family());
    EXPECT_EQ(dialog->Txtfontsize->text(),
              QString::number(w->output().printSession().font().pointSize()));

    EXPECT_FALSE(dialog->ChkMono->isChecked());
    EXPECT_EQ(dialog->ChkMono->text(), "&Black and white");
    EXPECT_EQ(dialog->OptSize[2]->text(), "&Sheet");

    // A second opening in the run shows the choices the first closed with, and the font.
    dialog->chkNotes->setChecked(false);
    dialog->OptSize[2]->setChecked(true);
    dialog->OptPFrames[1]->setChecked(true);
    dialog->ChkMono->setChecked(true);
    QFont italic("DejaVu Serif", 14);
    italic.setItalic(true);
    italic.setStrikeOut(true);
    platform.queueFont(italic);
    dialog->Cmdchgfont->click();
    dialog->CmdCan->click();
    const std::unique_ptr<Prntfrm> opened = w->output().printDialog();
    Prntfrm &again = *opened;
    EXPECT_FALSE(again.chkNotes->isChecked());
    EXPECT_TRUE(again.ChkLegend->isChecked());
    EXPECT_TRUE(again.OptSize[2]->isChecked());
    EXPECT_TRUE(again.OptPFrames[1]->isChecked());
    EXPECT_TRUE(again.ChkMono->isChecked());
    const PrintOptions chosen = again.options();
    EXPECT_TRUE(chosen.sheet && chosen.mono && chosen.allFrames && !chosen.small && !chosen.notes);
    EXPECT_EQ(again.Txtfont->text(), "DejaVu Serif");
    EXPECT_EQ(again.Txtfontsize->text(), "14");
    EXPECT_TRUE(again.Txtfont->font().italic());
    EXPECT_TRUE(again.Txtfont->font().strikeOut());
    EXPECT_FALSE(again.Txtfont->font().underline());
}

// A sheet is the whole play: with Sheet chosen "Current Frame Only" cannot be, and the frames
// chosen for the other sizes come back on leaving it.
TEST_F(PrintTest, SheetPrintsEveryFrameWithCurrentFrameOnlyDisabled)
{
    makeFrames(3);
    w->SelectFrame(2);
    ASSERT_TRUE(dialog->OptPFrames[0]->isChecked());
    dialog->OptSize[2]->click();
    EXPECT_FALSE(dialog->OptPFrames[0]->isEnabled());
    EXPECT_TRUE(dialog->OptPFrames[1]->isChecked());
    print();
    ASSERT_GE(recorder.pages.size(), 1);
    EXPECT_EQ(recorder.pictures(0).size(), 3);

    dialog->OptSize[0]->click();
    EXPECT_TRUE(dialog->OptPFrames[0]->isEnabled());
    EXPECT_TRUE(dialog->OptPFrames[0]->isChecked());
    dialog->OptSize[2]->click();
    dialog->CmdCan->click();

    // Opened on Sheet, from a run that printed a sheet of the current frame.
    PrintChoices kept = w->output().printSession().playChoices;
    kept.size = PrintChoices::Size::Sheet;
    kept.allFrames = false;
    w->output().printSession().playChoices = kept;
    const std::unique_ptr<Prntfrm> again = w->output().printDialog();
    EXPECT_TRUE(again->OptSize[2]->isChecked());
    EXPECT_FALSE(again->OptPFrames[0]->isEnabled());
    EXPECT_TRUE(again->options().allFrames);
    again->OptSize[1]->click();
    EXPECT_TRUE(again->OptPFrames[0]->isChecked());
    EXPECT_FALSE(again->options().allFrames);
}

TEST_F(PrintTest, DefaultChoicesPrintTheFramePageAndTheNotesPage)
{
    const QImage shown = w->surface()->image();
    print();

    // The PDF file is asked for, named after the play.
    const auto asked = callsOf("saveFile");
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].file.filter, "PDF files (*.pdf)|*.pdf");
    EXPECT_EQ(asked[0].file.proposedName, "Squeeze.pdf");
    EXPECT_TRUE(asked[0].file.confirmReplace);
    EXPECT_EQ(pdfFiles, QStringList{dir.filePath("play.pdf")});

    ASSERT_EQ(recorder.pages.size(), 2);
    EXPECT_TRUE(recorder.finished);
    const QString header = "Squeeze : Created on 12-07-2026 at 14:10:09";
    const QStringList labels = [this] {
        QStringList l;
        for (const std::string &s : w->prefs().ActionLabel)
            l << QString::fromStdString(s);
        return l;
    }();
    EXPECT_EQ(recorder.texts()[0], QStringList({" " + header, " Page : 1"}) + labels);
    EXPECT_EQ(recorder.texts()[1],
              QStringList({header, "Page : 2", "Notes:", "Bunt", "Run"}));

    // Page 1: header lines from one line down, the picture one line below them, centred,
    // full width less 40 and as high as the surface's shape gives (373 / 400 of 2360).
    const auto &page1 = recorder.pages[0];
    EXPECT_EQ(page1[0].kind, RecordingPrintTarget::Item::Image); // the icon
    EXPECT_EQ(page1[0].rect, QRect(2400 - 70, 2, 64, 64));
    EXPECT_EQ(page1[1].rect.topLeft(), QPoint(0, 2 * kLine));
    EXPECT_EQ(page1[2].rect.topLeft(), QPoint(0, 3 * kLine));
    const auto pictures = recorder.pictures(0);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].rect, QRect(20, 6 * kLine, 2360, 2201));
    EXPECT_EQ(pictures[0].image, shown);
    // The legend: one box ending a line above the foot, each name above a sample of its line
    // in its colour, as wide as the line is in the printed picture (2360 / 400 dots a pixel).
    QRect box;
    QList<RecordingPrintTarget::Item> samples;
    for (const auto &item : page1) {
        if (item.kind == RecordingPrintTarget::Item::Box)
            box = item.rect;
        else if (item.kind == RecordingPrintTarget::Item::Line
                 && item.pen.color() != QColor(64, 64, 64) // not a light line's outline
                 && item.rect.width() > item.rect.height()) // not a cross bar's end
            samples << item;
    }
    EXPECT_EQ(box.bottom(), 3200 - kLine);
    EXPECT_GE(box.top(), pictures[0].rect.bottom());
    EXPECT_LE(box.right(), 2400);
    ASSERT_EQ(samples.size(), 8);
    for (size_t k = 0; k < 8; ++k) {
        const auto &sample = samples[int(k)];
        EXPECT_TRUE(box.contains(sample.rect)) << k;
        EXPECT_EQ(sample.pen.color(), w->looks().ActionColor[k]) << k;
        EXPECT_DOUBLE_EQ(sample.pen.widthF(), std::max<int>(1, w->prefs().ActionSize[k]) * 5.9)
            << k;
        EXPECT_EQ(sample.pen.style(), penStyleOf(w->prefs().ActionType[k] - 1)) << k;
    }

    // Page 2: the rule across the page under "Notes:".
    int rules = 0;
    for (const auto &item : recorder.pages[1])
        if (item.kind == RecordingPrintTarget::Item::Line) {
            ++rules;
            EXPECT_EQ(item.rect, QRect(QPoint(0, 5 * kLine), QPoint(2390, 5 * kLine)));
        }
    EXPECT_EQ(rules, 1);

    // The dialog stays, the pointer is back and the play is as it was.
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(platform.waitCursor);
    EXPECT_GE(platform.waitCursorChanges, 2);
    EXPECT_FALSE(w->document().isModified());
    EXPECT_TRUE(platform.messages().isEmpty());
}

TEST_F(PrintTest, ClearedChoicesLeaveOutTheNotesPageAndTheLegend)
{
    dialog->chkNotes->setChecked(false);
    dialog->ChkLegend->setChecked(false);
    print();
    ASSERT_EQ(recorder.pages.size(), 1);
    EXPECT_EQ(recorder.texts()[0].size(), 2); // header and page number
    for (const auto &item : recorder.pages[0])
        EXPECT_NE(item.kind, RecordingPrintTarget::Item::Box);
}

struct SmallCase
{
    int frames;
    int pages; // frame pages plus the notes page
};

void PrintTo(const SmallCase &c, std::ostream *os)
{
    *os << c.frames << " frames";
}

class SmallPrintTest : public PrintTest, public testing::WithParamInterface<SmallCase>
{
};

// Small pictures are 1124 x 1048 dots on this page: two fit across, centred a 3 mm gutter
// (36 dots) apart, and two rows down, so four frames fill a page.
TEST_P(SmallPrintTest, AllFramesSmallFillsPagesRowByRow)
{
    const SmallCase c = GetParam();
    makeFrames(c.frames);
    dialog->OptSize[1]->setChecked(true);
    dialog->OptPFrames[1]->setChecked(true);
    const int16_t shown = int16_t((c.frames + 1) / 2);
    w->SelectFrame(shown);
    const int eventsBefore = platform.processEventsCalls;
    print();

    // Each frame was selected and painted before it was copied; then the window is back on
    // the frame it showed (it used to stay on the last).
    EXPECT_EQ(w->document().frames().current(), shown);
    EXPECT_EQ(w->SBar()->value(), shown);
    EXPECT_GE(platform.processEventsCalls - eventsBefore, c.frames);
    EXPECT_FALSE(w->document().isModified());

    ASSERT_EQ(recorder.pages.size(), c.pages);
    const QList<QPoint> places = {{58, 300}, {1218, 300}, {58, 1384}, {1218, 1384}};
    int printed = 0;
    for (int p = 0; p + 1 < c.pages; ++p) {
        EXPECT_EQ(recorder.texts()[p][1], QString(" Page : %1").arg(p + 1));
        const auto pictures = recorder.pictures(p);
        for (int k = 0; k < pictures.size(); ++k) {
            EXPECT_EQ(pictures[k].rect, QRect(places[k], QSize(1124, 1048)));
            ++printed;
            // Each picture is its frame, drawn anew.
            w->SelectFrame(int16_t(printed));
            EXPECT_EQ(pictures[k].image, w->surface()->image()) << "frame " << printed;
        }
    }
    EXPECT_EQ(printed, c.frames);
    EXPECT_EQ(recorder.texts().last()[1], QString("Page : %1").arg(c.pages));
}

INSTANTIATE_TEST_SUITE_P(Frames, SmallPrintTest,
                         testing::Values(SmallCase{1, 2}, SmallCase{7, 3}, SmallCase{30, 9}));

// A flat surface (400 x 180) gives small pictures 1124 x 506 dots, rows 542 dots apart from
// y 300: a fifth row (y 2468 .. 2974) would come within the gutter of the legend's box, which
// starts near y 3000, so with the legend it goes to the next page.
TEST(PrintLayoutTest, SmallRowsStayClearOfTheLegend)
{
    for (const bool legend : {true, false}) {
        RecordingPrintTarget target(QSize(2400, 3200), kLine);
        PlaySnapshot play;
        play.frames.resize(12);
        PrintOptions options;
        options.legend = legend;
        options.notes = false;
        options.small = true;
        options.allFrames = true;
        const QImage flat(400, 180, QImage::Format_RGB32);
        printPlay(target, play, options, flat.size(), [&](int16_t) { return flat; });
        const auto first = target.pictures(0);
        ASSERT_EQ(first.size(), legend ? 8 : 10) << "legend " << legend;
        EXPECT_EQ(first.last().rect.height(), 506);
        if (legend) {
            EXPECT_LT(first.last().rect.bottom(), 3000);
        }
        EXPECT_EQ(target.pages.size(), 2);
    }
}

TEST_F(PrintTest, PrintClickedAgainWhileFramesArePaintedIsIgnored)
{
    makeFrames(3);
    dialog->OptPFrames[1]->setChecked(true);
    int clicks = 0;
    platform.onProcessEvents = [&] {
        if (recorder.begun && clicks++ == 0)
            dialog->CmdPrint->click();
    };
    print();
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(recorder.pages.size(), 4);
    EXPECT_EQ(callsOf("saveFile").size(), 1);
    EXPECT_TRUE(platform.messages().isEmpty());
}

// Printing without a window (for an export from the command line) gives the very pages the
// dialog's "All Frames" + "Large" gives.
TEST_F(PrintTest, PrintingWithoutTheWindowGivesTheSamePages)
{
    makeFrames(3);
    dialog->OptPFrames[1]->setChecked(true);
    print();

    RecordingPrintTarget headless(QSize(2400, 3200), kLine);
    PrintOptions options = dialog->options();
    options.icon = w->output().printSession().icon();
    Surface surface;
    surface.setPicture(w->surface()->picture());
    surface.setFont(w->surface()->font());
    EXPECT_EQ(printPlay(headless, w->document().snapshot(), options, w->looks(), surface),
              4);

    ASSERT_EQ(headless.pages.size(), recorder.pages.size());
    for (int p = 0; p < recorder.pages.size(); ++p) {
        ASSERT_EQ(headless.pages[p].size(), recorder.pages[p].size()) << "page " << p;
        for (int i = 0; i < recorder.pages[p].size(); ++i) {
            const auto &a = headless.pages[p][i], &b = recorder.pages[p][i];
            EXPECT_EQ(a.kind, b.kind);
            EXPECT_EQ(a.rect, b.rect);
            EXPECT_EQ(a.text, b.text);
            EXPECT_EQ(a.pen, b.pen);
            EXPECT_TRUE(a.image == b.image) << "page " << p << " item " << i;
        }
    }
}

TEST_F(PrintTest, CurrentFrameOnlyPrintsTheSurfaceAsShownWithChalk)
{
    makeFrames(3);
    w->SelectFrame(2);
    w->surface()->line(5, 5, 200, 200, Qt::magenta); // chalk: on the surface, not in the frame
    const QImage shown = w->surface()->image();
    print();
    ASSERT_EQ(recorder.pictures(0).size(), 1);
    EXPECT_EQ(recorder.pictures(0)[0].image, shown);
    EXPECT_EQ(w->document().frames().current(), 2);
}

struct SizeCase
{
    const char *name;
    QSize page, surface;
    bool small;
    QSize picture;
};

void PrintTo(const SizeCase &c, std::ostream *os)
{
    *os << c.name;
}

class PictureSizeTest : public testing::TestWithParam<SizeCase>
{
};

TEST_P(PictureSizeTest, FollowsTheSurfacesShape)
{
    const SizeCase c = GetParam();
    EXPECT_EQ(printPictureSize(c.page, kLine, c.surface, c.small), c.picture);
}

// Room on a 2400 x 3200 page: 2360 x 2600 large, 1124 x 1238 small.
INSTANTIATE_TEST_SUITE_P(
    Shapes, PictureSizeTest,
    testing::Values(
        SizeCase{"wide takes the full width", {2400, 3200}, {400, 373}, false, {2360, 2201}},
        SizeCase{"wide small", {2400, 3200}, {400, 373}, true, {1124, 1048}},
        SizeCase{"tall takes the full height", {2400, 3200}, {300, 500}, false, {1560, 2600}},
        SizeCase{"tall small", {2400, 3200}, {300, 500}, true, {743, 1238}},
        // Where the rule's dimension would run off the paper, the other one decides.
        SizeCase{"wide on landscape paper", {3200, 2400}, {400, 373}, false, {1930, 1800}},
        SizeCase{"nearly square and tall", {2400, 3200}, {400, 410}, false, {2360, 2419}},
        SizeCase{"square", {2400, 3200}, {400, 400}, false, {2360, 2360}}),
    [](const testing::TestParamInfo<SizeCase> &info) {
        QString n = info.param.name;
        return n.replace(' ', '_').toStdString();
    });

TEST_F(PrintTest, ALongTitleWrapsOffTheIconOnFramePagesAndTheNotesPage)
{
    QStringList words;
    for (int i = 1; i <= 60; ++i)
        words << QString("word%1").arg(i);
    w->document().setTexts(words.join(' '), w->document().notes());
    print();
    ASSERT_EQ(recorder.pages.size(), 2);
    const QRect icon(2400 - 70, 2, 64, 64);
    for (int p = 0; p < 2; ++p) {
        int headerLines = 0;
        for (const auto &item : recorder.pages[p]) {
            if (item.kind != RecordingPrintTarget::Item::Text)
                continue;
            EXPECT_FALSE(item.rect.intersects(icon)) << item.text.toStdString();
            EXPECT_LE(item.rect.right(), 2400) << item.text.toStdString();
            headerLines += item.text.contains("word") ? 1 : 0;
        }
        EXPECT_EQ(headerLines, 3) << "page " << p + 1; // then elided
    }
    // The picture moves down under the longer header.
    EXPECT_EQ(recorder.pictures(0)[0].rect.top(), 8 * kLine);
}

TEST_F(PrintTest, TheLegendNamesTheLinesPrintedAndOutlinesLightOnes)
{
    makeFrames(2);
    for (const int k : {2, 5}) {
        w->document().frames().frame(2).ActionSX[size_t(k)] = 50;
        w->document().frames().frame(2).ActionSY[size_t(k)] = 50 + 20 * k;
        w->document().frames().frame(2).ActionEX[size_t(k)] = 200;
        w->document().frames().frame(2).ActionEY[size_t(k)] = 50 + 20 * k;
    }
    PlayLooks looks = w->document().looks();
    looks.actions[2].color = 16777215; // white
    looks.actions[5].color = 255;      // red
    looks.actions[2].endType = looks.actions[5].endType = 0; // arrowheads
    w->document().setLooks(looks);
    dialog->OptPFrames[1]->setChecked(true);
    dialog->chkNotes->setChecked(false);
    print();
    ASSERT_EQ(recorder.pages.size(), 2);
    for (int p = 0; p < 2; ++p) {
        const QStringList texts = recorder.texts()[p];
        // The two lines printed, then the marker of the side on the field.
        EXPECT_EQ(texts.mid(2), QStringList({QString::fromStdString(w->prefs().ActionLabel[2]),
                                             QString::fromStdString(w->prefs().ActionLabel[5]),
                                             "Offense"}));
        // The white line lies over a dark one a little wider, its arrowhead outlined.
        QList<RecordingPrintTarget::Item> lines, heads;
        for (const auto &item : recorder.pages[p]) {
            if (item.kind == RecordingPrintTarget::Item::Line)
                lines << item;
            else if (item.kind == RecordingPrintTarget::Item::Shape)
                heads << item;
        }
        ASSERT_EQ(lines.size(), 3);
        EXPECT_LT(lines[0].pen.color().lightness(), 100);
        EXPECT_EQ(lines[1].pen.color(), QColor(Qt::white));
        EXPECT_GT(lines[0].pen.widthF(), lines[1].pen.widthF());
        EXPECT_EQ(lines[0].rect, lines[1].rect);
        EXPECT_EQ(lines[2].pen.color(), QColor(Qt::red));
        ASSERT_EQ(heads.size(), 2);
        EXPECT_EQ(heads[0].fill, QColor(Qt::white));
        EXPECT_NE(heads[0].pen.style(), Qt::NoPen);
        EXPECT_EQ(heads[1].fill, QColor(Qt::red));
        EXPECT_EQ(heads[1].pen.style(), Qt::NoPen);
    }
}

// A kind belongs in the legend when any line of it is printed: also when only a further line
// of the kind is on the surface, its first line's items lying off it.
TEST(PrintLegendTest, NamesEveryKindAnyLineOfTheFrameUses)
{
    RecordingPrintTarget target(QSize(2400, 3200), kLine);
    PlaySnapshot play;
    for (int k = 0; k < 8; ++k)
        play.looks.actions[size_t(k)] = {"Kind " + std::to_string(k), 0, 0, 255, 0};
    PlayConfig &frame = play.frames.frame(1);
    frame.ActionPaths.push_back({{3, 1}, {10, 10}, {90, 40}, {{50, 5}}});
    ASSERT_TRUE(frame.addActionLine(6, {20, 20}, {80, 20}, {{50, 60}}));
    PrintOptions options;
    options.notes = false;
    const QImage picture(400, 373, QImage::Format_RGB32);
    printPlay(target, play, options, picture.size(), [&](int16_t) { return picture; });
    ASSERT_EQ(target.pages.size(), 1);
    EXPECT_EQ(target.texts()[0].filter(QRegularExpression("^Kind ")),
              QStringList({"Kind 3", "Kind 6"}));
}

// Whether a legend sample gets its dark outline is decided by the colour's relative luminance
// against 0.8: colours a little either side of it, and the common light and dark ones.
struct LightCase
{
    const char *name;
    QColor color;
    bool outlined;
};

class LegendOutline : public testing::TestWithParam<LightCase>
{
};

TEST_P(LegendOutline, OnlyColoursTooLightForPaperAreOutlined)
{
    const LightCase &c = GetParam();
    RecordingPrintTarget target(QSize(2400, 3200), kLine);
    PlaySnapshot play;
    play.looks.actions[0] = {"Run", 0, 0, rgbIntFromColor(c.color), 0}; // an arrowhead, outlined too
    // The frame draws line 0 only, so the legend names that line alone.
    play.frames.frame(1).ActionSX[0] = play.frames.frame(1).ActionEX[0] = 10;
    PrintOptions options;
    options.notes = false;
    const QImage frame(400, 373, QImage::Format_RGB32);
    printPlay(target, play, options, frame.size(), [&](int16_t) { return frame; });
    ASSERT_EQ(target.pages.size(), 1);
    QList<RecordingPrintTarget::Item> lines, heads;
    for (const auto &item : target.pages[0]) {
        if (item.kind == RecordingPrintTarget::Item::Line)
            lines << item;
        else if (item.kind == RecordingPrintTarget::Item::Shape)
            heads << item;
    }
    ASSERT_EQ(lines.size(), c.outlined ? 2 : 1);
    EXPECT_EQ(lines.last().pen.color(), c.color);
    ASSERT_EQ(heads.size(), 1);
    EXPECT_EQ(heads[0].pen.style() != Qt::NoPen, c.outlined);
}

// Relative luminances: yellow 0.93, (255, 236, 0) 0.81, (255, 230, 0) 0.78, orange 0.48.
INSTANTIATE_TEST_SUITE_P(
    Colours, LegendOutline,
    testing::Values(LightCase{"White", QColor(255, 255, 255), true},
                    LightCase{"Yellow", QColor(255, 255, 0), true},
                    LightCase{"JustAbove", QColor(255, 236, 0), true},
                    LightCase{"JustBelow", QColor(255, 230, 0), false},
                    LightCase{"Orange", QColor(255, 165, 0), false},
                    LightCase{"Red", QColor(255, 0, 0), false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PrintTest, PdfDialogStartsWhereTheLastPdfWentAndASetupFileIsUsedWithoutAsking)
{
    print();
    print();
    const auto asked = callsOf("saveFile");
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0].file.startFolder, documentsFolder());
    EXPECT_EQ(asked[1].file.startFolder, dir.path());

    w->output().printSession().printer().setOutputFileName(dir.filePath("setup.pdf"));
    dialog->CmdPrint->click();
    EXPECT_EQ(callsOf("saveFile").size(), 2);
    EXPECT_EQ(pdfFiles.last(), dir.filePath("setup.pdf"));
}

TEST_F(PrintTest, EmptyNotesStillGetTheNotesPage)
{
    w->document().setTexts(w->document().title(), QString());
    print();
    ASSERT_EQ(recorder.pages.size(), 2);
    EXPECT_EQ(recorder.texts()[1],
              QStringList({"Squeeze : Created on 12-07-2026 at 14:10:09", "Page : 2", "Notes:"}));
}

TEST_F(PrintTest, LongNotesAreWrappedAndContinuedOnFurtherPages)
{
    QStringList lines;
    for (int i = 1; i <= 120; ++i)
        lines << QString("Line %1").arg(i);
    QStringList words;
    for (int i = 1; i <= 300; ++i)
        words << QString("word%1").arg(i);
    lines << words.join(' ') << QString(400, 'W');
    w->document().setTexts(w->document().title(), lines.join("\r\n"));
    print();

    ASSERT_GE(recorder.pages.size(), 4);
    QString printed;
    for (int p = 1; p < recorder.pages.size(); ++p) {
        const QStringList t = recorder.texts()[p];
        EXPECT_EQ(t[1], QString("Page : %1").arg(p + 1));
        for (const auto &item : recorder.pages[p]) {
            if (item.kind != RecordingPrintTarget::Item::Text)
                continue;
            EXPECT_LE(item.rect.right(), 2390) << item.text.toStdString();
            EXPECT_LE(item.rect.bottom(), 3200) << item.text.toStdString();
        }
        const int first = p == 1 ? 3 : 2; // after the header, page number (and "Notes:")
        printed += t.mid(first).join('\n') + '\n';
    }
    // Nothing is lost: every word and every letter of the unbroken line is there.
    for (const QString &line : lines.mid(0, 120))
        EXPECT_TRUE(printed.contains(line + '\n')) << line.toStdString();
    QString joined = printed;
    joined.replace('\n', ' ');
    for (const QString &word : words)
        EXPECT_TRUE(joined.contains(" " + word + " ")) << word.toStdString();
    EXPECT_EQ(printed.count('W'), 400);
}

TEST_F(PrintTest, FontChooserSetsThePrinterFontButNotItsBoldness)
{
    const QFont before = w->output().printSession().font();
    dialog->Cmdchgfont->click(); // cancelled: nothing changes
    EXPECT_EQ(w->output().printSession().font(), before);
    EXPECT_EQ(dialog->Txtfont->text(), before.family());
    EXPECT_EQ(callsOf("font").size(), 1);

    QFont chosen("DejaVu Serif", 16);
    chosen.setBold(true);
    chosen.setUnderline(true);
    platform.queueFont(chosen);
    dialog->Cmdchgfont->click();
    EXPECT_EQ(dialog->Txtfont->text(), "DejaVu Serif");
    EXPECT_EQ(dialog->Txtfontsize->text(), "16");
    EXPECT_TRUE(dialog->Txtfont->font().underline());
    EXPECT_EQ(w->output().printSession().font().family(), "DejaVu Serif");
    EXPECT_EQ(w->output().printSession().font().pointSize(), 16);
    EXPECT_TRUE(w->output().printSession().font().underline());
    EXPECT_EQ(w->output().printSession().font().bold(), before.bold());

    print();
    EXPECT_EQ(recorder.font().family(), "DejaVu Serif");
    EXPECT_EQ(recorder.font().pointSize(), 16);
    EXPECT_EQ(recorder.font().bold(), before.bold());
    EXPECT_TRUE(platform.messages().isEmpty());
}

TEST_F(PrintTest, PrinterSetupCancelledOrFailedChangesNothing)
{
    dialog->chkNotes->setChecked(false);
    const QPageLayout layout = w->output().printSession().printer().pageLayout();
    dialog->CmdPsetup->click(); // cancelled
    platform.failPrinterSetups(1);
    dialog->CmdPsetup->click(); // the dialog's button says nothing about a failure
    EXPECT_EQ(callsOf("printerSetup").size(), 2);
    EXPECT_TRUE(platform.messages().isEmpty());
    EXPECT_EQ(platform.beeps, 0);
    EXPECT_FALSE(dialog->chkNotes->isChecked());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(w->output().printSession().printer().pageLayout().isEquivalentTo(layout));

    // From the menu a failure is announced.
    platform.failPrinterSetups(1);
    w->menuItem("mnuFilePageSetup")->trigger();
    EXPECT_EQ(platform.beeps, 1);
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].text, "Error In Printer Setup.");
    EXPECT_EQ(platform.messages()[0].icon, Platform::Icon::Warning);
    EXPECT_EQ(platform.messages()[0].buttons, Platform::Buttons::Ok);
    // and a cancelled one is not.
    w->menuItem("mnuFilePageSetup")->trigger();
    EXPECT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(callsOf("printerSetup").size(), 4);
}

TEST_F(PrintTest, CancellingThePdfNamePrintsNothingAndKeepsTheDialog)
{
    dialog->CmdPrint->click(); // the save dialog answers Cancel
    EXPECT_EQ(callsOf("saveFile").size(), 1);
    EXPECT_TRUE(pdfFiles.isEmpty());
    EXPECT_TRUE(recorder.pages.isEmpty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(platform.messages().isEmpty());
    EXPECT_FALSE(platform.waitCursor);
}

TEST_F(PrintTest, APdfNameWithoutAnExtensionGetsOne)
{
    // A fresh page recorder for every print.
    w->output().printSession().makeTarget = [this](const QString &pdfFile) -> std::unique_ptr<PrintTarget> {
        pdfFiles << pdfFile;
        return std::make_unique<RecordingPrintTarget>(QSize(2400, 3200), kLine);
    };
    QFile kept(dir.filePath("kept.pdf"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.close();
    struct Case
    {
        QString typed;
        std::optional<Platform::Answer> replace; // the answer when asked about an old file
        QString printed;
    };
    for (const Case &c : {Case{"bunt", {}, "bunt.pdf"}, Case{"bunt.PDF", {}, "bunt.PDF"},
                          Case{"kept", Platform::Answer::No, ""},
                          Case{"kept", Platform::Answer::Yes, "kept.pdf"}}) {
        platform.calls.clear();
        pdfFiles.clear();
        if (c.replace)
            platform.queueAnswer(*c.replace);
        platform.queueText(dir.filePath(c.typed));
        dialog->CmdPrint->click();
        const std::string what = c.typed.toStdString();
        EXPECT_EQ(callsOf("saveFile").at(0).file.defaultSuffix, "pdf");
        EXPECT_EQ(pdfFiles, c.printed.isEmpty() ? QStringList() : QStringList{dir.filePath(c.printed)})
            << what;
        const QList<FakePlatform::Call> asked = platform.messages();
        ASSERT_EQ(asked.size(), c.replace ? 1 : 0) << what;
        if (c.replace) {
            EXPECT_EQ(asked[0].text, QDir::toNativeSeparators(dir.filePath("kept.pdf"))
                                         + " already exists.\nDo you want to replace it?");
            EXPECT_EQ(asked[0].buttons, Platform::Buttons::YesNo);
        }
    }
}

// A target that refuses its second page, as a printer that goes off line would.
class RefusingTarget : public RecordingPrintTarget
{
public:
    using RecordingPrintTarget::RecordingPrintTarget;
    void newPage() override { throw RuntimeError(ErrorCode::PrinterError); }
};

TEST_F(PrintTest, AFailedPrintIsReportedAndClosesTheDialog)
{
    RefusingTarget refusing(QSize(2400, 3200), kLine);
    w->output().printSession().makeTarget = [&](const QString &) -> std::unique_ptr<PrintTarget> {
        return std::make_unique<ForwardingPrintTarget>(refusing);
    };
    print();
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].title, "Printing Play");
    EXPECT_TRUE(platform.messages()[0].text.startsWith(errorMessage(482, "Printer error")));
    EXPECT_FALSE(platform.waitCursor);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(refusing.pages.size(), 1); // the page already sent stays sent
}

TEST_F(PrintTest, PdfFileIsARealDocumentWithOnePagePerPrintedPage)
{
    printIntoRealPdf();
    const QString pdf = dir.filePath("play.pdf");
    QFile old(pdf);
    ASSERT_TRUE(writeOlderFile(old));
    makeFrames(5);
    dialog->OptSize[1]->setChecked(true);
    dialog->OptPFrames[1]->setChecked(true);
    print();
    EXPECT_TRUE(platform.messages().isEmpty());

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(file.permissions() & QFileDevice::ReadOther); // as the file it replaced
    // Two frame pages (four small frames a page) and the notes page.
    static const QRegularExpression page("/Type\\s*/Page[^s]");
    EXPECT_EQ(QString::fromLatin1(bytes).count(page), 3);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList({"play.pdf*"}, QDir::Files), QStringList{"play.pdf"});
}

TEST_F(PrintTest, PdfIntoAMissingFolderIsReportedAndWritesNothing)
{
    printIntoRealPdf();
    platform.queueText(dir.filePath("missing/play.pdf"));
    dialog->CmdPrint->click();
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].title, "Printing Play");
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/play.pdf")));
    EXPECT_FALSE(platform.waitCursor);
}

TEST_F(PrintTest, PdfTheDiskHasNoRoomForIsReportedAndKeepsTheOlderFile)
{
    printIntoRealPdf();
    const QString pdf = dir.filePath("play.pdf");
    QFile old(pdf);
    ASSERT_TRUE(writeOlderFile(old));
    makeFrames(5);
    dialog->OptPFrames[1]->setChecked(true);

    test::diskRoom() = 20000;
    const auto previous = AtomicFile::setWriteCall(test::writeIntoRoom);
    print();
    AtomicFile::setWriteCall(previous);

    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].title, "Printing Play");
    EXPECT_TRUE(platform.messages()[0].text.startsWith(errorMessage(61, "Disk full")))
        << platform.messages()[0].text.toStdString();
    EXPECT_FALSE(platform.waitCursor);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "an older file");
    EXPECT_EQ(QDir(dir.path()).entryList({"play.pdf*"}, QDir::Files), QStringList{"play.pdf"});
}

TEST_F(PrintTest, PrintCommandsAreEnabledAndOpenTheDialog)
{
    EXPECT_TRUE(w->menuItem("mnuFilePrint")->isEnabled());
    EXPECT_TRUE(w->menuItem("mnuFilePageSetup")->isEnabled());
    EXPECT_TRUE(w->toolbarButton("Print")->isEnabled());
    EXPECT_EQ(w->menuItem("mnuFilePageSetup")->text(), "Print Set&up...");
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto *open = qobject_cast<Prntfrm *>(QApplication::activeModalWidget())) {
            shown = open->windowTitle();
            open->CmdCan->click();
        }
    });
    w->tbToolBar_ButtonClick("Print");
    EXPECT_EQ(shown, "Print Play");
}

} // namespace
} // namespace kinetra
