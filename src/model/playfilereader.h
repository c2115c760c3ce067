#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kinetra {

/// Reads play-file items from Windows-1252 bytes held in memory. Items are separated by
/// commas or line ends; the reader follows the order of items, not the lines. A quoted text
/// runs from its opening quote to the next quote, commas and line breaks included. Blanks
/// around unquoted items are ignored. Each read consumes one item and the separator after it,
/// also when it then throws, so reading can go on after a bad item.
/// Failures are RuntimeErrors: 62 Input past end of file when the data ends (or a quote is
/// never closed), 13 Type mismatch for a malformed item, 6 Overflow for a number out of range.
class PlayFileReader
{
public:
    /// Reads from `bytes`, which must outlive the reader.
    explicit PlayFileReader(std::string_view bytes);

    /// Next item as UTF-8 text; an unquoted item is taken as it stands, without its blanks.
    std::string readText();

    /// Next item as a 16-bit integer: any decimal number, rounded half to even.
    int16_t readInt16();

    /// Next item as a 32-bit integer: any decimal number, rounded half to even.
    int32_t readInt32();

    /// Next item as a single-precision number: decimal text with or without a leading zero,
    /// point or exponent (".5", "5.", "1e2", "-0.25E+1"). Values too small for a single
    /// read as 0; values too large are an Overflow.
    float readSingle();

    /// True when only blanks and line ends are left.
    bool atEnd() const;

    /// Moves to the start of the next line unless the last item ended a line, skipping line
    /// breaks inside quoted texts; used to pick up after a bad item inside a record.
    void skipRestOfLine();

    /// Number of bytes consumed so far.
    size_t position() const { return m_pos; }

private:
    struct Item
    {
        std::string_view text;
        bool quoted = false;
    };

    Item nextItem();
    void skipSeparator();
    std::string_view numberText();

    std::string_view m_bytes;
    size_t m_pos = 0;
    bool m_atLineStart = true;
};

} // namespace kinetra
