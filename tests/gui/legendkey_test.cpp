// The legend's key to the marks and the frames' captions in print: which entries the frames
// printed call for, how the symbols are named, that the marks are drawn in the frames' looks,
// and where the captions go.
#include "model/playfile.h"
#include "output/pagelayout.h"
#include "output/playprinter.h"
#include "support/recordingprinttarget.h"
#include "surface/monolooks.h"
#include "surface/picturefiles.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>

namespace kinetra {
namespace {

// Squares for the offence, circles for the defence, 15 and 10 pixels; the eight symbols named
// as the palette names them, the seventh left unnamed.
FrameLooks testLooks()
{
    FrameLooks looks;
    looks.PlayerSize = {15, 10};
    looks.PlayerShape = {1, 3};
    looks.PlayerBcolr = {QColor(Qt::black), QColor(Qt::black)};
    looks.PlayerFcolr = {QColor(Qt::white), QColor(0, 0, 255)};
    looks.PlayerTcolr = {QColor(Qt::black), QColor(Qt::white)};
    for (int k = 0; k < 8; ++k) {
        looks.symbols[size_t(k)] = QImage(24, 24, QImage::Format_RGB32);
        looks.symbols[size_t(k)].fill(QColor(200, 0, 0));
    }
    looks.symbolNames = {"Ball", "Bat", "Base", "Home Plate", "Glove", "Cone", "", "Target"};
    return looks;
}

// What an entry is, as the table writes it: "Run" for a line, "Out:1" for the out mark on a
// defence marker, "Offense" or "Defense" for a side's marker, "Ball@0" for symbol 0.
QString describe(const LegendEntry &e)
{
    switch (e.kind) {
    case LegendKind::Line: return e.name;
    case LegendKind::Out: return e.name + ":" + QString::number(e.index);
    case LegendKind::Offense:
    case LegendKind::Defense: return e.name;
    case LegendKind::Symbol: return e.name + "@" + QString::number(e.index);
    }
    return QString();
}

struct KeyCase
{
    const char *name;
    std::function<void(PlaySnapshot &, FrameLooks &)> setUp; // on a play of two blank frames
    bool allFrames;
    QStringList entries;
};

void PrintTo(const KeyCase &c, std::ostream *os)
{
    *os << c.name;
}

class LegendKey : public testing::TestWithParam<KeyCase>
{};

// Every play has action line 0 ("Run") in frame 1, so only the marks change from case to case.
TEST_P(LegendKey, NamesEachMarkExactlyWhenAPrintedFrameShowsIt)
{
    const KeyCase &c = GetParam();
    PlaySnapshot play;
    play.looks.actions[0].label = "Run";
    play.looks.actions[1].label = "Hit";
    play.frames.resize(2);
    for (int16_t f = 1; f <= 2; ++f)
        play.frames.frame(f).Blank_Frame();
    PlayConfig &first = play.frames.frame(1);
    first.ActionSX[0] = first.ActionSY[0] = 10;
    first.ActionEX[0] = first.ActionEY[0] = 90;
    play.frames.setCurrent(1);
    FrameLooks looks = testLooks();
    c.setUp(play, looks);
    QStringList got;
    for (const LegendEntry &e : legendEntries(play, c.allFrames, looks))
        got << describe(e);
    EXPECT_EQ(got, c.entries);
}

PlayConfig &frameOf(PlaySnapshot &play, int16_t f)
{
    return play.frames.frame(f);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, LegendKey,
    testing::Values(
        KeyCase{"LinesOnly", [](PlaySnapshot &, FrameLooks &) {}, true, {"Run"}},
        KeyCase{"AnOffensivePlayer",
                [](PlaySnapshot &p, FrameLooks &) { frameOf(p, 1).OPlayerX[3] = 100; },
                true, {"Run", "Offense"}},
        KeyCase{"ADefensivePlayerInTheSecondFrame",
                [](PlaySnapshot &p, FrameLooks &) { frameOf(p, 2).DPlayerX[9] = 100; }, true,
                {"Run", "Defense"}},
        KeyCase{"TheSecondFrameNotPrinted",
                [](PlaySnapshot &p, FrameLooks &) { frameOf(p, 2).DPlayerX[9] = 100; }, false,
                {"Run"}},
        KeyCase{"TheCurrentFrameAlone",
                [](PlaySnapshot &p, FrameLooks &) {
                    frameOf(p, 2).DPlayerX[9] = 100;
                    frameOf(p, 2).ActionSX[1] = frameOf(p, 2).ActionEX[1] = 30;
                    p.frames.setCurrent(2);
                },
                false, {"Hit", "Defense"}},
        KeyCase{"AnOutOnTheOffence",
                [](PlaySnapshot &p, FrameLooks &) {
                    frameOf(p, 1).OPlayerX[2] = 100;
                    frameOf(p, 1).ActivePlyr = 2;
                },
                true, {"Run", "Out:0", "Offense"}},
        KeyCase{"AnOutOnTheDefence",
                [](PlaySnapshot &p, FrameLooks &) {
                    frameOf(p, 2).DPlayerX[4] = 100;
                    frameOf(p, 2).ActivePlyr = 14;
                },
                true, {"Run", "Out:1", "Defense"}},
        KeyCase{"TheMarkedPlayerOffTheField",
                [](PlaySnapshot &p, FrameLooks &) {
                    frameOf(p, 1).OPlayerX[3] = 100;
                    frameOf(p, 1).ActivePlyr = 2;
                },
                true, {"Run", "Offense"}},
        KeyCase{"TheMarkedPlayerHidden",
                [](PlaySnapshot &p, FrameLooks &l) {
                    frameOf(p, 1).OPlayerX[2] = 100;
                    frameOf(p, 1).ActivePlyr = 2;
                    l.hideOffense[2] = true;
                },
                true, {"Run"}},
        KeyCase{"ASideThatDrawsNoShape",
                [](PlaySnapshot &p, FrameLooks &l) {
                    frameOf(p, 1).DPlayerX[0] = 100;
                    l.PlayerShape[1] = 2;
                },
                true, {"Run"}},
        // A stored x rounds halves to even: 0.5 is drawn at 0, off the field.
        KeyCase{"XRoundingToZero",
                [](PlaySnapshot &p, FrameLooks &) { frameOf(p, 1).OPlayerX[0] = 0.5f; }, true,
                {"Run"}},
        KeyCase{"XRoundingToOne",
                [](PlaySnapshot &p, FrameLooks &) { frameOf(p, 1).OPlayerX[0] = 0.51f; }, true,
                {"Run", "Offense"}},
        KeyCase{"SymbolsByTheirPaletteNames",
                [](PlaySnapshot &p, FrameLooks &) {
                    frameOf(p, 2).SYMBOLX[3] = 40;
                    frameOf(p, 1).SYMBOLX[0] = 40;
                    frameOf(p, 2).SYMBOLX[0] = 50;
                },
                true, {"Run", "Ball@0", "Home Plate@3"}},
        KeyCase{"ASymbolWithoutAName",
                [](PlaySnapshot &p, FrameLooks &) { frameOf(p, 1).SYMBOLX[6] = 40; }, true,
                {"Run", "Symbol 7@6"}},
        KeyCase{"EverythingInOrder",
                [](PlaySnapshot &p, FrameLooks &) {
                    frameOf(p, 1).SYMBOLX[7] = 40;
                    frameOf(p, 2).DPlayerX[1] = 100;
                    frameOf(p, 2).OPlayerX[1] = 100;
                    frameOf(p, 2).ActivePlyr = 11;
                },
                true, {"Run", "Out:1", "Offense", "Defense", "Target@7"}}),
    [](const auto &info) { return std::string(info.param.name); });

struct TitleCase
{
    const char *name;
    int index;
    QString file;
    QString title;
};

void PrintTo(const TitleCase &c, std::ostream *os)
{
    *os << c.name;
}

class SymbolTitle : public testing::TestWithParam<TitleCase>
{};

TEST_P(SymbolTitle, NamesTheProgramsPicturesByWhatTheyShowAndOthersByTheirFile)
{
    const TitleCase &c = GetParam();
    EXPECT_EQ(symbolPictureTitle(c.index, c.file), c.title);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SymbolTitle,
    testing::Values(TitleCase{"Ball", 0, "/opt/kinetra/Sym1.bmp", "Ball"},
                    TitleCase{"AnyCase", 3, "/opt/kinetra/SYM4.BMP", "Home Plate"},
                    // The picture shown decides, not the box it is in.
                    TitleCase{"AnotherBox", 0, "/opt/kinetra/Sym8.bmp", "Target"},
                    TitleCase{"UsersOwn", 2, "/home/coach/pictures/pitching.machine.png",
                              "pitching.machine"},
                    TitleCase{"Drawn", 5, "", "Symbol 6"}),
    [](const auto &info) { return std::string(info.param.name); });

// One frame with an offensive player marked out and a defensive player, printed as a sheet.
PlaySnapshot markedPlay()
{
    PlaySnapshot play;
    PlayConfig &frame = play.frames.frame(1);
    frame.Blank_Frame();
    frame.OPlayerX[0] = frame.OPlayerY[0] = 100;
    frame.ActivePlyr = 0;
    frame.DPlayerX[0] = frame.DPlayerY[0] = 200;
    return play;
}

// The legend's markers are the renderer's, in colour and in black and white alike: the centre
// of the Offense and Defense pictures has the side's fill, the Out picture the border of its
// cross.
TEST(LegendMarks, AreDrawnInTheFramesLooksColourOrBlackAndWhite)
{
    for (const bool mono : {false, true}) {
        SCOPED_TRACE(mono);
        RecordingPrintTarget target(QSize(2400, 3200), 50);
        PrintOptions options;
        options.sheet = true;
        options.notes = false;
        options.mono = mono;
        options.looks = testLooks();
        const FrameLooks expected = mono ? monoLooks(options.looks) : options.looks;
        const QImage picture(400, 373, QImage::Format_RGB32);
        printPlay(target, markedPlay(), options, picture.size(),
                  [&](int16_t) { return picture; });
        ASSERT_EQ(target.pages.size(), 1);
        // The frame's picture first, then the marks: Out, Offense, Defense.
        QList<QImage> marks;
        for (const auto &item : target.pages[0])
            if (item.kind == RecordingPrintTarget::Item::Image && item.image.size() != picture.size())
                marks << item.image;
        ASSERT_EQ(marks.size(), 3);
        auto centre = [](const QImage &image) {
            return image.pixelColor(image.width() / 2, image.height() / 2);
        };
        EXPECT_EQ(centre(marks[0]), expected.PlayerBcolr[0]);
        EXPECT_EQ(marks[0].size(), QSize(35, 35));
        // Beside the cross, inside the square, the offence's fill.
        EXPECT_EQ(marks[0].pixelColor(17, 12), expected.PlayerFcolr[0]);
        EXPECT_EQ(centre(marks[1]), expected.PlayerFcolr[0]);
        EXPECT_EQ(centre(marks[2]), expected.PlayerFcolr[1]);
        EXPECT_EQ(marks[2].size(), QSize(25, 25));
    }
}

// Captions print in type of at least 10 points, under their own frame: after the number on a
// sheet, centred under the picture on a large page; a frame without one prints its number
// alone.
TEST(PrintedCaptions, FollowTheirFrameOnSheetsAndLargePages)
{
    PlaySnapshot play;
    play.frames.resize(2);
    play.frames.frame(1).Caption = "Runner breaks";
    const QImage picture(400, 373, QImage::Format_RGB32);
    for (const bool sheet : {true, false}) {
        SCOPED_TRACE(sheet);
        RecordingPrintTarget target(QSize(2400, 3200));
        PrintOptions options;
        options.sheet = sheet;
        options.allFrames = true;
        options.notes = false;
        options.legend = false;
        options.font = QFont("DejaVu Sans", 7);
        target.setFont(captionFont(options.font));
        const int tenPoints = target.textHeight("X");
        target.setFont(options.font);
        ASSERT_LT(target.textHeight("X"), tenPoints);
        printPlay(target, play, options, picture.size(), [&](int16_t) { return picture; });
        ASSERT_EQ(target.pages.size(), sheet ? 1 : 2);
        const QList<RecordingPrintTarget::Item> first = target.pictures(0);
        ASSERT_FALSE(first.isEmpty());
        const QRect place = first[0].rect;
        const RecordingPrintTarget::Item *caption = nullptr;
        QStringList texts;
        for (const auto &item : target.pages[0])
            if (item.kind == RecordingPrintTarget::Item::Text) {
                texts << item.text;
                if (item.text == "Runner breaks")
                    caption = &item;
            }
        ASSERT_NE(caption, nullptr) << texts.join('|').toStdString();
        EXPECT_EQ(caption->rect.height(), tenPoints);
        EXPECT_GT(caption->rect.top(), place.bottom());
        EXPECT_LT(caption->rect.top(), place.bottom() + tenPoints);
        if (sheet) {
            EXPECT_TRUE(texts.contains("1"));
            EXPECT_TRUE(texts.contains("2"));
        } else {
            EXPECT_NEAR(caption->rect.center().x(), place.center().x(), 1);
            EXPECT_FALSE(target.texts()[1].contains("Runner breaks"));
        }
    }
}

} // namespace
} // namespace kinetra
