#include "prefs/playlooks.h"

namespace kinetra {

PlayLooks defaultPlayLooks(const Preferences &prefs)
{
    PlayLooks looks;
    looks.Picbkg = prefs.Picbkg;
    for (size_t k = 0; k < looks.actions.size(); ++k)
        looks.actions[k] = {prefs.ActionLabel[k], prefs.ActionType[k], prefs.ActionSize[k],
                            prefs.ActionColor[k], prefs.ActionEndType[k]};
    looks.labels = {prefs.OPLabel, prefs.DPLabel};
    return looks;
}

void takePlayLooks(Preferences &prefs, const PlayLooks &looks)
{
    prefs.Picbkg = looks.Picbkg;
    for (size_t k = 0; k < looks.actions.size(); ++k) {
        const ActionLook &action = looks.actions[k];
        prefs.ActionLabel[k] = action.label;
        prefs.ActionType[k] = action.type;
        prefs.ActionSize[k] = action.size;
        prefs.ActionColor[k] = action.color;
        prefs.ActionEndType[k] = action.endType;
    }
    prefs.OPLabel = looks.labels.offense;
    prefs.DPLabel = looks.labels.defense;
}

} // namespace kinetra
