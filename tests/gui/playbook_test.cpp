// Playbooks: several plays in one document with a contents page, from the command line (read
// back from the PDF with poppler's tools) and from File > Print Playbook.
#include "app/commandline.h"
#include "app/frmmain.h"
#include "app/outputcommands.h"
#include "app/reporterror.h"
#include "model/playfile.h"
#include "output/frmplaybook.h"
#include "output/playbook.h"
#include "output/printsession.h"
#include "output/printtarget.h"
#include "prefs/inisettingsstore.h"
#include "prefs/preferencestore.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"
#include "support/recordingprinttarget.h"
#include "support/tempsettings.h"
#include "surface/framelooks.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace kinetra {
namespace {

QString samplePlay(const QString &name)
{
    return QString(KINETRA_PROGRAM_DIR) + "/Plays/" + name;
}

QString titleOf(const QString &play)
{
    PlayFileHeader header;
    EXPECT_TRUE(readPlayHeaderFile(QFile::encodeName(play).toStdString(), header));
    return QString::fromStdString(header.title);
}

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A PDF's pages as pdftotext -bbox reads them: the page size and each word's box, in points.
struct PdfWord
{
    QString text;
    QRectF box;
};
struct PdfPage
{
    QSizeF size;
    QList<PdfWord> words;
    /// The words whose boxes share a top with `word`'s, left to right.
    QStringList lineOf(const PdfWord &word) const
    {
        QList<PdfWord> line;
        for (const PdfWord &w : words)
            if (qAbs(w.box.top() - word.box.top()) < 1)
                line << w;
        std::sort(line.begin(), line.end(),
                  [](const PdfWord &a, const PdfWord &b) { return a.box.left() < b.box.left(); });
        QStringList texts;
        for (const PdfWord &w : line)
            texts << w.text;
        return texts;
    }
    /// The words lowest on the page, left to right.
    QString lastLine() const
    {
        const PdfWord *lowest = nullptr;
        for (const PdfWord &w : words)
            if (!lowest || w.box.top() > lowest->box.top())
                lowest = &w;
        return lowest ? lineOf(*lowest).join(' ') : QString();
    }
    QString text() const
    {
        QStringList all;
        for (const PdfWord &w : words)
            all << w.text;
        return all.join(' ');
    }
};

QList<PdfPage> readPdf(const QString &pdf)
{
    QXmlStreamReader xml(run("pdftotext", {"-bbox", pdf, "-"}));
    QList<PdfPage> pages;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            pages << PdfPage{QSizeF(a.value("width").toDouble(), a.value("height").toDouble()),
                             {}};
        } else if (xml.name() == QLatin1String("word")) {
            const QRectF box(QPointF(a.value("xMin").toDouble(), a.value("yMin").toDouble()),
                             QPointF(a.value("xMax").toDouble(), a.value("yMax").toDouble()));
            pages.last().words << PdfWord{xml.readElementText(), box};
        }
    }
    return pages;
}

