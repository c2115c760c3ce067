#include "prefs/labelsets.h"

namespace kinetra {

bool saveLabelSet(Preferences &prefs, int index, const std::array<std::string, 10> &offence,
                  const std::array<std::string, 10> &defence)
{
    if (index < 2 || index >= kLabelSets)
        return false;
    prefs.OPDef[size_t(index)] = offence;
    prefs.DPDef[size_t(index)] = defence;
    return true;
}

bool selectLabelSet(Preferences &prefs, int index)
{
    if (index < 0 || index >= kLabelSets)
        return false;
    prefs.OPLabel = prefs.OPDef[size_t(index)];
    prefs.DPLabel = prefs.DPDef[size_t(index)];
    return true;
}

} // namespace kinetra
