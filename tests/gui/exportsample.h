#pragma once

#include "model/playfile.h"

#include <QFile>
#include <QString>

#include <string>

namespace kinetra {

/// A play of `count` frames in which players, symbols, a text label and action lines move
/// from frame to frame, as a coach's play does.
inline FrameList sampleFrames(int count)
{
    FrameList frames;
    frames.resize(int16_t(count));
    for (int i = 1; i <= count; ++i) {
        PlayConfig &f = frames.frame(int16_t(i));
        f.ActivePlyr = int16_t(i % 3 == 0 ? 20 : i % 10);
        for (int p = 0; p < kPlayersPerSide; ++p) {
            f.OPlayerX[size_t(p)] = float(40 + 30 * p + 4 * i);
            f.OPlayerY[size_t(p)] = float(60 + 20 * (p % 4) + 3 * i);
            f.DPlayerX[size_t(p)] = float(50 + 28 * p);
            f.DPlayerY[size_t(p)] = float(220 - 2 * i + 10 * (p % 3));
        }
        f.SYMBOLX[0] = float(20 + 5 * i);
        f.SYMBOLY[0] = 300;
        f.SYMBOLX[6] = 380; // reaches past the right edge
        f.SYMBOLY[6] = 30;
        f.TxtSYMBOLX[0] = 12.5f;
        f.TxtSYMBOLY[0] = 340;
        f.TxtValue[0] = "Squeeze " + std::to_string(i);
        f.TxtValue[1] = "0";
        f.ActionSX[0] = 100;
        f.ActionSY[0] = 100;
        f.ActionEX[0] = float(160 + i);
        f.ActionEY[0] = 103;
        f.ActionSX[3] = 200;
        f.ActionSY[3] = 200;
        f.ActionEX[3] = float(150 - i);
        f.ActionEY[3] = 250;
    }
    return frames;
}

/// Writes a play of sampleFrames(count) to path, with notes and action-line looks of its own.
inline bool writeSamplePlay(const QString &path, int count)
{
    PlaySnapshot play;
    play.title = "Squeeze play";
    play.date = "04-17-2026";
    play.time = "09:30:00";
    play.notes = "Bunt towards first.\r\nRunner goes on contact.";
    play.looks.Picbkg = 2;
    play.frames = sampleFrames(count);
    for (size_t k = 0; k < play.looks.actions.size(); ++k)
        play.looks.actions[k] = {"Line" + std::to_string(k), int16_t(1 + k % 5), int16_t(k % 2 ? 3 : 1),
                      int32_t(0x0000ff * (k % 2) + 0x00ff00 * (k % 3 == 0)), int16_t(k % 3)};
    for (int i = 0; i < kLabelLines; ++i) {
        play.looks.labels.offense[size_t(i)] = "O" + std::to_string(i);
        play.looks.labels.defense[size_t(i)] = "D" + std::to_string(i);
    }
    return writePlay(QFile::encodeName(path).toStdString(), play).ok();
}

} // namespace kinetra