TEST(PlaybookPdf, ContentsNameEveryPlayAtItsFirstPageAndEveryWordStaysOnThePage)
{
    TempSettings settings;
    QTemporaryDir dir;
    const QStringList plays = {samplePlay("RelayGap.ktr"), samplePlay("BuntDefense.ktr"),
                               samplePlay("SqueezePlay.ktr")};
    const QString book = dir.filePath("book.pdf");
    const CommandLine cl = parseCommandLine(
        QStringList{"--export", book, "--title", "Bunt Defence", "--large"} + plays);
    ASSERT_EQ(cl.action, CommandLine::Action::Export) << cl.error.toStdString();
    QString errors;
    QTextStream err(&errors);
    ASSERT_EQ(runExport(cl.options, KINETRA_PROGRAM_DIR, err), kExitOk) << errors.toStdString();

    const QString info = run("pdfinfo", {book});
    EXPECT_TRUE(info.contains(QRegularExpression("^Title: +Bunt Defence$",
                                                 QRegularExpression::MultilineOption)))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("^Creator: +Kinetra 1.4.0$",
                                                 QRegularExpression::MultilineOption)));

    const QList<PdfPage> pages = readPdf(book);
    ASSERT_GT(pages.size(), 4);
    const int total = int(pages.size());
    for (int p = 0; p < total; ++p) {
        const QRectF sheet(QPointF(0, 0), pages[p].size);
        for (const PdfWord &w : pages[p].words)
            EXPECT_TRUE(sheet.contains(w.box)) << "page " << p + 1 << ": " << w.text.toStdString();
        EXPECT_EQ(pages[p].lastLine(), QString("Page %1 of %2").arg(p + 1).arg(total));
    }

    // The contents page: the name, then each play's title in order, its row ending in the
    // number of the page its header first tops.
    const PdfPage &contents = pages[0];
    EXPECT_TRUE(contents.text().startsWith("Bunt Defence"));
    double previousRow = 0;
    QList<int> firstPages;
    for (const QString &play : plays) {
        const QString title = titleOf(play);
        const QString first = title.section(' ', 0, 0);
        const PdfWord *start = nullptr;
        for (const PdfWord &w : contents.words)
            if (w.text == first && w.box.top() > previousRow && !start)
                start = &w;
        ASSERT_NE(start, nullptr) << title.toStdString();
        previousRow = start->box.top();
        const QStringList row = contents.lineOf(*start);
        EXPECT_TRUE(row.join(' ').startsWith(title)) << row.join(' ').toStdString();
        const int number = row.last().toInt();
        int firstPage = 0;
        for (int p = 1; p < total && !firstPage; ++p)
            if (pages[p].text().startsWith(title + " : Created on"))
                firstPage = p + 1;
        EXPECT_EQ(number, firstPage) << title.toStdString();
        firstPages << firstPage;
    }

    // The relay's legend names its lines on its first page (inside the page, as checked).
    ASSERT_GT(firstPages[0], 1);
    const QString relayPage = pages[firstPages[0] - 1].text();
    for (const char *name : {"Run", "Hit", "Throw", "Field", "Cover", "Back Up"})
        EXPECT_TRUE(relayPage.contains(name)) << name;
}

// The nine sample plays as sheets: one page a play after the contents, each with its title,
// its frames' numbers and the start of its notes; then a section of sheets for each position
// chosen, named in its pages' headers and in the contents.
TEST(PlaybookPdf, EverySamplePlayTakesOneSheetAndEachPositionASection)
{
    TempSettings settings;
    QTemporaryDir dir;
    QStringList files;
    const QDir plays(QString(KINETRA_PROGRAM_DIR) + "/Plays");
    for (const QString &name : plays.entryList({"*.ktr"}, QDir::Files, QDir::Name))
        files << plays.filePath(name);
    ASSERT_GE(files.size(), 9);
    IniSettingsStore store;
    Preferences prefs;
    loadPreferences(store, prefs, KINETRA_PROGRAM_DIR);
    const PlaybookSource source = readPlaybookPlays(files, prefs);
    PrintOptions options;
    options.sheet = true;
    options.font = QFont("DejaVu Sans", 10);
    options.positions = {"SS", "CF"};
    const QString book = dir.filePath("book.pdf");
    ASSERT_TRUE(exportPlaybook(book, "Tigers 12U Defence", source, options, KINETRA_PROGRAM_DIR));

    const QList<PdfPage> pages = readPdf(book);
    const int n = int(files.size());
    ASSERT_EQ(pages.size(), 1 + 3 * n);
    ASSERT_TRUE(run("pdfinfo", {book}).contains(QRegularExpression(
        QString("^Pages: +%1$").arg(pages.size()), QRegularExpression::MultilineOption)));
    for (int section = 0; section < 3; ++section) {
        const QString heading = section == 0 ? QString()
                                : section == 1 ? QString("SS - Tigers 12U Defence")
                                               : QString("CF - Tigers 12U Defence");
        const int first = 2 + section * n;
        if (!heading.isEmpty()) {
            const QList<PdfWord> &words = pages[0].words;
            const auto row = std::find_if(words.begin(), words.end(), [&](const PdfWord &w) {
                return pages[0].lineOf(w).join(' ').startsWith(heading);
            });
            ASSERT_NE(row, words.end()) << heading.toStdString();
            EXPECT_EQ(pages[0].lineOf(*row).join(' '),
                      heading + " " + QString::number(first));
        }
        for (int i = 0; i < n; ++i) {
            const PlaySnapshot &play = source.plays[i];
            const PdfPage &page = pages[first - 1 + i];
            // pdftotext gives ligatures as such ("ﬁ").
            const QString text = page.text().normalized(QString::NormalizationForm_KC);
            const QString title = QString::fromStdString(play.title);
            SCOPED_TRACE(title.toStdString() + " " + heading.toStdString());
            // A play without the position names it under the heading (the softball play has
            // no CF); every labelled player of the samples is on the field.
            const QString label = heading.section(' ', 0, 0);
            const QString top = heading.isEmpty() ? title
                                : playerLabelled(play.looks.labels, label) >= 0
                                    ? heading + " " + title
                                    : heading + " " + label + " not in this play " + title;
            EXPECT_TRUE(text.startsWith(top)) << text.left(80).toStdString();
            // The frames' numbers stand alone on the line under their pictures.
            for (int f = 1; f <= play.frames.count(); ++f) {
                const auto caption = std::find_if(
                    page.words.begin(), page.words.end(), [&](const PdfWord &w) {
                        return w.text == QString::number(f) && page.lineOf(w).size() <= 3;
                    });
                EXPECT_NE(caption, page.words.end()) << f;
            }
            const QString notes = QString::fromStdString(play.notes).simplified();
            EXPECT_TRUE(text.contains("Notes: " + notes.section(' ', 0, 3)));
        }
    }
}

