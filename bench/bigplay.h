#pragma once

// A play of 32767 frames with every item in use and fractional coordinates, shared by the
// play-file benchmarks.

#include "model/playfile.h"

#include <string>

namespace kinetra::bench {

inline std::string numbered(const char *prefix, int n)
{
    std::string text(prefix);
    text += std::to_string(n);
    return text;
}

struct BigPlay : PlaySnapshot
{
    /// Fractional coordinates by default; whole ones (as editing makes them) on request.
    explicit BigPlay(bool fractional = true)
    {
        title = "Double steal, first and third";
        date = "04-17-1998";
        time = "09:05:03";
        notes = "Runner on first breaks early.\r\nCatcher throws through.";
        looks.Picbkg = 2;
        const float step = fractional ? 0.125f : 0.0f;
        for (int k = 0; k < kActionCount; ++k)
            looks.actions[k] = {numbered("Act", k), int16_t(k % 5 + 1), 3, 255 << k, 1};
        for (int i = 0; i < kLabelLines; ++i) {
            looks.labels.offense[i] = numbered("B", i + 1);
            looks.labels.defense[i] = numbered("D", i + 1);
        }
        frames.resize(FrameList::kMaxFrames);
        for (int n = 1; n <= frames.count(); ++n) {
            PlayConfig &f = frames.frame(int16_t(n));
            int seed = n;
            // Surface-sized values with quarter, half and eighth fractions.
            auto next = [&seed, step] {
                seed = (seed * 1103515245 + 12345) & 0x7fffffff;
                return float(1 + (seed >> 8) % 640) + float((seed >> 4) % 8 + 1) * step;
            };
            f.ActivePlyr = int16_t(n % 21);
            for (int i = 0; i < kPlayersPerSide; ++i) {
                f.OPlayerX[i] = next(), f.OPlayerY[i] = next();
                f.DPlayerX[i] = next(), f.DPlayerY[i] = next();
            }
            for (int i = 0; i < kSymbolCount; ++i)
                f.SYMBOLX[i] = next(), f.SYMBOLY[i] = next();
            for (int i = 0; i < kTextLabelCount; ++i) {
                f.TxtSYMBOLX[i] = next(), f.TxtSYMBOLY[i] = next();
                f.TxtValue[i] = numbered("Cover ", n % 100);
            }
            for (int k = 0; k < kActionCount; ++k) {
                f.ActionSX[k] = next(), f.ActionSY[k] = next();
                f.ActionEX[k] = next(), f.ActionEY[k] = next();
            }
        }
    }
};

} // namespace kinetra::bench
