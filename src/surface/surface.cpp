#include "surface/surface.h"

#include <QCache>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kinetra {

/// One drawing call, kept to be drawn again at another scale.
struct Surface::Drawing
{
    enum Kind { Line, Path, Box, FillBox, Circle, Polygon, Text, Picture };
    Kind kind = Line;
    bool inverted = false;
    QColor color; // pen, text or fill colour
    QColor fill;
    int lineWidth = 1;
    int lineStyle = 0;
    QList<qreal> dashes; // the dashed styles' own pattern, if any
    QPolygon points; // line and box: two points; circle: the centre; polygon: its corners
    QPainterPath path;
    int radius = 0;
    QPointF baseline; // text: where its baseline starts
    QString text;
    QFont font;
    QRect area; // fill box, picture
    QImage picture;
    PictureCompanions companions;
};

namespace {

// The box with corners (x1, y1) and (x2, y2), both included, in any order.
QRect boxRect(int x1, int y1, int x2, int y2)
{
    return QRect(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
}

void strokeCurve(QPainter &painter, const QPainterPath &path, int lineWidth,
                 const QList<qreal> &dashes, const QColor &color);

// Whether a line style is drawn in dashes.
bool isDashed(int lineStyle)
{
    const Qt::PenStyle style = penStyleOf(lineStyle);
    return style != Qt::SolidLine && style != Qt::NoPen;
}

// The dashes of a line style, in line widths: on, off, on, off ...; empty for a solid line.
// A dashed style takes `own` when there is one.
QList<qreal> dashesOf(int lineStyle, const QList<qreal> &own)
{
    if (isDashed(lineStyle) && !own.isEmpty())
        return own;
    switch (penStyleOf(lineStyle)) {
    case Qt::DashLine: return {4, 2};
    case Qt::DotLine: return {1, 2};
    case Qt::DashDotLine: return {4, 2, 1, 2};
    case Qt::DashDotDotLine: return {4, 2, 1, 2, 1, 2};
    default: return {};
    }
}

// A pen's style and dashes: the dashed styles' own pattern when there is one.
void setStyle(QPen &pen, int lineStyle, const QList<qreal> &dashes)
{
    pen.setStyle(penStyleOf(lineStyle));
    if (isDashed(lineStyle) && !dashes.isEmpty())
        pen.setDashPattern(dashes);
}

// Surface pixels are logical pixels at 96 DPI, whatever resolution a picture file claims,
// so a label font has the same pixel size on every field picture.
constexpr int kDotsPerMeter = 3780;

const QImage &measuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(kDotsPerMeter);
        image.setDotsPerMeterY(kDotsPerMeter);
        return image;
    }();
    return device;
}

} // namespace

Surface::Surface(QObject *parent)
    : QObject(parent)
{
    setFont(m_font);
}

Surface::~Surface() = default;

void Surface::setPicture(const QImage &picture, const PictureCompanions &companions)
{
    // The surface never loses its field: an empty picture leaves the one it has.
    if (picture.isNull())
        return;
    const QSize oldSize = m_image.size();
    m_picture = picture.convertToFormat(QImage::Format_RGB32);
    m_picture.setDotsPerMeterX(kDotsPerMeter);
    m_picture.setDotsPerMeterY(kDotsPerMeter);
    m_companions = companions;
    m_image = m_picture;
    wiped();
    if (m_image.size() != oldSize)
        emit sizeChanged(m_image.size());
    emit changed();
}

void Surface::clear()
{
    m_image = m_picture;
    wiped();
    emit changed();
}

qsizetype Surface::drawingCount() const
{
    return qsizetype(m_drawings.size());
}

void Surface::wiped()
{
    m_drawings.clear();
    ++m_wipes;
}

Surface::Drawing &Surface::record(int kind, const QColor &color)
{
    Drawing &d = m_drawings.emplace_back();
    d.kind = Drawing::Kind(kind);
    d.inverted = m_drawMode == DrawMode::Invert;
    d.color = color;
    d.fill = m_fillColor;
    d.lineWidth = m_lineWidth;
    d.lineStyle = m_lineStyle;
    d.dashes = m_dashes;
    return d;
}

