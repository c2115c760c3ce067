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
#include <optional>

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
        arrows += frame.actionLineCount();
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

// A line is drawn from a runner when it starts within this of where he stands.
constexpr double kDrawnFrom = 8;

Point point(LinePoint p)
{
    return {p.x, p.y};
}

// Whether the play's line look `kind` shows runners, as the play names it.
bool showsRunner(const PlaySnapshot &play, int kind)
{
    const QString label = QString::fromStdString(play.looks.actions[size_t(kind)].label);
    return label.contains("Run", Qt::CaseInsensitive)
           || label.contains("Steal", Qt::CaseInsensitive);
}

// One point of a runner's path; off the field he starts over.
struct PathPoint
{
    Point at;
    int16_t frame;
    bool onField;
};

// Where an offensive player goes, in order: where he stands in each frame and, of each runner's
// line drawn from there, its bend points (the curve passes through them) and its end.
std::vector<PathPoint> runnerPath(const PlaySnapshot &play, size_t i)
{
    std::vector<PathPoint> path;
    for (int16_t f = 1; f <= play.frames.count(); ++f) {
        const PlayConfig &frame = play.frames.frame(f);
        const Point at{frame.OPlayerX[i], frame.OPlayerY[i]};
        path.push_back({at, f, at.x > 0});
        if (at.x <= 0)
            continue;
        for (const ActionLine &line : frame.actionLines()) {
            if (!showsRunner(play, line.id.kind) || distance(point(line.start), at) > kDrawnFrom)
                continue;
            for (const LinePoint &bend : line.bends)
                path.push_back({point(bend), f, true});
            path.push_back({point(line.end), f, true});
        }
    }
    return path;
}

// What is wrong with the runners' paths: each runner stays on the base paths and touches every
// base in order, by where he stands and by the lines he runs.
std::vector<std::string> basePathFaults(const PlaySnapshot &play)
{
    std::vector<std::string> faults;
    for (size_t i = 0; i < kPlayersPerSide; ++i) {
        int last = -1; // the base he touched last: 0 home .. 3 third, 4 when he scored
        for (const PathPoint &step : runnerPath(play, i)) {
            const Point p = step.at;
            if (!step.onField) {
                last = -1;
                continue;
            }
            const std::string where = play.looks.labels.offense[i] + " in frame "
                                      + std::to_string(step.frame) + " at "
                                      + std::to_string(int(p.x)) + "," + std::to_string(int(p.y));
            if (last < 0) {
                // Where he first stands: at the plate or on a bag, or leading off from one.
                for (int b = 0; b < 4 && last < 0; ++b)
                    if (distance(p, field::kBases[b]) <= (b == 0 ? kAroundHome : kOnBase))
                        last = b;
                for (int b = 0; b < 4 && last < 0; ++b)
                    if (toSegment(p, field::kBases[b], field::kBases[(b + 1) % 4]) <= kOnPath)
                        last = b;
                if (last < 0)
                    faults.push_back(where + " starts off the base paths");
                continue;
            }
            if ((last == 0 || last == 4) && distance(p, field::kPlate) <= kAroundHome)
                continue;
            if (distance(p, field::kBases[last % 4]) <= kOnBase)
                continue; // still on the bag he reached
            const Point next = field::kBases[(last + 1) % 4];
            if (last < 4 && distance(p, next) <= kOnBase) {
                ++last;
                continue;
            }
            if (toSegment(p, field::kBases[last % 4], next) > kOnPath)
                faults.push_back(where + " leaves the base path from " + kBaseNames[last % 4]
                                 + " to " + kBaseNames[last % 4 + 1]);
        }
    }
    return faults;
}

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
    for (const std::string &fault : basePathFaults(m_play))
        ADD_FAILURE() << fault;
}

// `pixels` along the base path from base `from` toward the next one.
LinePoint along(int from, double pixels)
{
    const Point a = field::kBases[from], b = field::kBases[(from + 1) % 4];
    const double t = pixels / distance(a, b);
    return {float(a.x + (b.x - a.x) * t), float(a.y + (b.y - a.y) * t)};
}

LinePoint bag(int b)
{
    return {float(field::kBases[b].x), float(field::kBases[b].y)};
}