TEST(PlaybookPdf, APlayThatCannotBeReadIsNamedAndNoFileIsWritten)
{
    TempSettings settings;
    QTemporaryDir dir;
    const QString broken = dir.filePath("broken.KTR");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a play\r\n");
    file.close();
    const QString book = dir.filePath("book.pdf");
    const CommandLine cl = parseCommandLine(
        {"--export", book, samplePlay("RelayGap.ktr"), broken, samplePlay("Rundown.ktr")});
    QString errors;
    QTextStream err(&errors);
    EXPECT_EQ(runExport(cl.options, KINETRA_PROGRAM_DIR, err), kExitFailed);
    EXPECT_TRUE(errors.contains(broken)) << errors.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"broken.KTR"});
}

// Cancelled before the contents, in the first play, at the last frame: the file that was
// there stays as it was and nothing else is left in the folder.
TEST(PlaybookPdf, ACancelledPlaybookLeavesTheOldFileAndNoTemporary)
{
    TempSettings settings;
    IniSettingsStore store;
    Preferences prefs;
    loadPreferences(store, prefs, KINETRA_PROGRAM_DIR);
    const PlaybookSource source =
        readPlaybookPlays({samplePlay("RelayGap.ktr"), samplePlay("Rundown.ktr")}, prefs);
    int frames = 0;
    for (const PlaySnapshot &read : source.plays)
        frames += read.frames.count();
    for (const int stopAt : {0, 2, frames}) {
        QTemporaryDir dir;
        const QString book = dir.filePath("book.pdf");
        QFile old(book);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the last playbook");
        old.close();
        int calls = 0;
        const bool written = exportPlaybook(book, "Book", source, PrintOptions(),
                                            KINETRA_PROGRAM_DIR, [&](int done, int total) {
                                                ++calls;
                                                EXPECT_EQ(total, frames);
                                                return done < stopAt;
                                            });
        EXPECT_FALSE(written) << stopAt;
        EXPECT_EQ(calls, stopAt + 1) << "no report after the cancel";
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"book.pdf"}) << stopAt;
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "the last playbook") << stopAt;
        old.close();
    }
}

// ---- Position sections ---------------------------------------------------------------------

