#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
/// A frame holds at most this many action lines of all kinds together, and a line at most
/// this many bend points.
constexpr int kMaxLinesInFrame = 64;
constexpr int kMaxBends = 16;
/// A frame caption holds at most this many characters.
constexpr int kMaxCaptionLength = 120;

/// `text` as a frame caption: one line (each line break or tab becomes a blank), without
/// blanks at either end, cut after kMaxCaptionLength characters (UTF-8 code points, never
/// inside one).
std::string oneLineCaption(std::string_view text);

/// A point of an action line, in surface pixels.
struct LinePoint
{
    float x = 0;
    float y = 0;
    bool operator==(const LinePoint &) const = default;
};

/// Names an action line of a frame: its kind (0..7, which gives its look and name) and its
/// place among the lines of that kind, 0 for the first.
struct LineId
{
    int16_t kind = 0;
    int16_t slot = 0;
    auto operator<=>(const LineId &) const = default;
};

/// An action line as drawn: from start through the bend points to end.
struct ActionLine
{
    LineId id;
    LinePoint start;
    LinePoint end;
    std::vector<LinePoint> bends;
    bool operator==(const ActionLine &) const = default;
};

/// What a frame holds of its action lines beyond the four standard items of each kind:
/// for slot 0 the bend points of the kind's first line (whose start and end are the
/// ActionSX.. items), for slot 1 on a further line of the kind with its own start and end.
struct ActionPath
{
    LineId id;
    LinePoint start; ///< unused in slot 0
    LinePoint end;   ///< unused in slot 0
    std::vector<LinePoint> bends;
    bool operator==(const ActionPath &) const = default;
};

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
    /// Bend points of the first lines and every further line, ordered by id; a kind's further
    /// lines take slots 1, 2, .. without gaps, and a slot 0 entry has at least one bend.
    /// Empty in a frame of straight lines, one of each kind.
    std::vector<ActionPath> ActionPaths;
    /// One line under the frame, as typed (UTF-8, at most kMaxCaptionLength characters);
    /// empty when the frame has none. Not one of the frame line's items.
    std::string Caption;

    /// Makes this frame equal to from_me, field by field, floats bit for bit. A failure is
    /// reported as "Copying Frame" and leaves the fields after it unchanged.
    void CopyFrame(const PlayConfig &from_me);

    /// Empties the frame: no active player, every coordinate 0, both label texts "0", no caption.
    void Blank_Frame();

    /// Rounded position of item (part 1..4, partNO) into x and y; an address that names no
    /// item leaves x and y as they were. Failures are reported as "Symbol Position".
    void Position(int16_t part, int partNO, int16_t &x, int16_t &y) const;

    /// Stores x and y as the position of item (part 1..6, partNO); parts 5 and 6 set only the
    /// start or the end of the action line. Unmatched addresses change nothing.
    /// Failures are reported as "Moving Symbol".
    void MoveControlPoint(int16_t part, int partNO, int16_t x, int16_t y);

    /// Whether the first action line of kind k (0..7) is on the surface, as drawing shows it:
    /// its start and its end both have an x that rounds above 0.
    bool hasActionLine(int k) const;

    /// Every action line on the surface, ordered by id (kind, then slot).
    std::vector<ActionLine> actionLines() const;
    /// How many action lines are on the surface, and how many of kind k.
    int actionLineCount() const;
    int actionLineCount(int kind) const;
    /// The line `id`, if it is on the surface.
    std::optional<ActionLine> actionLine(LineId id) const;

    /// Adds a line of `kind` after the others of its kind (into the standard items when the
    /// kind has none) and returns its id; nullopt, changing nothing, when the kind is not
    /// 0..7, the frame already holds kMaxLinesInFrame lines or there are more than kMaxBends
    /// bend points.
    std::optional<LineId> addActionLine(int kind, LinePoint start, LinePoint end,
                                        std::vector<LinePoint> bends = {});
    /// Gives line.id new points; false, changing nothing, when that line is not on the
    /// surface, its new start or end would take it off the surface, or there are more than
    /// kMaxBends bend points.
    bool setActionLine(const ActionLine &line);
    /// Removes a line; the kind's later lines move up a slot, so the next line of the kind on
    /// the surface becomes its first. False when the line is not on the surface.
    bool removeActionLine(LineId id);
    /// Removes every line of `kind`.
    void clearActionKind(int kind);

    /// Shifts, flips or mirrors the groups whose flag is 1: IPly players (offence, then
    /// defence), ISym symbols, ITxt text labels, IAct action lines. Every x of a processed item
    /// becomes |xWIDTH - x + Xinc| and every y |yHEIGHT - y + Yinc|: (s, 0, 0, 0) moves left by
    /// s bouncing off the left edge, (-s, 0, 0, 0) right by s, (0, 0, W, 0) mirrors about
    /// x = W / 2. An item whose tested x and y are both 0 or less is an empty slot and stays;
    /// an action line is tested at its start and then moved at both ends. Active player and
    /// label texts never change. When a coordinate of a processed item would leave what
    /// drawing takes (-32768..32767 once rounded), nothing moves and the result is false.
    /// A kind whose first line the move takes off the surface gets its next line as its first
    /// (see removeActionLine).
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
    std::vector<ActionPath>::iterator pathOf(LineId id);
    std::vector<ActionPath>::const_iterator pathOf(LineId id) const;
    std::vector<ActionPath>::iterator insertionPoint(LineId id);
    // Where the kind's first line is off the surface, its next line on the surface takes its
    // place, so a reader of the plain layout never misses a kind's lines.
    void settleFirstLine(int kind);
    // The x and y members of an item, or nulls when the address matches nothing.
    std::pair<float *, float *> coordinates(int16_t part, int partNO);
};

} // namespace kinetra
