#include "playbuilder.h"

#include "prefs/preferences.h"
#include "prefs/preferencestore.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace kinetra::content {

namespace {

// Colours as the play file holds them: red in the low byte.
constexpr int32_t rgb(int r, int g, int b)
{
    return r | g << 8 | b << 16;
}

// Colour says who moves (red the offence, blues the defence, black and purple the ball); the
// line and its end say what.
const ActionLook kLooks[kActionCount] = {
    {"Run", 1, 3, rgb(220, 0, 0), 0},     {"Hit", 3, 3, rgb(0, 0, 0), 0},
    {"Throw", 2, 3, rgb(170, 0, 190), 0}, {"Field", 4, 3, rgb(0, 0, 220), 0},
    {"Cover", 2, 2, rgb(0, 0, 120), 1},   {"Back Up", 3, 2, rgb(0, 0, 220), 1},
    {"Steal", 5, 3, rgb(220, 0, 0), 0},   {"Shift", 4, 2, rgb(0, 120, 255), 1},
};

// The ball picture is 24 pixels square; a symbol is placed by its top-left corner.
constexpr float kBallHalf = 12;

// Captions stand on the grey stands in the lower left corner, where black text reads well.
constexpr Pt kCaption{4, 356};

} // namespace

ActionLooks sampleActionLooks()
{
    ActionLooks looks;
    std::copy(std::begin(kLooks), std::end(kLooks), looks.begin());
    return looks;
}

PlayBuilder::PlayBuilder(std::string fileName, std::string title, int16_t surface,
                         LabelSet labels)
    : m_fileName(std::move(fileName))
    , m_title(std::move(title))
    , m_surface(surface)
    , m_labels(labels)
{
    m_frame.Blank_Frame();
    m_frame.TxtValue = {"", ""};
}

void PlayBuilder::notes(std::initializer_list<const char *> lines)
{
    m_notes.clear();
    for (const char *line : lines) {
        if (!m_notes.empty())
            m_notes += "\r\n";
        m_notes += line;
    }
}

void PlayBuilder::offense(int i, Pt p)
{
    m_frame.OPlayerX[size_t(i)] = p.x;
    m_frame.OPlayerY[size_t(i)] = p.y;
}

void PlayBuilder::defense(int i, Pt p)
{
    m_frame.DPlayerX[size_t(i)] = p.x;
    m_frame.DPlayerY[size_t(i)] = p.y;
}

void PlayBuilder::ball(std::optional<Pt> p)
{
    m_frame.SYMBOLX[0] = p ? p->x - kBallHalf : 0;
    m_frame.SYMBOLY[0] = p ? p->y - kBallHalf : 0;
}

void PlayBuilder::caption(const std::string &text)
{
    m_frame.TxtValue[0] = text;
    m_frame.TxtSYMBOLX[0] = text.empty() ? 0 : kCaption.x;
    m_frame.TxtSYMBOLY[0] = text.empty() ? 0 : kCaption.y;
}

void PlayBuilder::active(int16_t code)
{
    m_frame.ActivePlyr = code;
}

void PlayBuilder::arrow(Line line, Pt from, Pt to, const Bends &bends)
{
    std::vector<LinePoint> points;
    for (const Pt &b : bends)
        points.push_back({b.x, b.y});
    if (!m_frame.addActionLine(int(line), {from.x, from.y}, {to.x, to.y}, std::move(points)))
        throw std::logic_error(m_fileName + ": too many arrows or bend points in frame "
                               + std::to_string(m_frames.size() + 1));
}

void PlayBuilder::runOffense(int i, Pt to, Line line, const Bends &bends)
{
    arrow(line, {m_frame.OPlayerX[size_t(i)], m_frame.OPlayerY[size_t(i)]}, to, bends);
    m_moves.push_back({Part::Offense, i, to});
}

void PlayBuilder::runDefense(int i, Pt to, Line line, const Bends &bends)
{
    arrow(line, {m_frame.DPlayerX[size_t(i)], m_frame.DPlayerY[size_t(i)]}, to, bends);
    m_moves.push_back({Part::Defense, i, to});
}

void PlayBuilder::moveBall(Pt to, Line line)
{
    if (m_frame.SYMBOLX[0] <= 0)
        throw std::logic_error(m_fileName + ": the ball is not on the field");
    arrow(line, {m_frame.SYMBOLX[0] + kBallHalf, m_frame.SYMBOLY[0] + kBallHalf}, to);
    m_moves.push_back({Part::Symbol, 0, to});
}

void PlayBuilder::carryBall(Pt to)
{
    m_moves.push_back({Part::Symbol, 0, to});
}

void PlayBuilder::snap()
{
    m_frames.push_back(m_frame);
    for (const Move &m : m_moves) {
        if (m.part == Part::Offense)
            offense(m.index, m.to);
        else if (m.part == Part::Defense)
            defense(m.index, m.to);
        else
            ball(m.to);
    }
    m_moves.clear();
    for (int k = 0; k < kActionCount; ++k)
        m_frame.clearActionKind(k);
}

bool PlayBuilder::write(const std::string &folder, std::string &error) const
{
    if (m_frames.size() < 2) {
        error = m_fileName + ": a sample play needs at least two frames";
        return false;
    }
    FrameList frames;
    frames.resize(int16_t(m_frames.size()));
    for (size_t i = 0; i < m_frames.size(); ++i)
        frames.frame(int16_t(i + 1)) = m_frames[i];

    Preferences sets;
    fillBuiltInLabelSets(sets);
    const size_t set = m_labels == LabelSet::Hardball ? 0 : 1;
    PlayerLabels labels;
    labels.offense = sets.OPDef[set];
    labels.defense = sets.DPDef[set];

    // A fixed moment, so every build writes the same bytes.
    const PlaySnapshot play{m_title, formatPlayDate(2026, 3, 2), formatPlayTime(9, 0, 0), m_notes,
                            PlayLooks{m_surface, sampleActionLooks(), labels},
                            std::move(frames), {}};
    const PlaySaveResult result = writePlay(folder + "/" + m_fileName, play);
    if (!result.ok()) {
        error = m_fileName + ": " + result.description;
        return false;
    }
    return true;
}

} // namespace kinetra::content
