#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kinetra {

/// Formats play-file items into a byte buffer: items of a record are separated by single
/// commas and the record ends with CR LF. The buffer holds Windows-1252 bytes.
class PlayFileWriter
{
public:
    /// Writes UTF-8 text in double quotes, converted to Windows-1252. The format has no escape
    /// for a double quote, so each one is written as a single quote (') and the text reads
    /// back as it was written instead of ending early.
    void writeText(std::string_view utf8);

    /// Writes a 16-bit integer in plain decimal.
    void writeInt16(int16_t value);

    /// Writes a 32-bit integer in plain decimal.
    void writeInt32(int32_t value);

    /// Writes a single-precision value with at most 7 significant digits (see formatSingle).
    void writeSingle(float value);

    /// Writes a single-precision value as formatDecimal gives it: never with an exponent.
    void writeDecimal(float value);

    /// Appends bytes as they are, after the record ended; they are not an item.
    void writeBytes(std::string_view bytes);

    /// Ends the current record with CR LF.
    void endRecord();

    /// The bytes written so far.
    const std::string &bytes() const { return m_bytes; }

    /// Hands over the bytes written so far and starts an empty buffer; the current record
    /// goes on (the next item still gets its comma).
    std::string takeBytes();

    /// Text of a single-precision value: rounded to 7 significant digits, no trailing zeros,
    /// "." as decimal point, no point for whole values, "E+nn" / "E-nn" exponent for very
    /// large or small magnitudes (1E+10). Negative zero, NaN and infinities cannot come from
    /// editing; they are written as 0 so the file always reads back as numbers.
    static std::string formatSingle(float value);

    /// Text of a single-precision value rounded to 7 significant digits as formatSingle, but in
    /// plain decimal whatever the magnitude: 0.00001 rather than 1E-05.
    static std::string formatDecimal(float value);

private:
    void beginItem();

    std::string m_bytes;
    bool m_recordStarted = false;
};

} // namespace kinetra
