// What ships in the program folder: the sample plays, the tip file and the help file.

#include "documentfixture.h"
#include "model/failurereport.h"
#include "model/playfile.h"
#include "prefs/defaultfield.h"
#include "windows/frmdir.h"
#include "windows/frmhelp.h"

#include <QDir>
#include <QFileInfo>
#include <QPointF>
#include <QRectF>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocumentFragment>

#include <algorithm>
#include <cmath>

namespace kinetra {
namespace {

QString programFile(const QString &name)
{
    return QDir(KINETRA_PROGRAM_DIR).filePath(name);
}

QStringList samplePlays()
{
    return QDir(programFile("Plays")).entryList({"*.ktr"}, QDir::Files, QDir::Name);
}

QByteArray readAll(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SamplePlay : public DocumentTest, public testing::WithParamInterface<QString>
{};

TEST(SamplePlays, AtLeastEightShip)
{
    EXPECT_GE(samplePlays().size(), 8);
}

TEST_P(SamplePlay, OpensWithoutAReportAndIsARealPlay)
{
    const QString file = programFile("Plays/" + GetParam());
    int reports = 0;
    const FailureReporter previous =
        setFailureReporter([&reports](const std::string &) { ++reports; });
    auto w = open();
    ASSERT_EQ(w->openPlay(file), PlayReadStatus::Opened);
    setFailureReporter(previous);
    EXPECT_EQ(reports, 0);
    EXPECT_TRUE(platform.messages().isEmpty()) << platform.messages()[0].text.toStdString();
    EXPECT_EQ(w->document().path(), file);

    EXPECT_GE(w->document().frames().count(), 3);
    EXPECT_GT(w->document().title().size(), 5);
    EXPECT_GT(w->document().notes().size(), 100) << "notes that explain the play";
    EXPECT_TRUE(frmdir::entryText(programFile("Plays"), GetParam())
                    .startsWith(GetParam() + " : " + w->document().title() + " : "));

    // The label set fits the field: baseball positions on the baseball pictures, softball
    // positions on the softball field.
    const bool softball = w->prefs().Picbkg == 2;
    EXPECT_EQ(w->prefs().DPLabel[7], softball ? "RCF" : "CF");
    EXPECT_EQ(w->prefs().OPLabel[0], "B1");

    int arrows = 0;
    for (int16_t f = 1; f <= w->document().frames().count(); ++f) {
        const PlayConfig &frame = w->document().frames().frame(f);
        // Every player stands wholly on the picture and clear of the others.
        std::vector<QPointF> players;
        for (int i = 0; i < kPlayersPerSide; ++i) {
            if (frame.OPlayerX[i] > 0)
                players.emplace_back(frame.OPlayerX[i], frame.OPlayerY[i]);
            if (frame.DPlayerX[i] > 0)
                players.emplace_back(frame.DPlayerX[i], frame.DPlayerY[i]);
        }
        EXPECT_GE(players.size(), 9u) << "frame " << f;
        for (size_t a = 0; a < players.size(); ++a) {
            EXPECT_TRUE(QRectF(15, 15, 400 - 30, 373 - 30).contains(players[a]))
                << "frame " << f << " player at " << players[a].x() << "," << players[a].y();
            for (size_t b = 0; b < a; ++b)
                EXPECT_GE(std::hypot(players[a].x() - players[b].x(),
                                     players[a].y() - players[b].y()),
                          17)
                    << "frame " << f << ": players crowd at " << players[a].x() << ","
                    << players[a].y();
        }
        for (int k = 0; k < kActionCount; ++k)
            arrows += frame.ActionSX[k] > 0 && frame.ActionEX[k] > 0;
    }
    EXPECT_GE(arrows, w->document().frames().count()) << "action lines show the movements";
}

INSTANTIATE_TEST_SUITE_P(Content, SamplePlay, testing::ValuesIn(samplePlays()),
                         [](const testing::TestParamInfo<QString> &info) {
                             return QFileInfo(info.param).completeBaseName().toStdString();
                         });

// ---- A coach could teach from them ----

using field::Point;

double distance(Point a, Point b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Distance from p to the segment from a to b.
double toSegment(Point p, Point a, Point b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy),
                                0.0, 1.0);
    return distance(p, {a.x + t * dx, a.y + t * dy});
}

const char *const kBaseNames[5] = {"home", "first", "second", "third", "home"};

// A runner's marker is 30 pixels across: standing within its radius of a bag he is on it, and
// within most of it of the line between two bags he is on the base path.
constexpr double kOnBase = 15;
constexpr double kOnPath = 12;
// Before he runs the batter stands at the plate, and a runner who scored clears away from it.
constexpr double kAroundHome = 40;
// A throw ends in the receiver's glove: within his marker.
constexpr double kGlove = 16;

class SamplePlayGeometry : public testing::TestWithParam<QString>
{
protected:
    void SetUp() override
    {
        const PlayReadResult read =
            readPlayFile(QFile::encodeName(programFile("Plays/" + GetParam())).toStdString());
        ASSERT_EQ(read.status, PlayReadStatus::Opened);
        m_play = read.play;
    }

