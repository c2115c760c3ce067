#pragma once

#include <QSize>

#include <array>

namespace kinetra {

class SettingsStore;

/// The sizes the field can be shown at, in percent of its picture, smallest first.
inline constexpr std::array<int, 11> kZoomSteps{50, 67, 75, 100, 125, 150, 175, 200, 250, 300, 400};

/// The step above percent; the largest step stays where it is. A value between two steps
/// goes to the upper one.
int zoomIn(int percent);
/// The step below percent; the smallest step stays where it is. A value between two steps
/// goes to the lower one.
int zoomOut(int percent);
/// The step nearest to percent; of two equally near, the smaller.
int nearestZoomStep(int percent);
/// The size a field of `field` pixels is shown at with percent: each side scaled and
/// rounded to whole pixels, halves to even.
QSize zoomedSize(QSize field, int percent);
/// The largest step at which the field's shown size fits into room, or the smallest step
/// when none does.
int fitZoom(QSize field, QSize room);

/// How the view shows the field: the zoom in percent (one of the steps) and whether it follows
/// the window's size.
struct ZoomSetting
{
    int percent = 100;
    bool fitToWindow = true;
    bool operator==(const ZoomSetting &) const = default;
};

/// The setting kept in section "View" ("Zoom" in percent, "FitToWindow" 0 or 1). A store
/// without them gives 100 % with Fit on; a zoom that is not a step becomes the nearest step.
ZoomSetting readZoomSetting(const SettingsStore &store);
void writeZoomSetting(SettingsStore &store, const ZoomSetting &setting);

} // namespace kinetra
