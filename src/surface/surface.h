#pragma once

#include "surface/picturecompanions.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QPainterPath>
#include <QPointF>

#include <optional>
#include <span>
#include <vector>

class QFontMetrics;
class QPainter;

namespace kinetra {

/// The pen of a line style: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none;
/// anything else solid. The surface and the printed legend draw with it.
Qt::PenStyle penStyleOf(int lineStyle);

/// The play surface: an RGB32 image holding the field picture plus everything drawn on it
/// since the last clear, and the drawing state of a picture box (fore and fill colour, line
/// width and style, draw mode, text position, font). All drawing is aliased, so every pixel
/// is exact and the invert mode undoes itself. Coordinates are image pixels, origin top-left.
///
/// The image is the record at the field's own size. Every drawing is also kept, in image
/// pixels, until the next wipe, so that the surface can be drawn again at any other scale
/// (a zoomed view, a high-density screen, a printer, a larger export) at the device's own
/// resolution: smooth circles, lines and letters, and the densest field picture there is.
class Surface : public QObject
{
    Q_OBJECT

public:
    enum class DrawMode { Copy, Invert };

    explicit Surface(QObject *parent = nullptr);
    ~Surface() override;

    /// Makes picture the field: the surface takes its size and shows it bare. A null picture
    /// changes nothing. companions are its denser versions, for drawing at other scales.
    void setPicture(const QImage &picture, const PictureCompanions &companions = {});
    const PictureCompanions &companions() const { return m_companions; }
    /// The bare field picture (RGB32).
    const QImage &picture() const { return m_picture; }
    /// Wipes everything drawn: the image becomes the bare field picture again.
    void clear();

    /// The image as shown: field plus drawing.
    const QImage &image() const { return m_image; }
    /// Direct write access to the image's pixels; call markChanged() when done.
    QImage &pixels() { return m_image; }
    /// Announces that the image changed (after direct pixel writes).
    void markChanged() { emit changed(); }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    QSize size() const { return m_image.size(); }
    /// Colour of one pixel with alpha 255; black outside the image.
    QRgb pixel(int x, int y) const;

    /// Drawing state.
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor &color) { m_foreColor = color; }
    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor &color) { m_fillColor = color; }
    int lineWidth() const { return m_lineWidth; }
    /// Line width in pixels; values below 1 draw 1 pixel wide.
    void setLineWidth(int width) { m_lineWidth = width; }
    int lineStyle() const { return m_lineStyle; }
    /// 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 transparent; others solid.
    void setLineStyle(int style) { m_lineStyle = style; }
    /// The dashes of the dashed styles (1 to 4) instead of the style's own: on, off, on, off
    /// ... in line widths, each dash capped as the line's width caps it; empty for the style's.
    /// A pattern of odd length, with a negative length, or shorter than a width in all (it
    /// would hardly move along the line) is not taken.
    QList<qreal> dashPattern() const { return m_dashes; }
    void setDashPattern(const QList<qreal> &dashes);
    DrawMode drawMode() const { return m_drawMode; }
    /// Copy paints in the given colour; Invert inverts every pixel it touches instead.
    void setDrawMode(DrawMode mode) { m_drawMode = mode; }
    QPointF textPosition() const { return m_textPosition; }
    void setTextPosition(const QPointF &position) { m_textPosition = position; }
    QFont font() const { return m_font; }
    /// The font for print() and the text measures; its glyphs are drawn without smoothing.
    void setFont(const QFont &font);

    /// Straight line including both end points, in the current width and style.
    void line(int x1, int y1, int x2, int y2);
    void line(int x1, int y1, int x2, int y2, const QColor &color);
    /// Open path (straight and curved pieces, in image pixels) in the current width and style,
    /// its dashes running along it.
    void path(const QPainterPath &path, const QColor &color);
    /// Outline of the box with the two corners, in the current width and style.
    void box(int x1, int y1, int x2, int y2);
    void box(int x1, int y1, int x2, int y2, const QColor &color);
    /// The box with the two corners filled solidly with color, both corners included.
    void fillBox(int x1, int y1, int x2, int y2, const QColor &color);
    /// Circle of radius r around (cx, cy) filled with the fill colour, outlined in the current
    /// width and style (in the fore colour unless one is given).
    void circle(int cx, int cy, int r);
    void circle(int cx, int cy, int r, const QColor &outline);
    /// Closed polygon filled with the fill colour and outlined in the fore colour; false when
    /// the surface cannot draw it (no image, fewer than three points).
    bool polygon(std::span<const QPoint> points);
    /// Prints text with its top-left at the text position in the fore colour, then moves the
    /// text position to the start of the next line (x 0, y one line lower).
    void print(const QString &text);
    /// Width and height of text printed in the current font, in pixels.
    int textWidth(const QString &text) const;
    int textHeight(const QString &text) const;

    // Drawing at other scales.
    /// Notes that picture was composited into the image with its top-left pixel at area's
    /// top-left, cut to area's size, pure white see-through; drawn at other scales from the
    /// densest of picture and its companions that fits.
    void notePicture(const QRect &area, const QImage &picture,
                     const PictureCompanions &companions);
    /// How many drawings the surface holds: each drawing call since the last wipe is one.
    qsizetype drawingCount() const;
    /// Goes up with every wipe and every new picture: the drawings counted before are gone.
    quint64 wipeCount() const { return m_wipes; }
    /// Which version of a picture is drawn: the one for the device's resolution, or the
    /// densest there is (on paper, where the same picture in every frame is stored once).
    enum class PictureChoice { ForResolution, Densest };
    /// Draws the bare field on painter, whose transform maps image pixels to its device.
    void renderField(QPainter &painter,
                     PictureChoice choice = PictureChoice::ForResolution) const;
    /// Draws drawings from .. to - 1 on painter, whose transform maps image pixels to its
    /// device. Inverted drawings (the rubber band) are drawn only when withInverted.
    void renderDrawings(QPainter &painter, qsizetype from, qsizetype to, bool withInverted,
                        PictureChoice choice = PictureChoice::ForResolution) const;
    /// Paints the surface as shown, without inverted drawings, into target of painter's
    /// device at the device's resolution. The painter's state is left as it was.
    void render(QPainter &painter, const QRectF &target,
                PictureChoice choice = PictureChoice::ForResolution) const;
    /// The surface as shown, drawn at `scale` times its size (each side rounded); at 1 the
    /// image itself.
    QImage scaledImage(qreal scale) const;

signals:
    /// The image changed: something was drawn, wiped or replaced.
    void changed();
    /// The picture was replaced by one of another size.
    void sizeChanged(QSize size);

private:
    struct Drawing;
    bool begin(QPainter &painter);
    QPen pen(const QColor &color) const;
    QFontMetrics metrics() const;
    void wiped();
    Drawing &record(int kind, const QColor &color);
    static void replay(QPainter &painter, const Drawing &drawing, qreal deviceScale);
    static void strokeLine(QPainter &painter, QPointF from, QPointF to, const Drawing &drawing);

    QImage m_picture;
    PictureCompanions m_companions;
    QImage m_image;
    std::vector<Drawing> m_drawings;
    quint64 m_wipes = 0;
    QColor m_foreColor = Qt::black;
    QColor m_fillColor = Qt::black;
    int m_lineWidth = 1;
    int m_lineStyle = 0;
    QList<qreal> m_dashes;
    DrawMode m_drawMode = DrawMode::Copy;
    QPointF m_textPosition;
    QFont m_font;
};

} // namespace kinetra