    PlaySnapshot m_play;
};

TEST_P(SamplePlayGeometry, RunnersRunTheBasePathsTouchingEveryBaseInOrder)
{
    const FrameList &frames = m_play.frames;
    for (size_t i = 0; i < kPlayersPerSide; ++i) {
        int last = -1; // the base he touched last: 0 home .. 3 third, 4 when he scored
        for (int16_t f = 1; f <= frames.count(); ++f) {
            const PlayConfig &frame = frames.frame(f);
            const Point p{frame.OPlayerX[i], frame.OPlayerY[i]};
            if (p.x <= 0) {
                last = -1;
                continue;
            }
            const std::string where = m_play.labels.offense[i] + " in frame " + std::to_string(f)
                                      + " at " + std::to_string(int(p.x)) + ","
                                      + std::to_string(int(p.y));
            if (last < 0) {
                // Where he first stands: at the plate or by a base, or leading off from one.
                for (int b = 0; b < 4 && last < 0; ++b)
                    if (toSegment(p, field::kBases[b], field::kBases[(b + 1) % 4]) <= kOnPath
                        || distance(p, field::kBases[b]) <= (b == 0 ? kAroundHome : kOnBase))
                        last = b;
                EXPECT_GE(last, 0) << where << " starts off the base paths";
                continue;
            }
            if ((last == 0 || last == 4) && distance(p, field::kPlate) <= kAroundHome)
                continue;
            const Point next = field::kBases[(last + 1) % 4];
            if (last < 4 && distance(p, next) <= kOnBase) {
                ++last;
                continue;
            }
            EXPECT_LE(toSegment(p, field::kBases[last % 4], next), kOnPath)
                << where << " leaves the base path from " << kBaseNames[last] << " to "
                << kBaseNames[last + 1];
        }
    }
}

TEST_P(SamplePlayGeometry, EveryThrowEndsAtAFielder)
{
    const FrameList &frames = m_play.frames;
    int throws = 0;
    for (size_t k = 0; k < kActionCount; ++k) {
        // What a line shows is what the play names it.
        if (!QString::fromStdString(m_play.actions[k].label).contains("Throw", Qt::CaseInsensitive))
            continue;
        for (int16_t f = 1; f <= frames.count(); ++f) {
            const PlayConfig &frame = frames.frame(f);
            if (frame.ActionSX[k] <= 0 || frame.ActionEX[k] <= 0)
                continue;
            ++throws;
            const Point end{frame.ActionEX[k], frame.ActionEY[k]};
            // The receiver stands there when the ball arrives: in the next frame.
            const PlayConfig &then = frames.frame(std::min<int16_t>(f + 1, frames.count()));
            double nearest = 1e9;
            for (size_t d = 0; d < kPlayersPerSide; ++d)
                if (then.DPlayerX[d] > 0)
                    nearest =
                        std::min(nearest, distance(end, {then.DPlayerX[d], then.DPlayerY[d]}));
            EXPECT_LE(nearest, kGlove) << "the throw in frame " << f << " ends at "
                                       << int(end.x) << "," << int(end.y) << ", " << int(nearest)
                                       << " pixels from the nearest fielder";
        }
    }
    EXPECT_GE(throws, 1);
}

INSTANTIATE_TEST_SUITE_P(Content, SamplePlayGeometry, testing::ValuesIn(samplePlays()),
                         [](const testing::TestParamInfo<QString> &info) {
                             return QFileInfo(info.param).completeBaseName().toStdString();
                         });

TEST(TipFile, HoldsThirtyTipsOneALineWithoutEmptyLines)
{
    const QByteArray bytes = readAll(programFile("TIPOFDAY.TXT"));
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QStringList lines = QString::fromUtf8(bytes.chopped(2)).split("\r\n");
    EXPECT_GE(lines.size(), 30);
    for (const QString &line : lines) {
        EXPECT_FALSE(line.contains('\n') || line.contains('\r')) << line.toStdString();
        EXPECT_GT(line.trimmed().size(), 20) << "empty or stub tip: " << line.toStdString();
    }
}

class HelpFile : public DocumentTest
{
protected:
    QString html() const { return QString::fromUtf8(readAll(programFile("KTR.hlp"))); }
};

TEST_F(HelpFile, NamesEveryMenuCommand)
{
    const QString text = QTextDocumentFragment::fromHtml(html()).toPlainText();
    ASSERT_FALSE(text.isEmpty());
    auto w = open();
    int named = 0;
    for (QAction *item : w->menuBar()->findChildren<QAction *>()) {
        QString caption = item->text();
        if (item->isSeparator() || caption.isEmpty() || item->data().isValid()
            || item->objectName().startsWith("MnuForm"))
            continue; // recent files and formations show the user's own names
        caption.remove('&');
        ++named;
        EXPECT_TRUE(text.contains(caption)) << "the help does not name " << caption.toStdString();
    }
    EXPECT_GE(named, 40);
}

TEST_F(HelpFile, EveryMenuCommandHasAPageAndEveryKeywordIsUniqueAndLeadsToOne)
{
    const QString help = html();
    const auto keywords = frmHelp::parseKeywords(help);
    ASSERT_GT(keywords.size(), 100u);
    QSet<QString> indexed;
    for (const frmHelp::Keyword &k : keywords) {
        EXPECT_TRUE(help.contains(QString("<a name=\"%1\">").arg(k.anchor)))
            << k.text.toStdString() << " leads to no page";
        EXPECT_FALSE(indexed.contains(k.text.toLower()))
            << k.text.toStdString() << " is in the index twice without saying which page";
        indexed.insert(k.text.toLower());
        // A keyword of several pages is followed by its page's title in brackets.
        indexed.insert(k.text.section(" (", 0, 0).toLower());
    }

    // The commands as the window's menus show them: an item of a menu, or a submenu (whose
    // items are the user's formations or label sets). Each is in the index by its place in
    // the menus or by its own caption.
    auto w = open();
    QStringList commands;
    for (QAction *top : w->menuBar()->actions()) {
        const QString menu = top->text().remove('&');
        if (!top->menu()) {
            if (!indexed.contains(menu.toLower()))
                ADD_FAILURE() << "no help page for " << menu.toStdString();
            commands << menu;
            continue;
        }
        for (QAction *item : top->menu()->actions()) {
            if (item->isSeparator() || !item->isVisible()
                || item->objectName().startsWith("mnurecentFile"))
                continue;
            const QString caption = item->text().remove('&');
            if (!indexed.contains((menu + " > " + caption).toLower())
                && !indexed.contains(caption.toLower()))
                ADD_FAILURE() << "no help page for " << (menu + " > " + caption).toStdString();
            commands << caption;
        }
    }
    EXPECT_GE(commands.size(), 30);
}

TEST_F(HelpFile, HasItsPagesAndAKeywordIndexWhoseLinksLeadToPages)
{
    const QString help = html();
    for (const char *page : {"contents", "index", "gettingstarted", "playfile", "playdirectory",
                             "tips", "about", "properties", "move", "videocontrol", "notes"})
        EXPECT_TRUE(help.contains(QString("<a name=\"%1\">").arg(page))) << page;
    const auto keywords = frmHelp::parseKeywords(help);
    EXPECT_GT(keywords.size(), 100u);
    for (const frmHelp::Keyword &k : keywords)
        EXPECT_TRUE(help.contains(QString("<a name=\"%1\">").arg(k.anchor)))
            << k.text.toStdString() << " leads to no page";
    // Every link inside the help leads to a page of it.
    static const QRegularExpression link(R"re(href="#([^"]+)")re");
    for (auto it = link.globalMatch(help); it.hasNext();) {
        const QString anchor = it.next().captured(1);
        EXPECT_TRUE(help.contains(QString("<a name=\"%1\">").arg(anchor))) << anchor.toStdString();
    }
    // Five steps to a first play.
    const QString start = help.section("<a name=\"gettingstarted\">", 1).section("<hr>", 0, 0);
    EXPECT_EQ(start.count("<li>"), 5);
}

} // namespace
} // namespace kinetra
