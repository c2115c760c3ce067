#pragma once

#include <QColor>
#include <QWidget>

namespace kinetra {

/// A short horizontal sample line in a colour, width and style: the preview of an action
/// line's look (`TRACERLine`) and the chalk settings (`ChalkLine`), which it also holds.
/// Styles are the surface's: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot.
class LineSample : public QWidget
{
    Q_OBJECT

public:
    explicit LineSample(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    int lineWidth() const { return m_width; }
    /// Width in pixels; values below 1 are taken as 1.
    void setLineWidth(int width);
    int lineStyle() const { return m_style; }
    void setLineStyle(int style);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
    int m_width = 1;
    int m_style = 0;
};

} // namespace kinetra
