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

} // namespace kinetra