TEST(BasePathCheck, FollowsTheRunnersLinesThroughTheirBendPoints)
{
    constexpr size_t kRunner = 2;
    // A runner (B3) stands at `from` in frame 1, runs a line of look `kind` through `bends` to
    // `to`, and stands at `to` in frame 2. Look 0 shows runners, look 1 throws.
    struct Case
    {
        const char *what;
        LinePoint from;
        std::vector<LinePoint> bends;
        LinePoint to;
        int kind;
        bool onThePaths;
    };
    const Case cases[] = {
        {"rounds third on a bend", along(2, 20), {bag(3)}, along(3, 10), 0, true},
        {"rounds second and third", along(1, 20), {bag(2), bag(3)}, along(3, 40), 0, true},
        {"scores rounding third", along(2, 20), {bag(3)}, bag(0), 0, true},
        {"cuts across the infield", along(2, 20), {}, along(3, 60), 0, false},
        {"a bend skips second", along(1, 20), {bag(3)}, along(3, 10), 0, false},
        {"bends out of order", along(1, 20), {bag(3), bag(2)}, along(2, 60), 0, false},
        {"a bend on the mound", along(2, 20), {{200, 250}}, along(2, 100), 0, false},
        {"a throw is not his path", along(2, 20), {}, bag(0), 1, true},
        {"starts on second, rounds third", along(1, 118), {bag(3)}, along(3, 10), 0, true},
    };
    for (const Case &c : cases) {
        PlaySnapshot play;
        play.looks.actions[0].label = "Run";
        play.looks.actions[1].label = "Throw";
        play.looks.labels.offense[kRunner] = "B3";
        play.frames.resize(2);
        PlayConfig &first = play.frames.frame(1);
        first.OPlayerX[kRunner] = c.from.x;
        first.OPlayerY[kRunner] = c.from.y;
        ASSERT_TRUE(first.addActionLine(c.kind, c.from, c.to, c.bends)) << c.what;
        // Where a thrown ball ends, the runner has not gone.
        const LinePoint stands = c.kind == 0 ? c.to : c.from;
        play.frames.frame(2).OPlayerX[kRunner] = stands.x;
        play.frames.frame(2).OPlayerY[kRunner] = stands.y;
        EXPECT_EQ(basePathFaults(play).empty(), c.onThePaths) << c.what;
    }
}

