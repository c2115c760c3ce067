// Dropping palette items on the surface: players, symbols and text labels are placed, the
// active-player marker picks the nearest player; and what the palette's drag sources carry.

#include "editingwindow.h"
#include "imagecheck.h"

#include "surface/dragpicture.h"
#include "surface/labelbox.h"
#include "surface/playediting.h"

#include <QCheckBox>
#include <QDrag>
#include <QLineEdit>

namespace kinetra {
namespace {

using test::EditingWindow;

class DropTest : public testing::Test, public EditingWindow
{
protected:
    void SetUp() override
    {
        open();
        window->document().markSaved();
    }
};

// ---- The active-player marker --------------------------------------------------------------

struct MarkerCase
{
    const char *name;
    int dx, dy;       // drop point relative to the player at (100, 100)
    int16_t expected; // ActivePlyr afterwards (20: none, the drop only beeps)
};

void PrintTo(const MarkerCase &c, std::ostream *os)
{
    *os << c.name;
}

class MarkerDistanceTest : public DropTest, public testing::WithParamInterface<MarkerCase>
{};

TEST_P(MarkerDistanceTest, ReachesPlayersUpToThirtyPixelsAway)
{
    frame().OPlayerX[2] = 100;
    frame().OPlayerY[2] = 100;
    window->DrawSelected();
    window->document().markSaved();
    const QImage before = image();

    ASSERT_TRUE(drop(PaletteItem::kActiveMarker, 0, QPointF(100 + GetParam().dx, 100 + GetParam().dy)));

    EXPECT_EQ(frame().ActivePlyr, GetParam().expected);
    const bool found = GetParam().expected != kNoActivePlayer;
    EXPECT_EQ(window->document().isModified(), found);
    EXPECT_EQ(platform.beeps, found ? 0 : 1);
    EXPECT_EQ(image() == before, !found) << "a miss leaves the surface as it was";
    EXPECT_TRUE(platform.messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Distances, MarkerDistanceTest,
    testing::Values(MarkerCase{"Right30", 30, 0, 2}, MarkerCase{"Right31", 31, 0, 20},
                    MarkerCase{"Up30", 0, -30, 2}, MarkerCase{"Left31", -31, 0, 20},
                    // sqrt(925) = 30.41 rounds to 30; sqrt(968) = 31.11 rounds to 31
                    MarkerCase{"Diagonal30", 21, 22, 2}, MarkerCase{"Diagonal31", 22, 22, 20},
                    MarkerCase{"OnTheCentre", 0, 0, 2}),
    [](const auto &info) { return std::string(info.param.name); });

struct Placed
{
    int16_t part, index;
    int x, y;
};

struct TieCase
{
    const char *name;
    std::vector<Placed> players;
    QPointF at;
    int16_t expected;
};

void PrintTo(const TieCase &c, std::ostream *os)
{
    *os << c.name;
}

class MarkerTieTest : public DropTest, public testing::WithParamInterface<TieCase>
{};

TEST_P(MarkerTieTest, EarlierPlayerWinsATie)
{
    for (const Placed &p : GetParam().players)
        frame().MoveControlPoint(p.part, p.index, int16_t(p.x), int16_t(p.y));
    drop(PaletteItem::kActiveMarker, 0, GetParam().at);
    EXPECT_EQ(frame().ActivePlyr, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ties, MarkerTieTest,
    testing::Values(
        // Off both markers, 20 pixels from each centre.
        TieCase{"OffenceBeforeDefence", {{2, 1, 140, 100}, {1, 5, 100, 100}}, {120, 100}, 5},
        TieCase{"LowerOffenceIndex", {{1, 7, 100, 100}, {1, 3, 140, 100}}, {120, 100}, 3},
        TieCase{"LowerDefenceIndex", {{2, 6, 100, 100}, {2, 2, 140, 100}}, {120, 100}, 12},
        TieCase{"NearerDefenceBeatsOffence", {{1, 0, 100, 100}, {2, 4, 115, 100}}, {110, 100}, 14},
        // Unplaced players lie at (0, 0): offensive player 0 is the first of them.
        TieCase{"UnplacedNearTheCorner", {}, {20, 20}, 0},
        TieCase{"UnplacedOutOfReach", {}, {22, 22}, 20},
        TieCase{"PlacedNearerThanUnplaced", {{2, 8, 12, 12}}, {10, 10}, 18}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(DropTest, HiddenPlayersCanBeMadeActive)
{
    frame().OPlayerX[4] = 200;
    frame().OPlayerY[4] = 200;
    window->toolPalette()->ChkActiveOff[4]->setChecked(true);
    drop(PaletteItem::kActiveMarker, 0, QPointF(205, 200));
    EXPECT_EQ(frame().ActivePlyr, 4);
}

// ---- Players, symbols and text labels ---------------------------------------------------------

TEST_F(DropTest, PlayerLandsOnTheRoundedDropPointAndShows)
{
    const QImage before = image();
    ASSERT_TRUE(drop(Part::Offense, 3, QPointF(200.4, 150.6)));
    EXPECT_EQ(frame().OPlayerX[3], 200);
    EXPECT_EQ(frame().OPlayerY[3], 151);
    EXPECT_TRUE(window->document().isModified());
    // Offence is filled white by default: the figure now covers the field there.
    EXPECT_EQ(image().pixel(200, 151 - 11) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_NE(image(), before);

    // Halves go to the even neighbour.
    window->editing().Canvas_DragDrop(Part::Defense, 9, 10.5f, 11.5f);
    EXPECT_EQ(frame().DPlayerX[9], 10);
    EXPECT_EQ(frame().DPlayerY[9], 12);
    EXPECT_EQ(window->editing().editor().state().part, Part::Defense);
    EXPECT_EQ(window->editing().editor().state().index, 9);
}

TEST_F(DropTest, DroppingAgainMovesThePlayerAndMarksModifiedEvenInPlace)
{
    drop(Part::Defense, 0, QPointF(50, 60));
    drop(Part::Defense, 0, QPointF(70, 80));
    EXPECT_EQ(frame().DPlayerX[0], 70);
    EXPECT_EQ(frame().DPlayerY[0], 80);
    window->document().markSaved();
    drop(Part::Defense, 0, QPointF(70, 80));
    EXPECT_TRUE(window->document().isModified());
}

struct SymbolCase
{
    const char *name;
    double X, Y;
    float x, y;
};

void PrintTo(const SymbolCase &c, std::ostream *os)
{
    *os << c.name;
}

class SymbolDropTest : public DropTest, public testing::WithParamInterface<SymbolCase>
{};

TEST_P(SymbolDropTest, SymbolIsCentredOnTheDropPoint)
{
    // The first symbol box holds a 24-pixel picture in a one-pixel frame: 26 across, so the
    // picture's corner goes 13 pixels up and left of the drop point.
    ASSERT_EQ(window->toolPalette()->ImgSymbols[0]->size(), QSize(26, 26));
    ASSERT_TRUE(drop(Part::Symbol, 5, QPointF(GetParam().X, GetParam().Y)));
    EXPECT_EQ(frame().SYMBOLX[5], GetParam().x);
    EXPECT_EQ(frame().SYMBOLY[5], GetParam().y);
    EXPECT_TRUE(window->document().isModified());
}

INSTANTIATE_TEST_SUITE_P(
    Placement, SymbolDropTest,
    testing::Values(SymbolCase{"Centred", 100, 100, 87, 87},
                    SymbolCase{"LeftEdgeGivesOne", 14, 50, 1, 37},
                    SymbolCase{"ExactlyZeroStaysOff", 13, 50, 0, 37},
                    SymbolCase{"NegativeBecomesOne", 5, 50, 1, 37},
                    SymbolCase{"TopEdgeKeepsNegativeY", 100, 5, 87, -8}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(DropTest, TextLabelTakesTheTextOfItsBoxEvenWhenEmpty)
{
    window->toolPalette()->TxtSymbol[0]->setText("Squeeze");
    window->toolPalette()->TxtSymbol[1]->clear();
    frame().TxtValue[1] = "old";

    drop(Part::TextLabel, 0, QPointF(50, 60));
    drop(Part::TextLabel, 1, QPointF(250, 300));

    EXPECT_EQ(frame().TxtValue[0], "Squeeze");
    EXPECT_EQ(frame().TxtSYMBOLX[0], 50);
    EXPECT_EQ(frame().TxtSYMBOLY[0], 60);
    EXPECT_EQ(frame().TxtValue[1], "");
    EXPECT_EQ(frame().TxtSYMBOLX[1], 250);
    EXPECT_EQ(frame().TxtSYMBOLY[1], 300);
    EXPECT_TRUE(window->document().isModified());
}

TEST_F(DropTest, FailureIsReportedKeepsWhatWasStoredAndDoesNotRedraw)
{
    window->toolPalette()->TxtSymbol[0]->setText("Steal");
    frame().TxtSYMBOLX[0] = 30;
    window->document().markSaved();
    const QImage before = image();
    // A point beyond any 16-bit surface position cannot be stored.
    window->editing().Canvas_DragDrop(Part::TextLabel, 0, 40000.0f, 10.0f);
    EXPECT_EQ(reports(), QStringList{"Adding to Play Surface"});
    EXPECT_EQ(frame().TxtValue[0], "Steal");
    EXPECT_EQ(frame().TxtSYMBOLX[0], 30);
    EXPECT_EQ(image(), before);
    // The text that was stored is a change of the play: it marks it and can be undone.
    EXPECT_TRUE(window->document().isModified());
    window->mnuEUndo_Click();
    EXPECT_EQ(frame().TxtValue[0], "");
    EXPECT_FALSE(window->document().isModified());
}

// ---- What the canvas accepts --------------------------------------------------------------

TEST_F(DropTest, OnlyPaletteItemsAreTaken)
{
    const PlayConfig before = frame();
    QMimeData text;
    text.setText("1 3");
    EXPECT_FALSE(dropData(text, QPointF(100, 100)));

    QMimeData forged;
    forged.setData(PaletteItem::mimeType(), "1 10"); // there is no offensive player 10
    EXPECT_FALSE(dropData(forged, QPointF(100, 100)));

    EXPECT_EQ(frame(), before);
    EXPECT_FALSE(window->document().isModified());
}

struct PayloadCase
{
    const char *name;
    QByteArray payload;
    std::optional<PaletteItem> item;
};

void PrintTo(const PayloadCase &c, std::ostream *os)
{
    *os << c.name;
}

class PayloadTest : public testing::TestWithParam<PayloadCase>
{};

TEST_P(PayloadTest, ReadsOnlyWellFormedItemsOfThePalette)
{
    QMimeData data;
    data.setData(PaletteItem::mimeType(), GetParam().payload);
    EXPECT_EQ(PaletteItem::fromMimeData(&data), GetParam().item);
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, PayloadTest,
    testing::Values(PayloadCase{"Offence9", "1 9", PaletteItem{1, 9}},
                    PayloadCase{"Defence0", "2 0", PaletteItem{2, 0}},
                    PayloadCase{"Symbol7", "3 7", PaletteItem{3, 7}},
                    PayloadCase{"Symbol8", "3 8", std::nullopt},
                    PayloadCase{"Label1", "4 1", PaletteItem{4, 1}},
                    PayloadCase{"Label2", "4 2", std::nullopt},
                    PayloadCase{"Marker", "9 0", PaletteItem{9, 0}},
                    PayloadCase{"ActionStartIsNoPaletteItem", "5 0", std::nullopt},
                    PayloadCase{"NegativeIndex", "1 -1", std::nullopt},
                    PayloadCase{"Garbage", "one three", std::nullopt},
                    PayloadCase{"Empty", "", std::nullopt},
                    PayloadCase{"Overlong", "1 3 7", std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- Drag sources --------------------------------------------------------------------------

struct SourceCase
{
    const char *name;
    std::function<QDrag *(ToolPalette &)> start;
    PaletteItem item;
};

void PrintTo(const SourceCase &c, std::ostream *os)
{
    *os << c.name;
}

class DragSourceTest : public DropTest, public testing::WithParamInterface<SourceCase>
{};

TEST_P(DragSourceTest, CarriesItsTagAndIndexWithAnIcon)
{
    QDrag *drag = GetParam().start(*window->toolPalette());
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(PaletteItem::fromMimeData(drag->mimeData()), GetParam().item);
    EXPECT_FALSE(drag->pixmap().isNull());
    EXPECT_EQ(drag->hotSpot(), QPoint(drag->pixmap().width() / 2, drag->pixmap().height() / 2));
    delete drag;
}

INSTANTIATE_TEST_SUITE_P(
    Sources, DragSourceTest,
    testing::Values(
        SourceCase{"OffenceLabelBox", [](ToolPalette &p) { return p.TxtOplyr[3]->createDrag(); },
                   {1, 3}},
        SourceCase{"DefenceLabelBox", [](ToolPalette &p) { return p.TxtDplyr[9]->createDrag(); },
                   {2, 9}},
        SourceCase{"Symbol", [](ToolPalette &p) { return p.ImgSymbols[7]->createDrag(); }, {3, 7}},
        SourceCase{"TextLabel", [](ToolPalette &p) { return p.Imgtext[1]->createDrag(); }, {4, 1}},
        SourceCase{"ActiveMarker", [](ToolPalette &p) { return p.ImgActive->createDrag(); },
                   {9, 0}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(DropTest, DragIconsShowWhatIsDragged)
{
    // A defensive player: its figure in the defence's fill colour (blue by default).
    const QImage player = window->toolPalette()->TxtDplyr[0]->dragIcon().toImage();
    EXPECT_GT(test::pixelsOf(player, qRgb(0, 0, 255)), 100);
    // A symbol: its picture.
    EXPECT_EQ(window->toolPalette()->ImgSymbols[2]->dragIcon().toImage().convertToFormat(QImage::Format_RGB32),
              window->symbolPicture(2).convertToFormat(QImage::Format_RGB32));
    // A text label: its text, wider for a longer one.
    window->toolPalette()->TxtSymbol[0]->setText("Hit");
    const int shortWidth = window->toolPalette()->Imgtext[0]->dragIcon().width();
    window->toolPalette()->TxtSymbol[0]->setText("Hit and run");
    EXPECT_GT(window->toolPalette()->Imgtext[0]->dragIcon().width(), shortWidth);
}

} // namespace
} // namespace kinetra
