#include "model/playfilewriter.h"

#include "model/cp1252.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kinetra {

namespace {

template <typename Int>
void appendInteger(std::string &out, Int value)
{
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

void appendSingle(std::string &out, float value)
{
    if (!std::isfinite(value) || value == 0.0f) {
        out += '0';
        return;
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value,
                                      std::chars_format::general, 7);
    std::replace(text, result.ptr, 'e', 'E');
    out.append(text, result.ptr);
}

void appendDecimal(std::string &out, float value)
{
    if (!std::isfinite(value) || value == 0.0f) {
        out += '0';
        return;
    }
    // The seven significant digits and the exponent, then the point put in its place.
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 6);
    const char *mark = std::find(text, result.ptr, 'e');
    int exponent = 0;
    std::from_chars(mark + (mark[1] == '+' ? 2 : 1), result.ptr, exponent);
    const bool negative = text[0] == '-';
    std::string digits;
    for (const char *p = text + (negative ? 1 : 0); p != mark; ++p)
        if (*p != '.')
            digits += *p;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    if (negative)
        out += '-';
    if (exponent < 0) {
        out += "0.";
        out.append(size_t(-exponent - 1), '0');
        out += digits;
        return;
    }
    const size_t whole = size_t(exponent) + 1;
    if (digits.size() <= whole) {
        out += digits;
        out.append(whole - digits.size(), '0');
    } else {
        out.append(digits, 0, whole);
        out += '.';
        out.append(digits, whole);
    }
}

} // namespace

void PlayFileWriter::beginItem()
{
    if (m_recordStarted)
        m_bytes += ',';
    m_recordStarted = true;
}

void PlayFileWriter::writeText(std::string_view utf8)
{
    beginItem();
    std::string bytes = utf8ToCp1252(utf8);
    std::replace(bytes.begin(), bytes.end(), '"', '\'');
    m_bytes += '"';
    m_bytes += bytes;
    m_bytes += '"';
}

void PlayFileWriter::writeInt16(int16_t value)
{
    beginItem();
    appendInteger(m_bytes, value);
}

void PlayFileWriter::writeInt32(int32_t value)
{
    beginItem();
    appendInteger(m_bytes, value);
}

void PlayFileWriter::writeSingle(float value)
{
    beginItem();
    appendSingle(m_bytes, value);
}

void PlayFileWriter::writeDecimal(float value)
{
    beginItem();
    appendDecimal(m_bytes, value);
}

void PlayFileWriter::writeBytes(std::string_view bytes)
{
    m_bytes += bytes;
}

void PlayFileWriter::endRecord()
{
    m_bytes += "\r\n";
    m_recordStarted = false;
}

std::string PlayFileWriter::takeBytes()
{
    std::string out;
    out.swap(m_bytes);
    return out;
}

std::string PlayFileWriter::formatSingle(float value)
{
    std::string out;
    appendSingle(out, value);
    return out;
}

std::string PlayFileWriter::formatDecimal(float value)
{
    std::string out;
    appendDecimal(out, value);
    return out;
}

} // namespace kinetra
