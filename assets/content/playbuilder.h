#pragma once

// A small language for writing sample plays as code a coach's assistant could review: each
// step places players and the ball, draws the arrows of what happens next, and snap() keeps
// the frame; after a snap the players and the ball stand where their arrows ended.

#include "model/framelist.h"
#include "model/playfile.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace kinetra::content {

struct Pt
{
    float x;
    float y;
};

/// Which label set a play uses: baseball positions or softball (ten fielders) positions.
enum class LabelSet { Hardball, Softball };

/// Defensive player indices, as the built-in label sets number them.
namespace D {
constexpr int P = 0, C = 1, First = 2, Second = 3, Third = 4, SS = 5;
// Baseball
constexpr int RF = 6, CF = 7, LF = 8;
// Softball with ten fielders
constexpr int SRF = 6, RCF = 7, LCF = 8, SLF = 9;
} // namespace D

/// Offensive players: B1 is the batter, B2 the runner who starts on first, B3 on second,
/// B4 on third (the notes of each play say so too).
namespace O {
constexpr int Batter = 0, R1 = 1, R2 = 2, R3 = 3;
} // namespace O

/// What an arrow shows, one action-line look each, in the order of the play's looks: a
/// runner's line, the batted ball, a throw, a fielder going to the ball or to a spot, a fielder
/// covering a base, a fielder backing up a play, a steal and a fielder shifting before the
/// pitch. A frame may hold any number of arrows of each.
enum class Line { Run, Hit, Throw, Field, Cover, BackUp, Steal, Shift };
/// The bend points of an arrow, in drawing order: the curve passes through each.
using Bends = std::vector<Pt>;

/// The eight action-line looks of the sample plays, the looks a first start brings: each
/// differs from the others in its line or its end as well as its colour, so the printed legend
/// reads on white paper and in black and white.
ActionLooks sampleActionLooks();

class PlayBuilder
{
public:
    PlayBuilder(std::string fileName, std::string title, int16_t surface, LabelSet labels);

    const std::string &fileName() const { return m_fileName; }

    /// Notes, one paragraph per line.
    void notes(std::initializer_list<const char *> lines);

    void offense(int i, Pt p);
    void defense(int i, Pt p);
    /// Places the ball (its picture is centred on p); nullopt takes it off the field.
    void ball(std::optional<Pt> p);
    /// The frame's caption, in the lower left corner; empty removes it.
    void caption(const std::string &text);
    /// Marks the player the frame is about (0..9 offence, 10..19 defence), or none.
    void active(int16_t code);

    /// An arrow of kind `line` from where the player stands to `to`, bending through `bends`
    /// (a runner rounding the bases); the player stands there in the next frame.
    void runOffense(int i, Pt to, Line line = Line::Run, const Bends &bends = {});
    void runDefense(int i, Pt to, Line line = Line::Field, const Bends &bends = {});
    /// An arrow from the ball to `to`; the ball is there in the next frame.
    void moveBall(Pt to, Line line);
    /// The ball goes along with whoever carries it: no arrow, it is at `to` in the next frame.
    void carryBall(Pt to);
    /// An arrow that moves nothing (a throw not made, a lead to watch).
    void arrow(Line line, Pt from, Pt to, const Bends &bends = {});

    /// Keeps the frame as drawn, then moves everything along its arrows and clears them.
    void snap();

    /// Writes the play file into `folder`; returns false with `error` set when it fails.
    bool write(const std::string &folder, std::string &error) const;

private:
    struct Move
    {
        int part; // Part::Offense, Part::Defense, Part::Symbol
        int index;
        Pt to;
    };
    std::string m_fileName;
    std::string m_title;
    std::string m_notes;
    int16_t m_surface;
    LabelSet m_labels;
    PlayConfig m_frame;
    std::vector<Move> m_moves;
    std::vector<PlayConfig> m_frames;
};

/// Every sample play that ships in the program folder's Plays.
std::vector<PlayBuilder> samplePlays();

} // namespace kinetra::content
