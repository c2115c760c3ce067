#include "surface/framelooks.h"

#include "prefs/preferences.h"
#include "surface/colors.h"

#include <cmath>

namespace kinetra {

FrameLooks FrameLooks::forPlay(const PlayLooks &play, const Preferences &prefs)
{
    FrameLooks looks;
    for (int s = 0; s < 2; ++s) {
        looks.PlayerSize[s] = prefs.PlayerSize[s];
        looks.PlayerShape[s] = prefs.PlayerShape[s];
        looks.PlayerBcolr[s] = colorFromRgbInt(prefs.PlayerBcolr[s]);
        looks.PlayerFcolr[s] = colorFromRgbInt(prefs.PlayerFcolr[s]);
        looks.PlayerTcolr[s] = colorFromRgbInt(prefs.PlayerTcolr[s]);
    }
    for (int k = 0; k < 10; ++k) {
        looks.OPLabel[k] = QString::fromStdString(play.labels.offense[k]);
        looks.DPLabel[k] = QString::fromStdString(play.labels.defense[k]);
    }
    for (int k = 0; k < 8; ++k) {
        const ActionLook &action = play.actions[k];
        looks.ActionType[k] = action.type;
        looks.ActionSize[k] = action.size;
        looks.ActionColor[k] = colorFromRgbInt(action.color);
        looks.ActionEndType[k] = action.endType;
    }
    return looks;
}

double markerReach(int16_t shape, int size)
{
    return shape == 1 ? size * std::sqrt(2.0) : double(size);
}

ItemSizes FrameLooks::itemSizes() const
{
    ItemSizes sizes;
    sizes.symbolBox = {float(symbols[0].width()), float(symbols[0].height())};
    for (size_t s = 0; s < 2; ++s)
        sizes.markerRadius[s] = float(markerReach(PlayerShape[s], PlayerSize[s]));
    return sizes;
}

int playerLabelled(const PlayerLabels &labels, const QString &position)
{
    const QString wanted = position.trimmed();
    if (wanted.isEmpty())
        return -1;
    auto find = [&](const std::array<std::string, 10> &labels) {
        for (int i = 0; i < int(labels.size()); ++i) {
            const QString label = QString::fromStdString(labels[size_t(i)]).trimmed();
            if (label.compare(wanted, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    };
    if (const int i = find(labels.defense); i >= 0)
        return 10 + i;
    return find(labels.offense);
}

QFont labelFontFromPreferences(const Preferences &prefs)
{
    QFont font;
    if (prefs.FontName.empty()) {
        // No face chosen: the desktop's sans-serif face, as its own labels use, not whatever
        // face a bare font request falls back to (often a serif one).
        font.setFamily("Sans Serif");
        font.setStyleHint(QFont::SansSerif);
    } else {
        font.setFamily(QString::fromStdString(prefs.FontName));
    }
    if (prefs.FontSize > 0)
        font.setPointSize(prefs.FontSize);
    font.setBold(prefs.FontBold);
    font.setItalic(prefs.FontItalic);
    font.setUnderline(prefs.FontUnderline);
    font.setStrikeOut(prefs.FontStrikethrough);
    return font;
}

} // namespace kinetra