QRgb Surface::pixel(int x, int y) const
{
    if (!m_image.valid(x, y))
        return qRgb(0, 0, 0);
    return m_image.pixel(x, y) | 0xFF000000u;
}

void Surface::setDashPattern(const QList<qreal> &dashes)
{
    // A pattern that never moves along the line would never end.
    qreal period = 0;
    for (const qreal d : dashes) {
        if (!(d >= 0))
            period = -1;
        if (period >= 0)
            period += d;
    }
    m_dashes = dashes.size() % 2 == 0 && period >= 1 ? dashes : QList<qreal>();
}

void Surface::setFont(const QFont &font)
{
    m_font = font;
    m_font.setStyleStrategy(QFont::StyleStrategy(m_font.styleStrategy() | QFont::NoAntialias));
}

bool Surface::begin(QPainter &painter)
{
    if (m_image.isNull() || !painter.begin(&m_image))
        return false;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    if (m_drawMode == DrawMode::Invert)
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    return true;
}

QPen Surface::pen(const QColor &color) const
{
    QPen pen(color);
    setStyle(pen, m_lineStyle, m_dashes);
    if (m_lineWidth <= 1) {
        // One-pixel lines include their last pixel, like the end points the user placed.
        pen.setWidth(1);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::SquareCap);
    } else {
        pen.setWidth(m_lineWidth);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

QFontMetrics Surface::metrics() const
{
    const QPaintDevice *device = m_image.isNull() ? &measuringDevice() : &m_image;
    return QFontMetrics(m_font, device);
}

void Surface::line(int x1, int y1, int x2, int y2, const QColor &color)
{
    QPainter painter;
    if (!begin(painter))
        return;
    painter.setPen(pen(color));
    if (x1 == x2 && y1 == y2)
        painter.drawPoint(x1, y1);
    else
        painter.drawLine(x1, y1, x2, y2);
    painter.end();
    record(Drawing::Line, color).points = QPolygon({QPoint(x1, y1), QPoint(x2, y2)});
    emit changed();
}

void Surface::path(const QPainterPath &path, const QColor &color)
{
    QPainter painter;
    if (!begin(painter))
        return;
    if (m_lineWidth > 1 && m_drawMode == DrawMode::Copy && penStyleOf(m_lineStyle) != Qt::NoPen) {
        strokeCurve(painter, path, m_lineWidth, dashesOf(m_lineStyle, m_dashes), color);
    } else {
        painter.setPen(pen(color));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
    painter.end();
    record(Drawing::Path, color).path = path;
    emit changed();
}

void Surface::line(int x1, int y1, int x2, int y2)
{
    line(x1, y1, x2, y2, m_foreColor);
}

void Surface::box(int x1, int y1, int x2, int y2, const QColor &color)
{
    QPainter painter;
    if (!begin(painter))
        return;
    painter.setPen(pen(color));
    painter.setBrush(Qt::NoBrush);
    const QRect r = boxRect(x1, y1, x2, y2);
    // An aliased outline of a w x h rectangle covers w + 1 by h + 1 pixels: corner to corner.
    painter.drawRect(r.x(), r.y(), r.width() - 1, r.height() - 1);
    painter.end();
    record(Drawing::Box, color).area = r;
    emit changed();
}

void Surface::box(int x1, int y1, int x2, int y2)
{
    box(x1, y1, x2, y2, m_foreColor);
}

void Surface::fillBox(int x1, int y1, int x2, int y2, const QColor &color)
{
    QPainter painter;
    if (!begin(painter))
        return;
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRect(boxRect(x1, y1, x2, y2));
    painter.end();
    record(Drawing::FillBox, color).area = boxRect(x1, y1, x2, y2);
    emit changed();
}

void Surface::circle(int cx, int cy, int r, const QColor &outline)
{
    QPainter painter;
    if (!begin(painter))
        return;
    painter.setPen(pen(outline));
    painter.setBrush(m_fillColor);
    painter.drawEllipse(QPoint(cx, cy), r, r);
    painter.end();
    Drawing &d = record(Drawing::Circle, outline);
    d.points = QPolygon({QPoint(cx, cy)});
    d.radius = r;
    emit changed();
}

void Surface::circle(int cx, int cy, int r)
{
    circle(cx, cy, r, m_foreColor);
}

bool Surface::polygon(std::span<const QPoint> points)
{
    if (points.size() < 3)
        return false;
    QPainter painter;
    if (!begin(painter))
        return false;
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_fillColor);
    painter.drawPolygon(points.data(), int(points.size()));
    // Edge by edge, so that every corner gets its pixel (a closed aliased outline can miss one,
    // and an arrowhead without its tip looks blunt).
    painter.setPen(pen(m_foreColor));
    for (size_t i = 0; i < points.size(); ++i)
        painter.drawLine(points[i], points[(i + 1) % points.size()]);
    painter.end();
    record(Drawing::Polygon, m_foreColor).points =
        QPolygon(QList<QPoint>(points.begin(), points.end()));
    emit changed();
    return true;
}

void Surface::print(const QString &text)
{
    const QFontMetrics fm = metrics();
    if (!text.isEmpty() && std::isfinite(m_textPosition.x()) && std::isfinite(m_textPosition.y())) {
        QPainter painter;
        if (begin(painter)) {
            painter.setFont(m_font);
            painter.setPen(m_foreColor);
            const QPointF baseline(m_textPosition.x(), m_textPosition.y() + fm.ascent());
            painter.drawText(baseline, text);
            painter.end();
            Drawing &d = record(Drawing::Text, m_foreColor);
            d.baseline = baseline;
            d.text = text;
            d.font = m_font;
            emit changed();
        }
    }
    m_textPosition = QPointF(0, m_textPosition.y() + fm.height());
}

int Surface::textWidth(const QString &text) const
{
    return metrics().horizontalAdvance(text);
}

int Surface::textHeight(const QString &) const
{
    return metrics().height();
}

void Surface::notePicture(const QRect &area, const QImage &picture,
                          const PictureCompanions &companions)
{
    if (area.isEmpty() || picture.isNull())
        return;
    Drawing &d = record(Drawing::Picture, QColor());
    d.area = area;
    d.picture = picture;
    d.companions = companions;
}

namespace {

// A line look at another scale: widths in image pixels, so a 1-pixel line stays one image
// pixel wide and dashes keep their length against the field.
QPen scaledPen(const QColor &color, int width, int style, const QList<qreal> &dashes)
{
    QPen pen(color);
    setStyle(pen, style, dashes);
    if (width <= 1) {
        pen.setWidthF(1.0);
        pen.setCapStyle(Qt::SquareCap);
    } else {
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

// A filled antialiased disc. Qt fills each small smooth disc slowly, and a frame draws many
// alike (players, the ends of wide lines), so on an image each size, colour and quarter-pixel
// offset is drawn once and then copied. Elsewhere (a printer) the disc is drawn as a figure.
void drawDisc(QPainter &painter, QPointF centre, qreal radius, const QColor &color)
{
    const QTransform t = painter.transform();
    const qreal rx = radius * t.m11();
    const qreal ry = radius * t.m22();
    const bool sprite = painter.device() && painter.device()->devType() == QInternal::Image
                        && t.type() <= QTransform::TxScale && rx > 0
                        && std::abs(rx - ry) < 0.01 * rx
                        && painter.testRenderHint(QPainter::Antialiasing)
                        && painter.compositionMode() == QPainter::CompositionMode_SourceOver;
    if (!sprite) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(centre, radius, radius);
        return;
    }
    // Drawing runs on the user-interface thread only.
    static QCache<QString, QImage> sprites(256);
    const QPointF at = t.map(centre);
    const int fx = qFloor((at.x() - qFloor(at.x())) * 4);
    const int fy = qFloor((at.y() - qFloor(at.y())) * 4);
    const int reach = qCeil(rx) + 1;
    const QString key =
        QString("%1/%2/%3/%4").arg(qRound(rx * 16)).arg(color.rgba()).arg(fx).arg(fy);
    QImage *disc = sprites.object(key);
    if (!disc) {
        disc = new QImage(2 * reach + 2, 2 * reach + 2, QImage::Format_ARGB32_Premultiplied);
        disc->fill(Qt::transparent);
        QPainter p(disc);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(QPointF(reach + fx / 4.0 + 0.125, reach + fy / 4.0 + 0.125), rx, rx);
        p.end();
        sprites.insert(key, disc);
    }
    painter.save();
    painter.resetTransform();
    // In bands: Qt hands the blending of a taller picture to worker threads and waits for
    // them, which costs far more than the blending of one disc.
    const QPoint corner(qFloor(at.x()) - reach, qFloor(at.y()) - reach);
    constexpr int kBand = 64;
    for (int top = 0; top < disc->height(); top += kBand)
        painter.drawImage(corner + QPoint(0, top), *disc,
                          QRect(0, top, disc->width(), std::min(kBand, disc->height() - top)));
    painter.restore();
}

// A wide line with round caps, its dashes each capped, as a round-capped pen draws it. Qt
// fills large slanting round-capped (and polygon) shapes slowly, but has a quick way for
// flat-capped lines: a flat solid piece with a disc at each end is the same shape.
void roundCappedLine(QPainter &painter, QPointF from, QPointF to, qreal width,
                     const QList<qreal> &dashes, const QColor &color)
{
    QPen flat(color, width);
    flat.setCapStyle(Qt::FlatCap);
    const qreal r = width / 2;
    const QLineF line(from, to);
    const qreal length = line.length();
    auto piece = [&](qreal start, qreal end) {
        const QPointF a = line.pointAt(length > 0 ? start / length : 0);
        const QPointF b = line.pointAt(length > 0 ? end / length : 0);
        if (end > start) {
            painter.setPen(flat);
            painter.drawLine(a, b);
        }
        drawDisc(painter, a, r, color);
        drawDisc(painter, b, r, color);
    };
    if (dashes.isEmpty() || length == 0) {
        piece(0, length);
        return;
    }
    qreal at = 0;
    for (qsizetype i = 0; at < length; i = (i + 1) % dashes.size()) {
        const qreal next = at + dashes[i] * width;
        if (i % 2 == 0)
            piece(at, std::min(next, length));
        at = next;
    }
}

// Device pixels per image pixel.
qreal deviceScaleOf(const QPainter &painter)
{
    const QTransform t = painter.transform();
    return std::max(std::hypot(t.m11(), t.m12()), std::hypot(t.m21(), t.m22()));
}

// A curve in a line look, drawn as short straight flat-capped pieces: Qt outlines and fills
// every dash and join of a wide curved path, which is slow, but draws flat-capped straight
// lines quickly. The curve is flattened at the device's resolution; the pieces of a dash
// overlap at each corner as far as a mitre would reach, and each dash is capped as the pen
// would cap it: with a disc on wide lines, half a width further on one-pixel ones.
void strokeCurve(QPainter &painter, const QPainterPath &path, int lineWidth,
                 const QList<qreal> &lineDashes, const QColor &color)
{
    const qreal scale = deviceScaleOf(painter);
    const qreal width = std::max(1, lineWidth) * scale;
    // Aliased, a disc three pixels across covers its square: such dashes get square ends.
    const bool round =
        lineWidth > 1 && (lineWidth > 3 || painter.testRenderHint(QPainter::Antialiasing));
    if (!(width > 0))
        return; // a device that shows nothing (and dashes that would never end)
    const qreal half = width / 2;
    QList<qreal> dashes = lineDashes;
    for (qreal &d : dashes)
        d *= width;
    const QList<QPolygonF> polylines = path.toSubpathPolygons(painter.transform());
    painter.save();
    painter.resetTransform();
    QList<QLineF> pieces;
    QList<QPointF> caps;
    for (const QPolygonF &points : polylines) {
        qsizetype dash = 0;
        qreal left = dashes.isEmpty() ? std::numeric_limits<qreal>::infinity() : dashes[0];
        bool startsDash = true;
        qreal reachBack = 0; // the reach of the segment before, past this one's start
        for (qsizetype j = 0; j + 1 < points.size(); ++j) {
            const QLineF segment(points[j], points[j + 1]);
            const qreal length = segment.length();
            if (length <= 0)
                continue;
            const QPointF unit = (segment.p2() - segment.p1()) / length;
            // How far this segment reaches past its end to meet the next one's outer edge:
            // half the width times the tangent of half the turn, at most half the width.
            qreal reach = 0;
            if (j + 2 < points.size()) {
                const QPointF next = points[j + 2] - points[j + 1];
                const qreal nextLength = std::hypot(next.x(), next.y());
                if (nextLength > 0) {
                    const QPointF v = next / nextLength;
                    const qreal cosine = unit.x() * v.x() + unit.y() * v.y();
                    const qreal sine = std::abs(unit.x() * v.y() - unit.y() * v.x());
                    reach = cosine > 0 ? std::min(half, half * sine / (1 + cosine)) : half;
                    if (cosine <= 0 && round)
                        caps << points[j + 1];
                }
            }
            qreal at = 0;
            while (at < length) {
                const qreal step = std::min(left, length - at);
                if (dash % 2 == 0) {
                    qreal from = at;
                    qreal to = at + step;
                    if (startsDash) {
                        if (round)
                            caps << segment.p1() + unit * from;
                        else
                            from -= half;
                        startsDash = false;
                    } else if (at == 0) {
                        from -= reachBack;
                    }
                    // One pixel more, so that the smoothed edges of the two pieces do not
                    // leave a faint seam between them.
                    if (to >= length && j + 2 < points.size())
                        to += reach + 1;
                    pieces << QLineF(segment.p1() + unit * from, segment.p1() + unit * to);
                }
                at += step;
                left -= step;
                reachBack = reach;
                if (left <= 0) {
                    const QPointF end = segment.p1() + unit * at;
                    if (dash % 2 == 0) {
                        if (round)
                            caps << end;
                        else
                            pieces.last().setP2(end + unit * half);
                    }
                    dash = (dash + 1) % dashes.size();
                    left = dashes[dash];
                    startsDash = dash % 2 == 0;
                }
            }
        }
        // The last dash ends with the curve.
        if (!startsDash && round)
            caps << points.last();
        else if (!startsDash && !pieces.isEmpty() && pieces.last().length() > 0)
            pieces.last().setLength(pieces.last().length() + half);
    }
    QPen flat(color, width);
    flat.setCapStyle(Qt::FlatCap);
    painter.setPen(flat);
    painter.drawLines(pieces);
    if (painter.testRenderHint(QPainter::Antialiasing)) {
        for (const QPointF &cap : caps)
            drawDisc(painter, cap, half, color);
    } else if (!caps.isEmpty()) {
        // Small aliased discs are quicker filled together, as one figure.
        QPainterPath discs;
        for (const QPointF &cap : caps)
            discs.addEllipse(cap, half, half);
        painter.fillPath(discs, color);
    }
    painter.restore();
}

} // namespace

void Surface::strokeLine(QPainter &painter, QPointF from, QPointF to, const Drawing &d)
{
    if (d.lineWidth > 1 && !d.inverted && penStyleOf(d.lineStyle) != Qt::NoPen) {
        roundCappedLine(painter, from, to, d.lineWidth, dashesOf(d.lineStyle, d.dashes), d.color);
        return;
    }
    painter.setPen(scaledPen(d.color, d.lineWidth, d.lineStyle, d.dashes));
    if (from == to)
        painter.drawPoint(from);
    else
        painter.drawLine(from, to);
}

void Surface::replay(QPainter &painter, const Drawing &d, qreal deviceScale)
{
    painter.save();
    if (d.inverted) {
        // Aliased like the record, so that drawing the band twice restores every pixel.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    }
    // The image draws a line through the middle of the pixels it names: at a larger scale it
    // runs through the middle of the block that pixel became.
    const QPointF middle(0.5, 0.5);
    switch (d.kind) {
    case Drawing::Line:
        strokeLine(painter, QPointF(d.points[0]) + middle, QPointF(d.points[1]) + middle, d);
        break;
    case Drawing::Path:
        if (!d.inverted && penStyleOf(d.lineStyle) != Qt::NoPen) {
            strokeCurve(painter, d.path.translated(middle), d.lineWidth,
                        dashesOf(d.lineStyle, d.dashes), d.color);
            break;
        }
        painter.setPen(scaledPen(d.color, d.lineWidth, d.lineStyle, d.dashes));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(d.path.translated(middle));
        break;
    case Drawing::Box:
        painter.setPen(scaledPen(d.color, d.lineWidth, d.lineStyle, d.dashes));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(QPointF(d.area.topLeft()) + middle,
                                QSizeF(d.area.width() - 1, d.area.height() - 1)));
        break;
    case Drawing::FillBox:
        painter.setPen(Qt::NoPen);
        painter.setBrush(d.color);
        painter.drawRect(QRectF(d.area));
        break;
    case Drawing::Circle: {
        const QPointF centre = QPointF(d.points[0]) + middle;
        const qreal halfWidth = std::max(1, d.lineWidth) / 2.0;
        if (d.lineStyle == 0 && d.color.alpha() == 255 && d.fill.alpha() == 255
            && d.radius > halfWidth) {
            // The same figure as a filled and outlined circle: two discs, drawn much faster.
            drawDisc(painter, centre, d.radius + halfWidth, d.color);
            drawDisc(painter, centre, d.radius - halfWidth, d.fill);
            break;
        }
        painter.setPen(scaledPen(d.color, d.lineWidth, d.lineStyle, d.dashes));
        painter.setBrush(d.fill);
        painter.drawEllipse(centre, d.radius, d.radius);
        break;
    }
    case Drawing::Polygon: {
        const QPolygonF corners = QPolygonF(d.points).translated(middle);
        painter.setPen(Qt::NoPen);
        painter.setBrush(d.fill);
        painter.drawPolygon(corners);
        // Edge by edge, as the image draws it.
        for (qsizetype i = 0; i < corners.size(); ++i)
            strokeLine(painter, corners[i], corners[(i + 1) % corners.size()], d);
        break;
    }
    case Drawing::Text: {
        // The same size in image pixels on any device, and smooth: the image's letters are
        // aliased only so that their pixels are exact.
        QFont font = d.font;
        font.setStyleStrategy(QFont::PreferDefault);
        const int dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
        if (font.pointSizeF() > 0 && dpi > 0)
            font.setPointSizeF(font.pointSizeF() * 96.0 / dpi);
        painter.setFont(font);
        painter.setPen(d.color);
        painter.drawText(d.baseline, d.text);
        break;
    }
    case Drawing::Picture: {
        const QImage &source = pictureForScale(d.picture, d.companions, deviceScale);
        const qreal density = qreal(source.width()) / d.picture.width();
        painter.drawImage(QRectF(d.area), withWhiteTransparent(source),
                          QRectF(0, 0, d.area.width() * density, d.area.height() * density));
        break;
    }
    }
    painter.restore();
}

namespace {

// The scale a picture is chosen for.
qreal pictureScale(const QPainter &painter, Surface::PictureChoice choice)
{
    constexpr qreal kDensest = 4;
    const qreal scale = deviceScaleOf(painter);
    return choice == Surface::PictureChoice::Densest ? std::max(scale, kDensest) : scale;
}

} // namespace

void Surface::renderField(QPainter &painter, PictureChoice choice) const
{
    if (m_picture.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(m_picture.size())),
                      pictureForScale(m_picture, m_companions, pictureScale(painter, choice)));
    painter.restore();
}

void Surface::renderDrawings(QPainter &painter, qsizetype from, qsizetype to,
                             bool withInverted, PictureChoice choice) const
{
    const qreal scale = pictureScale(painter, choice);
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                           | QPainter::SmoothPixmapTransform);
    for (qsizetype i = std::max<qsizetype>(0, from); i < std::min(to, drawingCount()); ++i) {
        const Drawing &d = m_drawings[size_t(i)];
        if (withInverted || !d.inverted)
            replay(painter, d, scale);
    }
    painter.restore();
}

void Surface::render(QPainter &painter, const QRectF &target, PictureChoice choice) const
{
    if (m_image.isNull() || target.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / width(), target.height() / height());
    renderField(painter, choice);
    renderDrawings(painter, 0, drawingCount(), false, choice);
    painter.restore();
}

QImage Surface::scaledImage(qreal scale) const
{
    if (scale == 1.0 || m_image.isNull())
        return m_image;
    QImage image(qRound(width() * scale), qRound(height() * scale), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kDotsPerMeter * scale));
    image.setDotsPerMeterY(qRound(kDotsPerMeter * scale));
    image.fill(Qt::black);
    QPainter painter(&image);
    render(painter, QRectF(image.rect()));
    painter.end();
    return image;
}

Qt::PenStyle penStyleOf(int lineStyle)
{
    switch (lineStyle) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

} // namespace kinetra