// Two plays, then sections for "ss" (any case names SS), a blank label (left out), "Sp" (a
// label no player of these plays stands at) and "XX" (no label at all). Every part is checked
// in the plan, in the contents, at its first page and in the pictures asked for.
TEST(PlaybookSections, FollowThePlaysWithEveryPlayFocusedOnEachPosition)
{
    TempSettings settings;
    IniSettingsStore store;
    Preferences prefs;
    loadPreferences(store, prefs, KINETRA_PROGRAM_DIR);
    const QStringList files = {samplePlay("RelayGap.ktr"), samplePlay("Rundown.ktr")};
    const PlaybookSource source = readPlaybookPlays(files, prefs);
    using Drawn = std::tuple<int, int, int>; // play, frame, focus
    QList<Drawn> drawn;
    QList<PlaybookPlay> plays;
    for (int i = 0; i < 2; ++i) {
        PlaybookPlay play;
        play.name = QString("Play %1").arg(i + 1);
        play.play = &source.plays[i];
        play.surfaceSize = QSize(400, 373);
        play.picture = [&drawn, i](int16_t frame, int focus) -> FrameShot {
            drawn << Drawn{i, int(frame), focus};
            return QImage(40, 37, QImage::Format_RGB32);
        };
        plays << play;
    }
    PrintOptions options;
    options.positions = {"ss", " ", "Sp", "XX"};

    const struct
    {
        int play;
        int focus;
        QString heading;
        QString entry;
    } expected[] = {
        {0, -1, "", "Play 1"},
        {1, -1, "", "Play 2"},
        {0, 15, "ss - Book", "ss - Book"},
        {1, 15, "ss - Book", ""},
        {0, -1, "Sp - Book\nSp not in this play", "Sp - Book"},
        {1, -1, "Sp - Book\nSp not in this play", ""},
        {0, -1, "XX - Book\nXX not in this play", "XX - Book"},
        {1, -1, "XX - Book\nXX not in this play", ""},
    };
    const QList<PlaybookPart> parts = playbookParts("Book", options, plays);
    ASSERT_EQ(parts.size(), qsizetype(std::size(expected)));
    QList<Drawn> wanted;
    for (int p = 0; p < parts.size(); ++p) {
        const auto &e = expected[p];
        const PlaybookPart &part = parts[p];
        EXPECT_EQ(part.play, e.play) << p;
        EXPECT_EQ(part.focus, e.focus) << p;
        EXPECT_EQ(part.options.heading, e.heading) << p;
        EXPECT_EQ(part.entry, e.entry) << p;
        EXPECT_EQ(part.options.sheet, !e.heading.isEmpty()) << p;
        EXPECT_EQ(part.options.focus, e.focus < 0 ? "" : "ss") << p;
        EXPECT_TRUE(part.options.allFrames) << p;
        for (int f = 1; f <= source.plays[e.play].frames.count(); ++f)
            wanted << Drawn{e.play, f, e.focus};
    }

    RecordingPrintTarget target(QSize(2400, 3200), 50);
    int reported = 0;
    const std::optional<int> total =
        printPlaybook(target, "Book", options, plays, [&](int done, int frames) {
            reported = done;
            EXPECT_EQ(frames, wanted.size());
            return true;
        });
    ASSERT_TRUE(total.has_value());
    EXPECT_TRUE(drawn == wanted) << "every frame of every part, focused as planned";
    EXPECT_EQ(reported, wanted.size());

    // The contents list the entries in order, each with the page its part starts on: the
    // page that carries its play's header, numbered in its footer.
    const QList<QStringList> texts = target.texts();
    ASSERT_EQ(texts.size(), *total);
    const QStringList &contents = texts[0];
    int previous = 1;
    int k = 0;
    for (const auto &e : expected) {
        if (e.entry.isEmpty())
            continue;
        ASSERT_GT(contents.size(), 3 + 2 * k);
        EXPECT_EQ(contents[2 + 2 * k], e.entry);
        const int first = contents[3 + 2 * k].toInt();
        ASSERT_GT(first, previous) << e.entry.toStdString();
        ASSERT_LE(first, *total) << e.entry.toStdString();
        const QStringList &page = texts[first - 1];
        const QString header = " " + titleOf(files[e.play]) + " : Created on ";
        EXPECT_TRUE(std::any_of(page.begin(), page.end(),
                                [&](const QString &t) { return t.startsWith(header); }))
            << e.entry.toStdString();
        EXPECT_EQ(page[0], QString("Page %1 of %2").arg(first).arg(*total));
        previous = first;
        ++k;
    }
    EXPECT_EQ(contents.size(), 2 + 2 * k);
}

// ---- The dialog ----------------------------------------------------------------------------

class PlaybookDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_previousDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        installErrorReporter(platform);
        w = std::make_unique<frmMain>(platform, store, KINETRA_PROGRAM_DIR);
        w->output().printSession().printer().setOutputFormat(QPrinter::PdfFormat);
        w->output().printSession().makeTarget = [this](const QString &pdfFile) -> std::unique_ptr<PrintTarget> {
            pdfFiles << pdfFile;
            return std::make_unique<ForwardingPrintTarget>(recorder);
        };
        dialog = w->output().playbookDialog();
    }

    void TearDown() override
    {
        dialog.reset();
        w.reset();
        removeErrorReporter();
        QDir::setCurrent(m_previousDir);
    }

    /// Ticks the list's entries at rows.
    void tick(std::initializer_list<int> rows)
    {
        for (const int row : rows)
            dialog->LstPlays->item(row)->setCheckState(Qt::Checked);
    }

    QTemporaryDir dir;
    TempSettings settings;
    IniSettingsStore store;
    FakePlatform platform;
    std::unique_ptr<frmMain> w;
    std::unique_ptr<frmPlaybook> dialog;
    RecordingPrintTarget recorder{QSize(2400, 3200), 50};
    QStringList pdfFiles;
    QString m_previousDir;
};

