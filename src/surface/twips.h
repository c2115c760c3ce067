#pragma once

namespace kinetra {

/// Window and dialog layout is designed in twips: 1440 to the inch, so 15 to a logical pixel
/// at 96 DPI. These convert with the primary screen's logical DPI (96 without a screen),
/// rounding to the nearest whole pixel or twip.
int twipsToPixels(int twips);
int pixelsToTwips(int pixels);

} // namespace kinetra
