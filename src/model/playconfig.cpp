#include "model/playconfig.h"

#include "model/failurereport.h"
#include "model/rounding.h"

namespace kinetra {

std::string oneLineCaption(std::string_view text)
{
    std::string line;
    line.reserve(text.size());
    int characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
        if (c == ' ' && line.empty())
            continue;
        // A byte that does not continue a UTF-8 sequence starts a character.
        const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (starts && ++characters > kMaxCaptionLength)
            break;
        line += c;
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

void PlayConfig::CopyFrame(const PlayConfig &from_me)
{
    if (&from_me == this)
        return;
    try {
        ActivePlyr = from_me.ActivePlyr;
        for (int i = 0; i < kPlayersPerSide; ++i) {
            OPlayerX[i] = from_me.OPlayerX[i];
            OPlayerY[i] = from_me.OPlayerY[i];
        }
        for (int i = 0; i < kPlayersPerSide; ++i) {
            DPlayerX[i] = from_me.DPlayerX[i];
            DPlayerY[i] = from_me.DPlayerY[i];
        }
        for (int i = 0; i < kSymbolCount; ++i) {
            SYMBOLX[i] = from_me.SYMBOLX[i];
            SYMBOLY[i] = from_me.SYMBOLY[i];
        }
        TxtSYMBOLX[0] = from_me.TxtSYMBOLX[0];
        TxtSYMBOLY[0] = from_me.TxtSYMBOLY[0];
        TxtSYMBOLX[1] = from_me.TxtSYMBOLX[1];
        TxtSYMBOLY[1] = from_me.TxtSYMBOLY[1];
        TxtValue[0] = from_me.TxtValue[0];
        TxtValue[1] = from_me.TxtValue[1];
        for (int k = 0; k < kActionCount; ++k) {
            ActionSX[k] = from_me.ActionSX[k];
            ActionSY[k] = from_me.ActionSY[k];
            ActionEX[k] = from_me.ActionEX[k];
            ActionEY[k] = from_me.ActionEY[k];
        }
        ActionPaths = from_me.ActionPaths;
        Caption = from_me.Caption;
    } catch (...) {
        reportFailure("Copying Frame");
    }
}

bool PlayConfig::hasActionLine(int k) const
{
    if (k < 0 || k >= kActionCount)
        return false;
    // Rounding halves to even takes 0.5 to 0, so only an x beyond it is on the surface.
    return ActionSX[size_t(k)] > 0.5f && ActionEX[size_t(k)] > 0.5f;
}

void PlayConfig::Blank_Frame()
{
    ActivePlyr = kNoActivePlayer;
    OPlayerX.fill(0);
    OPlayerY.fill(0);
    DPlayerX.fill(0);
    DPlayerY.fill(0);
    SYMBOLX.fill(0);
    SYMBOLY.fill(0);
    TxtSYMBOLX.fill(0);
    TxtSYMBOLY.fill(0);
    TxtValue[0] = "0";
    TxtValue[1] = "0";
    ActionSX.fill(0);
    ActionSY.fill(0);
    ActionEX.fill(0);
    ActionEY.fill(0);
    ActionPaths.clear();
    Caption.clear();
}

std::pair<float *, float *> PlayConfig::coordinates(int16_t part, int partNO)
{
    auto pick = [partNO](auto &xs, auto &ys) -> std::pair<float *, float *> {
        if (partNO < 0 || partNO >= int(xs.size()))
            return {nullptr, nullptr};
        return {&xs[partNO], &ys[partNO]};
    };
    switch (part) {
    case Part::Offense: return pick(OPlayerX, OPlayerY);
    case Part::Defense: return pick(DPlayerX, DPlayerY);
    case Part::Symbol: return pick(SYMBOLX, SYMBOLY);
    case Part::TextLabel: return pick(TxtSYMBOLX, TxtSYMBOLY);
    case Part::ActionStart: return pick(ActionSX, ActionSY);
    case Part::ActionEnd: return pick(ActionEX, ActionEY);
    default: return {nullptr, nullptr};
    }
}

void PlayConfig::Position(int16_t part, int partNO, int16_t &x, int16_t &y) const
{
    if (part < Part::Offense || part > Part::TextLabel)
        return;
    try {
        const auto [px, py] = const_cast<PlayConfig *>(this)->coordinates(part, partNO);
        if (!px)
            return;
        const int16_t rx = toInt16(*px);
        const int16_t ry = toInt16(*py);
        x = rx;
        y = ry;
    } catch (...) {
        reportFailure("Symbol Position");
    }
}

void PlayConfig::MoveControlPoint(int16_t part, int partNO, int16_t x, int16_t y)
{
    try {
        const auto [px, py] = coordinates(part, partNO);
        if (!px)
            return;
        *px = x;
        *py = y;
    } catch (...) {
        reportFailure("Moving Symbol");
    }
}

} // namespace kinetra
