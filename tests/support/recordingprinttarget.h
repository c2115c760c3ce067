#pragma once

#include "output/printtarget.h"

#include <QList>

namespace kinetra {

/// A print target that keeps every page as a list of what was drawn on it, for tests.
/// Text is measured as a printer of the given resolution would measure it.
class RecordingPrintTarget : public PrintTarget
{
public:
    struct Item
    {
        enum Kind { Text, Line, Box, Image, Shape } kind;
        QRect rect;    // text: top-left and measured size; line and box: the two points;
                       // shape: what it covers
        QString text;
        QPen pen;      // shape: the outline
        QImage image;
        QColor fill;   // shape: the fill colour
        QPainterPath shape;
    };
    using Page = QList<Item>;

    /// A page of `page` dots; lines are lineHeight dots high when it is given, otherwise as
    /// the font measures at `dpi` dots an inch.
    explicit RecordingPrintTarget(QSize page = QSize(2400, 3200), int lineHeight = 0,
                                  int dpi = 300);

    void begin() override;
    QSize pageSize() const override { return m_page; }
    int dotsPerInch() const override { return m_dpi; }
    void setDocumentTitle(const QString &title) override { documentTitle = title; }
    void setFont(const QFont &font) override { m_font = font; }
    int textWidth(const QString &text) const override;
    int textHeight(const QString &text) const override;
    void drawText(const QPoint &topLeft, const QString &text) override;
    void drawLine(const QPoint &from, const QPoint &to, const QPen &pen) override;
    void drawBox(const QPoint &corner1, const QPoint &corner2, const QPen &pen) override;
    void drawImage(const QRect &target, const QImage &image) override;
    void drawShape(const QPainterPath &shape, const QPen &outline, const QBrush &fill) override;
    void newPage() override;
    void finish() override;

    QList<Page> pages;
    bool begun = false;
    bool finished = false;
    QString documentTitle;
    QFont font() const { return m_font; }
    /// The pages' texts in order, one list a page.
    QList<QStringList> texts() const;
    /// The pictures drawn on a page, the icon (pictures of 64 x 64 dots) and the legend's marks
    /// (pictures inside a box) left out.
    QList<Item> pictures(int page) const;

private:
    QSize m_page;
    int m_lineHeight;
    int m_dpi;
    QImage m_device; // what text is measured against
    QFont m_font;
};

/// Hands every call on to another target, which outlives it; lets a test keep the pages of
/// a target the program owns and destroys.
class ForwardingPrintTarget : public PrintTarget
{
public:
    explicit ForwardingPrintTarget(PrintTarget &to) : m_to(to) {}
    void begin() override { m_to.begin(); }
    QSize pageSize() const override { return m_to.pageSize(); }
    int dotsPerInch() const override { return m_to.dotsPerInch(); }
    void setDocumentTitle(const QString &title) override { m_to.setDocumentTitle(title); }
    void setFont(const QFont &font) override { m_to.setFont(font); }
    int textWidth(const QString &text) const override { return m_to.textWidth(text); }
    int textHeight(const QString &text) const override { return m_to.textHeight(text); }
    void drawText(const QPoint &p, const QString &text) override { m_to.drawText(p, text); }
    void drawLine(const QPoint &a, const QPoint &b, const QPen &pen) override
    {
        m_to.drawLine(a, b, pen);
    }
    void drawBox(const QPoint &a, const QPoint &b, const QPen &pen) override
    {
        m_to.drawBox(a, b, pen);
    }
    void drawImage(const QRect &r, const QImage &image) override { m_to.drawImage(r, image); }
    void drawSurface(const QRect &r, const Surface &surface) override
    {
        m_to.drawSurface(r, surface);
    }
    void drawShape(const QPainterPath &shape, const QPen &outline, const QBrush &fill) override
    {
        m_to.drawShape(shape, outline, fill);
    }
    void newPage() override { m_to.newPage(); }
    void finish() override { m_to.finish(); }

private:
    PrintTarget &m_to;
};

} // namespace kinetra
