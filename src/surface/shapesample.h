#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

#include <cstdint>

namespace kinetra {

/// The palette's sample of one side's player figure (`shaOPlayer`, `shaDPlayer`): the shape
/// outlined in the border colour and filled with the fill colour, centred in the widget.
/// Shape values are those of the player looks: 1 square, 3 circle; 0 rectangle, 2 oval,
/// 4 rounded rectangle and 5 rounded square are drawn too, anything else shows nothing.
class ShapeSample : public QWidget
{
    Q_OBJECT

public:
    explicit ShapeSample(QWidget *parent = nullptr);

    int16_t shape() const { return m_shape; }
    void setShape(int16_t shape);
    QColor borderColor() const { return m_border; }
    void setBorderColor(const QColor &color);
    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor &color);

    /// The side's figure with label printed in textColor and font across it, as the surface
    /// shows a player of radius 12: the picture dragged from the side's label boxes.
    QPixmap figureWithLabel(const QString &label, const QColor &textColor,
                            const QFont &font) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintShape(QPainter &painter, const QRect &area) const;

    int16_t m_shape = 3;
    QColor m_border = Qt::black;
    QColor m_fill = Qt::white;
};

} // namespace kinetra