TEST_F(PlaybookDialogTest, PrintsTheTickedPlaysInTheChosenOrderAfterAContentsPage)
{
    EXPECT_EQ(dialog->windowTitle(), "Print Playbook");
    EXPECT_EQ(dialog->folder(), QDir(w->playDirectoryFolder()).absolutePath());
    ASSERT_EQ(dialog->LstPlays->count(), 13);
    EXPECT_FALSE(dialog->CmdPrint->isEnabled()) << "nothing ticked yet";
    tick({0, 1, 2});
    dialog->LstPlays->setCurrentRow(2);
    dialog->CmdUp->click();
    const QStringList chosen = dialog->chosenPlays();
    ASSERT_EQ(chosen.size(), 3);
    EXPECT_TRUE(chosen[1].endsWith("CutoffThird.ktr")) << chosen[1].toStdString();
    dialog->TxtName->setText("Spring Book");

    w->output().printSession().pdfWritten(dir.filePath("earlier.pdf"));
    platform.queueText(dir.filePath("book.pdf"));
    dialog->CmdPrint->click();
    ASSERT_EQ(platform.calls.size(), 1);
    EXPECT_EQ(platform.calls[0].file.proposedName, "Spring Book.pdf");
    EXPECT_EQ(platform.calls[0].file.startFolder, dir.path());
    EXPECT_EQ(pdfFiles, QStringList{dir.filePath("book.pdf")});
    EXPECT_TRUE(recorder.finished);
    EXPECT_EQ(recorder.documentTitle, "Spring Book");
    EXPECT_TRUE(platform.messages().isEmpty());

    // The contents name the plays in the chosen order, each with its first page.
    const QList<QStringList> texts = recorder.texts();
    const QStringList &contents = texts[0];
    ASSERT_EQ(contents.size(), 1 + 1 + 3 * 2) << contents.join('|').toStdString();
    EXPECT_EQ(contents[1], "Spring Book");
    const int total = int(texts.size());
    for (int k = 0; k < 3; ++k) {
        const QString title = titleOf(chosen[k]);
        EXPECT_EQ(contents[2 + 2 * k], title);
        const int first = contents[3 + 2 * k].toInt();
        ASSERT_GT(first, 1);
        ASSERT_LE(first, total);
        ASSERT_GE(texts[first - 1].size(), 2);
        EXPECT_TRUE(texts[first - 1][1].startsWith(" " + title + " : Created on "))
            << title.toStdString();
        EXPECT_EQ(texts[first - 1][0], QString("Page %1 of %2").arg(first).arg(total));
    }
}

// The list always started in the Play Directory, wherever the coach's plays were.
TEST_F(PlaybookDialogTest, StartsInTheOpenPlaysFolderElseTheLastOneListed)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath("open"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("book"));
    w->document().setPath(dir.filePath("open/play.KTR"));
    EXPECT_EQ(w->output().playbookDialog()->folder(), dir.filePath("open"));

    w->document().setPath(QString());
    QTimer::singleShot(0, [this] {
        auto *shown = qobject_cast<frmPlaybook *>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        shown->setFolder(dir.filePath("book"));
        shown->TxtName->setText(" Tigers 12U ");
        shown->reject();
    });
    w->menuItem("mnuFilePlaybook")->trigger();
    EXPECT_EQ(w->output().playbookDialog()->folder(), dir.filePath("book"));

    w->document().setPath(dir.filePath("open/play.KTR"));
    EXPECT_EQ(w->output().playbookDialog()->folder(), dir.filePath("open"));

    // The next run starts with the last playbook's name and folder, while the folder exists.
    dialog.reset();
    w = std::make_unique<frmMain>(platform, store, KINETRA_PROGRAM_DIR);
    EXPECT_EQ(w->output().playbookDialog()->folder(), dir.filePath("book"));
    EXPECT_EQ(w->output().playbookDialog()->TxtName->text(), "Tigers 12U");
    ASSERT_TRUE(QDir(dir.filePath("book")).removeRecursively());
    EXPECT_EQ(w->output().playbookDialog()->folder(), QDir(w->playDirectoryFolder()).absolutePath());
}

