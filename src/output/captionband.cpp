#include "output/captionband.h"

#include "model/framelist.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace kinetra {

namespace {

constexpr int kFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

} // namespace

CaptionBand::CaptionBand(const FrameList &frames, int width, int scale, const QString &family)
    : m_width(width)
    , m_margin(4 * scale)
{
    m_font.setFamily(family);
    m_font.setPixelSize(kTextPixels * scale);
    m_font.setStyleStrategy(QFont::NoAntialias);
    int lines = 1;
    for (const PlayConfig &frame : frames.frames())
        lines = std::max(lines, linesOf(QString::fromStdString(frame.Caption)));
    lines = std::min(lines, kMostLines);
    m_height = lines * QFontMetrics(m_font).lineSpacing() + 2 * m_margin;
}

int CaptionBand::linesOf(const QString &caption) const
{
    if (caption.isEmpty())
        return 0;
    const QFontMetrics metrics(m_font);
    const QRect room(0, 0, std::max(1, m_width - 2 * m_margin), 1 << 20);
    const int high = metrics.boundingRect(room, kFlags, caption).height();
    return (high + metrics.lineSpacing() - 1) / metrics.lineSpacing();
}

QImage CaptionBand::under(const QImage &picture, const std::string &caption) const
{
    QImage out(picture.width(), picture.height() + m_height, QImage::Format_RGB32);
    QPainter painter(&out);
    painter.drawImage(0, 0, picture);
    const QRect band(0, picture.height(), picture.width(), m_height);
    painter.fillRect(band, kBand);
    painter.setFont(m_font);
    painter.setPen(kText);
    painter.setClipRect(band);
    painter.drawText(band.adjusted(m_margin, m_margin, -m_margin, -m_margin), kFlags,
                     QString::fromStdString(caption));
    return out;
}

} // namespace kinetra
