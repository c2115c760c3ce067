#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class QDrag;
class QMimeData;
class QObject;
class QPixmap;

namespace kinetra {

/// What a drag from the palette carries to the surface: the item's tag (the part code 1
/// offence, 2 defence, 3 symbol, 4 text label, or 9 for the active-player marker) and its
/// index within its family. It travels under a MIME type of the program's own, so text or
/// files dragged from elsewhere are never taken for a palette item.
struct PaletteItem
{
    static constexpr int16_t kActiveMarker = 9;

    int16_t tag = 0;
    int16_t index = 0;

    /// The MIME type palette drags use.
    static QString mimeType();
    /// True when tag names a palette family and index lies within it (any index for the marker).
    bool isValid() const;
    /// New drag data carrying this item; the caller (or the QDrag) owns it.
    QMimeData *toMimeData() const;
    /// The item carried by data, or nothing when data holds no valid palette item.
    static std::optional<PaletteItem> fromMimeData(const QMimeData *data);
    /// A drag of this item from source showing icon under the pointer, hot at its centre;
    /// not started yet (call exec()). Owned by source.
    QDrag *createDrag(QObject *source, const QPixmap &icon) const;

    bool operator==(const PaletteItem &) const = default;
};

} // namespace kinetra