TEST_F(PlaybookDialogTest, PositionSheetsAreTheDefenceThenTheOffenceAndChoicesStayForTheRun)
{
    EXPECT_TRUE(dialog->OptSize[2]->isChecked()) << "a playbook starts as sheets";
    EXPECT_FALSE(dialog->ChkMono->isChecked());
    EXPECT_TRUE(dialog->options().sheet);

    Preferences prefs;
    fillBuiltInLabelSets(prefs);
    prefs.DPLabel = prefs.DPDef[0];
    prefs.OPLabel = {"B", "R1", "R2", "", "r1", "A&B", "", "", "", ""};
    PrintSession &session = w->output().printSession();
    auto book = std::make_unique<frmPlaybook>(session, prefs, KINETRA_PROGRAM_DIR, dir.path(),
                                              platform);
    QStringList shown;
    for (const QCheckBox *box : book->ChkPositions)
        shown << box->text();
    EXPECT_EQ(shown, QStringList({"P", "C", "1B", "2B", "3B", "SS", "RF", "CF", "LF", "Sp", "B",
                                  "R1", "R2", "A&&B"}));
    // Ticked out of order, they are printed in the order of the boxes.
    for (const int k : {11, 13, 5})
        book->ChkPositions[size_t(k)]->setChecked(true);
    book->ChkMono->setChecked(true);
    book->OptSize[1]->setChecked(true);
    PrintOptions chosen = book->options();
    EXPECT_EQ(chosen.positions, QStringList({"SS", "R1", "A&B"}));
    EXPECT_TRUE(chosen.mono && chosen.small && !chosen.sheet && chosen.allFrames);
    book->reject();

    // Opened again in the run, the dialog shows the same choices.
    book = std::make_unique<frmPlaybook>(session, prefs, KINETRA_PROGRAM_DIR, dir.path(),
                                         platform);
    EXPECT_TRUE(book->OptSize[1]->isChecked());
    EXPECT_TRUE(book->ChkMono->isChecked());
    EXPECT_EQ(book->options().positions, chosen.positions);
    book->OptSize[0]->setChecked(true);
    chosen = book->options();
    EXPECT_FALSE(chosen.small || chosen.sheet);

    // The boxes keep the dialog usable at its smallest: five to a row.
    book->show();
    book->resize(book->minimumSizeHint());
    QApplication::processEvents();
    EXPECT_EQ(book->ChkPositions[5]->x(), book->ChkPositions[0]->x());
    EXPECT_GT(book->ChkPositions[5]->y(), book->ChkPositions[4]->y());
    EXPECT_LE(book->FramePositions->geometry().right(), book->width());
}

TEST_F(PlaybookDialogTest, AnUnreadablePlayIsNamedAndNothingIsPrinted)
{
    QFile::copy(samplePlay("RelayGap.ktr"), dir.filePath("A.ktr"));
    QFile broken(dir.filePath("B.ktr"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("4,\"DAZI\",\"1.4\",\"Half a play\"\r\n");
    broken.close();
    platform.queueText(dir.path()); // Choose Folder
    dialog->CmdFolder->click();
    EXPECT_TRUE(platform.calls.last().file.folder);
    EXPECT_EQ(dialog->folder(), dir.path());
    ASSERT_EQ(dialog->LstPlays->count(), 2);
    tick({0, 1});
    dialog->CmdPrint->click();
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].title, "Print Playbook");
    EXPECT_TRUE(platform.messages()[0].text.contains(dir.filePath("B.ktr")));
    EXPECT_TRUE(platform.messages()[0].text.endsWith("Nothing was printed."));
    EXPECT_TRUE(pdfFiles.isEmpty());
    EXPECT_FALSE(recorder.begun);
}

TEST_F(PlaybookDialogTest, AFileGivenInPrinterSetupIsPrintedToWithoutAsking)
{
    w->output().printSession().printer().setOutputFileName(dir.filePath("setup.pdf"));
    tick({3});
    dialog->CmdPrint->click();
    EXPECT_TRUE(platform.calls.isEmpty());
    EXPECT_EQ(pdfFiles, QStringList{dir.filePath("setup.pdf")});
    EXPECT_EQ(w->output().printSession().pdfFolder(), dir.path());
}

} // namespace
} // namespace kinetra
