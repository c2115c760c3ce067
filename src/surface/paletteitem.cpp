#include "surface/paletteitem.h"

#include "model/playconfig.h"

#include <QDrag>
#include <QMimeData>
#include <QPixmap>

namespace kinetra {

QString PaletteItem::mimeType()
{
    return QStringLiteral("application/x-kinetra-palette-item");
}

bool PaletteItem::isValid() const
{
    switch (tag) {
    case Part::Offense:
    case Part::Defense:
        return index >= 0 && index < kPlayersPerSide;
    case Part::Symbol:
        return index >= 0 && index < kSymbolCount;
    case Part::TextLabel:
        return index >= 0 && index < kTextLabelCount;
    case kActiveMarker:
        return true;
    default:
        return false;
    }
}

QMimeData *PaletteItem::toMimeData() const
{
    auto *data = new QMimeData;
    data->setData(mimeType(), QByteArray::number(tag) + ' ' + QByteArray::number(index));
    return data;
}

std::optional<PaletteItem> PaletteItem::fromMimeData(const QMimeData *data)
{
    if (!data || !data->hasFormat(mimeType()))
        return std::nullopt;
    const QList<QByteArray> fields = data->data(mimeType()).split(' ');
    if (fields.size() != 2)
        return std::nullopt;
    bool tagOk = false, indexOk = false;
    const int tag = fields[0].toInt(&tagOk);
    const int index = fields[1].toInt(&indexOk);
    if (!tagOk || !indexOk || tag < INT16_MIN || tag > INT16_MAX || index < INT16_MIN
        || index > INT16_MAX)
        return std::nullopt;
    const PaletteItem item{int16_t(tag), int16_t(index)};
    if (!item.isValid())
        return std::nullopt;
    return item;
}

QDrag *PaletteItem::createDrag(QObject *source, const QPixmap &icon) const
{
    auto *drag = new QDrag(source);
    drag->setMimeData(toMimeData());
    if (!icon.isNull()) {
        drag->setPixmap(icon);
        drag->setHotSpot(QPoint(icon.width() / 2, icon.height() / 2));
    }
    return drag;
}

} // namespace kinetra