TEST_P(SamplePlayGeometry, EveryThrowEndsAtAFielder)
{
    const FrameList &frames = m_play.frames;
    int throws = 0;
    for (int16_t f = 1; f <= frames.count(); ++f) {
        for (const ActionLine &line : frames.frame(f).actionLines()) {
            // What a line shows is what the play names it.
            if (!QString::fromStdString(m_play.looks.actions[size_t(line.id.kind)].label)
                     .contains("Throw", Qt::CaseInsensitive))
                continue;
            ++throws;
            const Point end = point(line.end);
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

// A point on the ray from `from` through `to`, beyond `to`: how far past `to` it lies along
// the ray, or a negative number when it is more than `off` to the side of it.
double pastAlongRay(Point p, Point from, Point to, double off)
{
    const double length = distance(from, to);
    if (length < 1)
        return -1;
    const double ux = (to.x - from.x) / length, uy = (to.y - from.y) / length;
    const double along = (p.x - to.x) * ux + (p.y - to.y) * uy;
    const double side = std::abs((p.x - to.x) * uy - (p.y - to.y) * ux);
    return side <= off ? along : -1;
}

// The ball's centre in a frame (its picture is 24 pixels square), if it is on the field.
std::optional<Point> ballIn(const PlayConfig &frame)
{
    if (frame.SYMBOLX[0] <= 0)
        return std::nullopt;
    return Point{frame.SYMBOLX[0] + 12.0, frame.SYMBOLY[0] + 12.0};
}

int defenceIndex(const PlaySnapshot &play, const char *label)
{
    for (size_t i = 0; i < kPlayersPerSide; ++i)
        if (play.looks.labels.defense[i] == label)
            return int(i);
    return -1;
}

// The corner of first base that points at the mound, where a first baseman holding a runner
// puts his right foot.
constexpr Point kFirstInsideCorner{field::kFirst.x - field::kBag * field::kHalfSqrt2,
                                   field::kFirst.y};

// What a reader takes from the marks, lines and legend, against what the play means: the
// active mark is an out the caption names, a fielder who covers a base ends at the bag, a
// backup ends in line behind where a ball goes, the first baseman holds a runner from the
// inside corner and the legend tells every look apart, on white paper too.
TEST_P(SamplePlayGeometry, MarksCoversBackupsAndLegendMeanWhatTheySay)
{
    const FrameList &frames = m_play.frames;
    auto labelOf = [&](int kind) {
        return QString::fromStdString(m_play.looks.actions[size_t(kind)].label);
    };
    // Every ray a backup can stand on: past the end of each line the ball travels.
    std::vector<std::pair<Point, Point>> ballLines;
    for (int16_t f = 1; f <= frames.count(); ++f)
        for (const ActionLine &line : frames.frame(f).actionLines())
            if (labelOf(line.id.kind) == "Throw" || labelOf(line.id.kind) == "Hit")
                ballLines.emplace_back(point(line.start), point(line.end));

    for (int16_t f = 1; f <= frames.count(); ++f) {
        const PlayConfig &frame = frames.frame(f);
        const int16_t mark = frame.ActivePlyr;
        const QString caption = QString::fromStdString(frame.TxtValue[0]);
        EXPECT_FALSE(mark >= kPlayersPerSide && mark < kNoActivePlayer)
            << "frame " << f << ": a fielder carries the mark a reader takes for an out";
        if (mark < kPlayersPerSide) {
            EXPECT_GT(frame.OPlayerX[size_t(mark)], 0) << "frame " << f;
            EXPECT_TRUE(caption.contains("out", Qt::CaseInsensitive))
                << "frame " << f << " marks " << m_play.looks.labels.offense[size_t(mark)]
                << " but its caption names no out: " << caption.toStdString();
        }

        // A backup also stands behind a base on the line from where the ball is, in this frame
        // or when he arrives, to the base.
        std::vector<std::pair<Point, Point>> rays = ballLines;
        for (int16_t g : {f, std::min<int16_t>(f + 1, frames.count())})
            if (const auto at = ballIn(frames.frame(g)))
                for (const Point &b : field::kBases)
                    rays.emplace_back(*at, b);
        for (const ActionLine &line : frame.actionLines()) {
            const Point end = point(line.end);
            const std::string where = "frame " + std::to_string(f) + ": the "
                                      + labelOf(line.id.kind).toStdString() + " line ending at "
                                      + std::to_string(int(end.x)) + ","
                                      + std::to_string(int(end.y));
            if (labelOf(line.id.kind) == "Cover") {
                double nearest = 1e9;
                for (const Point &b : field::kBases)
                    nearest = std::min(nearest, distance(end, b));
                EXPECT_LE(nearest, kOnBase) << where << " is not at a bag";
            } else if (labelOf(line.id.kind) == "Back Up") {
                const bool behind = std::any_of(rays.begin(), rays.end(), [&](const auto &ray) {
                    const double past = pastAlongRay(end, ray.first, ray.second, kGlove);
                    return past >= 8 && past <= 130;
                });
                EXPECT_TRUE(behind) << where << " is behind no throw, hit or base";
            }
        }
    }

    const int first = defenceIndex(m_play, "1B");
    ASSERT_GE(first, 0);
    const PlayConfig &start = frames.frame(1);
    const Point firstBaseman{start.DPlayerX[size_t(first)], start.DPlayerY[size_t(first)]};
    bool runnerOnFirst = false;
    for (size_t i = 1; i < kPlayersPerSide; ++i)
        runnerOnFirst |= start.OPlayerX[i] > 0
                         && toSegment({start.OPlayerX[i], start.OPlayerY[i]}, field::kFirst,
                                      field::kSecond)
                                <= kOnPath
                         && distance({start.OPlayerX[i], start.OPlayerY[i]}, field::kFirst) < 60;
    if (runnerOnFirst && distance(firstBaseman, field::kFirst) < 25) {
        EXPECT_LE(distance(firstBaseman, kFirstInsideCorner), 5)
            << "the first baseman holds the runner from " << int(firstBaseman.x) << ","
            << int(firstBaseman.y);
    }

    // Each look appears once in the legend, differs from every other by its line or its end so
    // that black and white print tells them apart, and is dark enough for white paper.
    for (size_t a = 0; a < m_play.looks.actions.size(); ++a) {
        const ActionLook &look = m_play.looks.actions[a];
        const int r = look.color & 0xff, g = look.color >> 8 & 0xff, b = look.color >> 16 & 0xff;
        EXPECT_LT(0.299 * r + 0.587 * g + 0.114 * b, 160) << look.label << " fades on paper";
        for (size_t o = 0; o < a; ++o) {
            const ActionLook &other = m_play.looks.actions[o];
            EXPECT_NE(look.label, other.label);
            EXPECT_FALSE(look.type == other.type && look.endType == other.endType)
                << look.label << " and " << other.label << " print alike";
        }
    }
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
