#pragma once

#include <QImage>
#include <QSize>

namespace kinetra {

class Surface;

/// A surface drawn at a device size other than its own, kept up to date cheaply: the field
/// picture is scaled once for each size, and of the surface's drawings only those added
/// since the last look are drawn, until the surface is wiped. Inverted drawings (the rubber
/// band) are included, so the view shows exactly what the surface shows.
class ScaledView
{
public:
    /// The surface as shown, deviceSize pixels large.
    const QImage &image(const Surface &surface, QSize deviceSize);

private:
    QImage m_field;
    qint64 m_fieldKey = 0;
    QImage m_view;
    quint64 m_wipe = 0;
    qsizetype m_drawn = 0;
};

} // namespace kinetra
