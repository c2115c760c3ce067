#pragma once

#include <QColor>
#include <QFont>
#include <QImage>

#include <string>

namespace kinetra {

class FrameList;

/// The band an animated picture of a play shows its frames' captions on: under the field, as
/// wide as the picture, white text centred on a dark band, so it reads whatever the field
/// shows and never hides the plate. One band serves every image of the play: it is high
/// enough for the longest caption (one to three lines; a caption that needs more is cut at
/// the third), so the images keep one size. Text is drawn without smoothing, in two colours a
/// GIF holds exactly.
class CaptionBand
{
public:
    /// Text 14 pixels high at scale 1 (about 10.5 points on a screen), `scale` times that
    /// larger; `family` is the font family.
    static constexpr int kTextPixels = 14;
    static constexpr int kMostLines = 3;
    static inline const QColor kBand{24, 24, 24};
    static inline const QColor kText{255, 255, 255};

    /// A band under pictures `width` pixels wide of the captions of `frames`.
    CaptionBand(const FrameList &frames, int width, int scale, const QString &family);

    int height() const { return m_height; }
    /// `picture` (`width` wide) with the band under it showing `caption` (UTF-8).
    QImage under(const QImage &picture, const std::string &caption) const;

private:
    /// How many lines `caption` takes in the band's width.
    int linesOf(const QString &caption) const;

    QFont m_font;
    int m_width = 0;
    int m_margin = 0;
    int m_height = 0;
};

} // namespace kinetra
