#include "prefs/playlooks.h"

namespace kinetra {

void applyPlayLooks(Preferences &prefs, const PlayReadResult &read)
{
    const int16_t picbkg = read.play.Picbkg;
    prefs.Picbkg = picbkg >= 0 && picbkg <= 3 ? picbkg : 0;

    ActionLooks looks = actionLooks(prefs);
    takeActionLooks(read, looks);
    for (size_t k = 0; k < looks.size(); ++k) {
        prefs.ActionLabel[k] = looks[k].label;
        prefs.ActionType[k] = looks[k].type;
        prefs.ActionSize[k] = looks[k].size;
        prefs.ActionColor[k] = looks[k].color;
        prefs.ActionEndType[k] = looks[k].endType;
    }
    for (int i = 0; i < read.labelLinesTaken; ++i) {
        prefs.OPLabel[size_t(i)] = read.play.labels.offense[size_t(i)];
        prefs.DPLabel[size_t(i)] = read.play.labels.defense[size_t(i)];
    }
}

ActionLooks actionLooks(const Preferences &prefs)
{
    ActionLooks looks;
    for (size_t k = 0; k < looks.size(); ++k)
        looks[k] = {prefs.ActionLabel[k], prefs.ActionType[k], prefs.ActionSize[k],
                    prefs.ActionColor[k], prefs.ActionEndType[k]};
    return looks;
}

PlayerLabels playerLabels(const Preferences &prefs)
{
    return {prefs.OPLabel, prefs.DPLabel};
}

SavedLabelChanges matchSavedLabels(Preferences &prefs)
{
    const auto match = [](auto &labels) {
        bool changed = false;
        for (std::string &label : labels)
            if (std::string saved = textAsSaved(label); saved != label) {
                label = std::move(saved);
                changed = true;
            }
        return changed;
    };
    SavedLabelChanges changes;
    changes.players = match(prefs.OPLabel);
    changes.players = match(prefs.DPLabel) || changes.players;
    changes.actions = match(prefs.ActionLabel);
    return changes;
}

} // namespace kinetra
