#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kinetra {

constexpr int kLabelSets = 6;      // 0 hardball, 1 softball, 2..5 the user's own
constexpr int kMaxFormations = 10;

/// Every user preference, held for the life of the program. Colours are 24-bit RGB with red
/// in the low byte (16711680 is pure blue). Side index 0 is offence, 1 defence.
struct Preferences
{
    int16_t Picbkg = 0;
    std::array<std::string, 4> PicFile;
    std::string FontName;
    int16_t FontSize = 8;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethrough = false;
    int32_t Fontcolor = 0;
    std::array<std::string, 8> SymbolFile;

    std::array<std::string, 8> ActionLabel;
    std::array<int16_t, 8> ActionType{};    // 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot
    std::array<int16_t, 8> ActionSize{};    // pixels: 1, 3 or 6
    std::array<int32_t, 8> ActionColor{};
    std::array<int16_t, 8> ActionEndType{}; // 0 arrow head, 1 bar, 2 none
    /// Whether a line of this kind drawn from base to base rounds the bases in between.
    std::array<bool, 8> ActionFollowsBases{};

    std::array<int16_t, 2> PlayerSize{};  // half-width in pixels: 10, 15 or 17
    std::array<int16_t, 2> PlayerShape{}; // 1 square, 3 circle
    std::array<int32_t, 2> PlayerBcolr{};
    std::array<int32_t, 2> PlayerFcolr{};
    std::array<int32_t, 2> PlayerTcolr{};

    std::array<std::string, 10> OPLabel, DPLabel;
    std::array<std::array<std::string, 10>, kLabelSets> OPDef, DPDef;

    int16_t FormationCount = 0;
    std::array<std::string, kMaxFormations> FormationName;
    std::array<std::array<int16_t, 20>, kMaxFormations> FormationX{}, FormationY{};
    int16_t SelectedFormation = 0;
};

} // namespace kinetra
