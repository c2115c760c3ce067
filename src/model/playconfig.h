#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kinetra {

class PlayFileReader;
class PlayFileWriter;

/// Item families addressed by a part code: 1 offence, 2 defence, 3 symbol, 4 text label,
/// 5 action-line start, 6 action-line end.
namespace Part {
constexpr int16_t Offense = 1;
constexpr int16_t Defense = 2;
constexpr int16_t Symbol = 3;
constexpr int16_t TextLabel = 4;
constexpr int16_t ActionStart = 5;
constexpr int16_t ActionEnd = 6;
} // namespace Part

constexpr int kPlayersPerSide = 10;
constexpr int kSymbolCount = 8;
constexpr int kTextLabelCount = 2;
constexpr int kActionCount = 8;
/// ActivePlyr value meaning "no active player".
constexpr int16_t kNoActivePlayer = 20;

/// One frame of a play: where every player, symbol, text label and action line stands.
/// Positions are surface pixels; an item whose x (rounded) is not above 0 is off the surface.
/// The coordinate families are held as arrays indexed like the item numbers
/// (OPlayerX[3] is offensive player 3's x); file order is kept by the play-file writer.
class PlayConfig
{
public:
    int16_t ActivePlyr = 0; ///< 0..9 offence, 10..19 defence (10 + index), 20 none
    std::array<float, kPlayersPerSide> OPlayerX{}, OPlayerY{};
    std::array<float, kPlayersPerSide> DPlayerX{}, DPlayerY{};
    std::array<float, kSymbolCount> SYMBOLX{}, SYMBOLY{};
    std::array<float, kTextLabelCount> TxtSYMBOLX{}, TxtSYMBOLY{};
    std::array<std::string, kTextLabelCount> TxtValue{};
    std::array<float, kActionCount> ActionSX{}, ActionSY{}, ActionEX{}, ActionEY{};

    /// Makes this frame equal to from_me, field by field, floats bit for bit. A failure is
    /// reported as "Copying Frame" and leaves the fields after it unchanged.
    void CopyFrame(const PlayConfig &from_me);

    /// Empties the frame: no active player, every coordinate 0, both label texts "0".
    void Blank_Frame();

    /// Rounded position of item (part 1..4, partNO) into x and y; an address that names no
    /// item leaves x and y as they were. Failures are reported as "Symbol Position".
    void Position(int16_t part, int partNO, int16_t &x, int16_t &y) const;

    /// Stores x and y as the position of item (part 1..6, partNO); parts 5 and 6 set only the
    /// start or the end of the action line. Unmatched addresses change nothing.
    /// Failures are reported as "Moving Symbol".
    void MoveControlPoint(int16_t part, int partNO, int16_t x, int16_t y);

    /// Whether action line k (0..7) is on the surface, as drawing shows it: its start and its
    /// end both have an x that rounds above 0. A frame holds one line of each type, so drawing
    /// line k again replaces this one.
    bool hasActionLine(int k) const;

    /// Shifts, flips or mirrors the groups whose flag is 1: IPly players (offence, then
    /// defence), ISym symbols, ITxt text labels, IAct action lines. Every x of a processed item
    /// becomes |xWIDTH - x + Xinc| and every y |yHEIGHT - y + Yinc|: (s, 0, 0, 0) moves left by
    /// s bouncing off the left edge, (-s, 0, 0, 0) right by s, (0, 0, W, 0) mirrors about
    /// x = W / 2. An item whose tested x and y are both 0 or less is an empty slot and stays;
    /// an action line is tested at its start and then moved at both ends. Active player and
    /// label texts never change. When a coordinate of a processed item would leave what
    /// drawing takes (-32768..32767 once rounded), nothing moves and the result is false.
    bool MoveFrame(int16_t Xinc, int16_t Yinc, int16_t xWIDTH, int16_t yHEIGHT, int16_t IPly,
                   int16_t ISym, int16_t IAct, int16_t ITxt);

    /// Reads the frame's 95 items in file order. A failure is reported as "Reading Play"; the
    /// frame keeps the values read before it. Returns false after such a failure.
    bool FileInput(PlayFileReader &reader);

    /// Writes the frame's 95 items in file order as one record. A failure is reported as
    /// "Saving Play".
    void FileWrite(PlayFileWriter &writer) const;

    bool operator==(const PlayConfig &other) const = default;

private:
    // The x and y members of an item, or nulls when the address matches nothing.
    std::pair<float *, float *> coordinates(int16_t part, int partNO);
};

} // namespace kinetra
