// The play of the most frames a play holds, through what prints it: every frame is reached,
// the last one included, and nothing goes past it.
#include "output/playbook.h"
#include "output/playprinter.h"
#include "output/printtarget.h"
#include "prefs/preferences.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace kinetra {
namespace {

// A page that keeps nothing: printing 32,767 pictures stays cheap.
class CountingPrintTarget : public PrintTarget
{
public:
    void begin() override {}
    QSize pageSize() const override { return QSize(2400, 3200); }
    int dotsPerInch() const override { return 300; }
    void setFont(const QFont &) override {}
    int textWidth(const QString &text) const override { return 20 * int(text.size()); }
    int textHeight(const QString &) const override { return 50; }
    void drawText(const QPoint &, const QString &) override {}
    void drawLine(const QPoint &, const QPoint &, const QPen &) override {}
    void drawBox(const QPoint &, const QPoint &, const QPen &) override {}
    void drawImage(const QRect &, const QImage &) override {}
    void drawShape(const QPainterPath &, const QPen &, const QBrush &) override {}
    void newPage() override {}
    void finish() override {}
};

// The play of the most frames, all empty but the last, where offensive player 3 stands and a
// Back Up line (kind 5) is drawn.
PlaySnapshot mostFrames()
{
    PlaySnapshot play;
    play.frames.resize(FrameList::kMaxFrames);
    PlayConfig &last = play.frames.frame(32767);
    last.OPlayerX[3] = 200, last.OPlayerY[3] = 150;
    last.addActionLine(5, {200, 150}, {300, 100});
    return play;
}

struct MostFramesCase
{
    const char *name;
    std::function<void(const PlaySnapshot &)> check;
};

void PrintTo(const MostFramesCase &c, std::ostream *out)
{
    *out << c.name;
}

class MostFramesOutput : public testing::TestWithParam<MostFramesCase>
{};

TEST_P(MostFramesOutput, ReachesTheLastFrame)
{
    static const PlaySnapshot play = mostFrames();
    GetParam().check(play);
}

// Prints every frame and returns the frames asked for, in order.
std::vector<int> printedFrames(const PlaySnapshot &play, bool small, bool sheet)
{
    CountingPrintTarget target;
    PrintOptions options;
    options.allFrames = true;
    options.notes = false;
    options.small = small;
    options.sheet = sheet;
    const QImage picture(400, 180, QImage::Format_RGB32);
    std::vector<int> asked;
    // As every picture is drawn: from the frame the index names.
    printPlay(target, play, options, picture.size(), [&](int16_t index) {
        asked.push_back(index);
        play.frames.frame(index);
        return picture;
    });
    return asked;
}

std::vector<int> oneToMost()
{
    std::vector<int> all(32767);
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = int(i) + 1;
    return all;
}

// The focus of each part of a playbook of the play with a section for `position`: "SS" names
// offensive player 3, who stands in the last frame only, "CF" player 4, who stands nowhere.
std::vector<int> sectionFocus(PlaySnapshot play, const QString &position)
{
    play.looks.labels.offense[3] = "SS";
    play.looks.labels.offense[4] = "CF";
    PrintOptions options;
    options.positions = {position};
    const QList<PlaybookPart> parts =
        playbookParts("Book", options, {PlaybookPlay{"Most", &play, QSize(400, 180), {}}});
    std::vector<int> focus;
    for (const PlaybookPart &part : parts)
        focus.push_back(part.focus);
    return focus;
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, MostFramesOutput,
    testing::Values(
        MostFramesCase{"LegendOfEveryFrame",
                       [](const PlaySnapshot &play) {
                           EXPECT_EQ(legendLines(play.frames, true),
                                     (std::array<bool, 8>{false, false, false, false, false, true,
                                                          false, false}));
                       }},
        MostFramesCase{"LargePages",
                       [](const PlaySnapshot &play) {
                           EXPECT_EQ(printedFrames(play, false, false), oneToMost());
                       }},
        MostFramesCase{"SmallPages",
                       [](const PlaySnapshot &play) {
                           EXPECT_EQ(printedFrames(play, true, false), oneToMost());
                       }},
        MostFramesCase{"PositionInTheLastFrameOnly",
                       [](const PlaySnapshot &play) {
                           // The play itself, then its sheet focused on player 3.
                           EXPECT_EQ(sectionFocus(play, "SS"), (std::vector<int>{-1, 3}));
                       }},
        MostFramesCase{"PositionInNoFrame",
                       [](const PlaySnapshot &play) {
                           EXPECT_EQ(sectionFocus(play, "CF"), (std::vector<int>{-1, -1}));
                       }}),
    [](const testing::TestParamInfo<MostFramesCase> &info) {
        return std::string(info.param.name);
    });

} // namespace
} // namespace kinetra
