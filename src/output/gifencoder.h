#pragma once

#include <QByteArray>
#include <QImage>

#include <functional>
#include <memory>
#include <vector>

namespace kinetra {

/// Encodes an animated GIF that loops forever, image by image, with giflib. Each image is
/// stored as the smallest rectangle that differs from the image before it (the rest stays on
/// the screen), and is handed to the output as soon as the image after it shows how long it
/// stays, so the encoder holds one image's indices and codes, never the whole file.
///
/// One colour table serves every image, made from the first: its own colours when there are
/// at most 256, else a median cut of them, and in the room left an even spread of colours. A
/// colour the table lacks is always shown as the table's nearest one, so the same colour
/// looks the same in every image and no changed rectangle shows as a patch; except that
/// while the table holds the first image's own colours, a changed rectangle of at most 256
/// colours (of a picture up to 16 MB) brings a table of its own and shows every colour as it
/// is. All images must have the size of the first.
class GifEncoder
{
public:
    /// Receives the GIF file's bytes in order; may throw, and the throw reaches the caller of
    /// addImage or finish.
    using Output = std::function<void(const char *data, qsizetype size)>;

    /// An encoder that keeps the file's bytes until finish() returns them.
    GifEncoder();
    /// An encoder that hands the file's bytes to output as they are made; finish() returns
    /// nothing then.
    explicit GifEncoder(Output output);
    ~GifEncoder();
    GifEncoder(const GifEncoder &) = delete;
    GifEncoder &operator=(const GifEncoder &) = delete;

    /// Adds an image shown for `delayMs` milliseconds (stored in hundredths, at least 1).
    /// An image that shows as the one before only lengthens that one's delay.
    /// Throws RuntimeError (7 out of memory, 380 an image of another size) or what the output
    /// throws.
    void addImage(const QImage &image, int delayMs);

    /// Ends the animation and returns the GIF file's bytes (empty with an output of its own);
    /// the encoder is empty afterwards.
    QByteArray finish();

    /// Images stored so far (neighbours that show alike count once).
    int imageCount() const;

private:
    struct GifState;
    void start(const QImage &first);
    /// The table indices of row y of image; whether the table holds all its colours.
    bool mapRow(const QImage &image, int y, unsigned char *indices);
    void writePending();
    void send(const QByteArray &bytes);

    Output m_output;
    QByteArray m_bytes; ///< the file, without an output of its own
    std::unique_ptr<GifState> m_gif;
    int m_count = 0;
};

} // namespace kinetra
