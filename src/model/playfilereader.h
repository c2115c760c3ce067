#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kinetra {

/// Reads play-file items from Windows-1252 bytes, held in memory or pulled piece by piece from
/// a source (a file), so that reading a large play never holds the whole file.
/// Items are separated by commas or line ends; the reader follows the order of items, not the
/// lines. A quoted text runs from its opening quote to the next quote, commas and line breaks
/// included. Blanks around unquoted items, and blank lines, are ignored. Each read consumes one
/// item and the separator after it, also when it then throws, so reading can go on.
/// Failures are RuntimeErrors: 62 Input past end of file when the data ends (or a quote is
/// never closed), 13 Type mismatch for a malformed item, 6 Overflow for a number out of range;
/// a source's own failures pass through.
class PlayFileReader
{
public:
    /// Reads from `bytes`, which must outlive the reader.
    explicit PlayFileReader(std::string_view bytes);

    /// Fills `data` with up to `capacity` bytes and returns how many; 0 at the end of the data.
    using Source = std::function<size_t(char *data, size_t capacity)>;

    /// Reads from `source`, asking it for `pieceSize` bytes at a time.
    explicit PlayFileReader(Source source, size_t pieceSize = 256 * 1024);

    /// Next item as UTF-8 text; an unquoted item is taken as it stands, without its blanks.
    std::string readText();

    /// Next item as UTF-8 text, which must be quoted: an unquoted item (a number where a text
    /// belongs) is a Type mismatch (13).
    std::string readQuotedText();

    /// Next item as a 16-bit integer: any decimal number, rounded half to even.
    int16_t readInt16();

    /// Next item as a 32-bit integer: any decimal number, rounded half to even.
    int32_t readInt32();

    /// Next item as a single-precision number: decimal text with or without a leading zero,
    /// point or exponent (".5", "5.", "1e2", "-0.25E+1"). Values too small for a single
    /// read as 0; values too large are an Overflow.
    float readSingle();

    /// True when only blanks and line ends are left.
    bool atEnd();

    /// True when the next item is a quoted text; reads nothing.
    bool nextIsText();

    /// True when the next item is the quoted text `cp1252`, byte for byte; reads nothing.
    bool nextIsText(std::string_view cp1252);

    /// Everything left, byte for byte as the data holds it, from just after the last item's
    /// separator (a CR LF that ended the item counts whole); the reader is then at the end.
    std::string readRest();

    /// True when the last item read ended its line (or nothing has been read yet).
    bool lineEnded() const { return m_atLineStart; }

    /// Moves to the start of the next line unless the last item ended a line, skipping line
    /// breaks inside quoted texts; used to pick up after a bad item inside a record.
    void skipRestOfLine();

    /// Number of bytes consumed so far.
    size_t position() const { return m_consumed + m_pos; }

private:
    struct Item
    {
        std::string_view text; // valid until the next read
        bool quoted = false;
    };

    Item nextItem();
    bool readWholeNumber(int32_t &value);
    template <typename Number>
    Number readNumber();
    template <typename Stop>
    size_t find(size_t from, Stop stop);
    void consume(size_t separator);
    bool more();

    std::string_view m_bytes; // the data at hand; m_pos indexes it
    size_t m_pos = 0;
    bool m_atLineStart = true;
    bool m_afterCarriageReturn = false; // the last byte consumed was a CR
    Source m_source;          // empty once the data at hand is all there is
    std::string m_buffer;     // holds m_bytes when reading from a source
    size_t m_pieceSize = 0;
    size_t m_consumed = 0;    // bytes dropped from the front of m_buffer
};

} // namespace kinetra
