#pragma once

#include <QByteArray>
#include <QImage>

#include <memory>

namespace kinetra {

/// Encodes an animated GIF that loops forever, image by image, with giflib. Each image is
/// stored as the smallest rectangle that differs from the image before it (the rest stays on
/// the screen). The colours come from the images themselves: a single global table when the
/// first image has at most 256 colours, a local table for a changed rectangle whose colours
/// the global table lacks, and giflib's median-cut quantiser only for a rectangle of more than
/// 256 colours. All images must have the size of the first.
class GifEncoder
{
public:
    GifEncoder();
    ~GifEncoder();
    GifEncoder(const GifEncoder &) = delete;
    GifEncoder &operator=(const GifEncoder &) = delete;

    /// Adds an image shown for `delayMs` milliseconds (stored in hundredths, at least 1).
    /// An image equal to the one before only lengthens that one's delay.
    /// Throws RuntimeError (7 out of memory, 380 an image of another size).
    void addImage(const QImage &image, int delayMs);

    /// Ends the animation and returns the GIF file's bytes; the encoder is empty afterwards.
    QByteArray finish();

    /// Images stored so far (equal neighbours count once).
    int imageCount() const;

private:
    struct Pending;
    void flushPending();

    std::unique_ptr<Pending> m_pending;
    QByteArray m_bytes;
    struct GifState;
    std::unique_ptr<GifState> m_gif;
    int m_count = 0;
};

} // namespace kinetra
