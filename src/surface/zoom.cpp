#include "surface/zoom.h"

#include "model/rounding.h"
#include "prefs/preferencestore.h"
#include "prefs/settingsstore.h"

#include <algorithm>
#include <cstdlib>

namespace kinetra {

int zoomIn(int percent)
{
    const auto above = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return above == kZoomSteps.end() ? kZoomSteps.back() : *above;
}

int zoomOut(int percent)
{
    const auto atOrAbove = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return atOrAbove == kZoomSteps.begin() ? kZoomSteps.front() : *(atOrAbove - 1);
}

int nearestZoomStep(int percent)
{
    int best = kZoomSteps.front();
    for (const int step : kZoomSteps)
        if (std::abs(step - percent) < std::abs(best - percent))
            best = step;
    return best;
}

QSize zoomedSize(QSize field, int percent)
{
    return QSize(toInt32(field.width() * percent / 100.0),
                 toInt32(field.height() * percent / 100.0));
}

int fitZoom(QSize field, QSize room)
{
    for (auto step = kZoomSteps.rbegin(); step != kZoomSteps.rend(); ++step) {
        const QSize shown = zoomedSize(field, *step);
        if (shown.width() <= room.width() && shown.height() <= room.height())
            return *step;
    }
    return kZoomSteps.front();
}

ZoomSetting readZoomSetting(const SettingsStore &store)
{
    ZoomSetting setting;
    const QString zoom = store.read("View", "Zoom");
    if (!zoom.isEmpty())
        setting.percent = nearestZoomStep(storeInt(zoom, 1, 100000, 100));
    setting.fitToWindow = storeInt(store.read("View", "FitToWindow", "1"), 0, 1, 1) == 1;
    return setting;
}

void writeZoomSetting(SettingsStore &store, const ZoomSetting &setting)
{
    store.write("View", "Zoom", QString::number(setting.percent));
    store.write("View", "FitToWindow", setting.fitToWindow ? "1" : "0");
}

} // namespace kinetra
