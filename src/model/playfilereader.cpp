#include "model/playfilereader.h"

#include "model/cp1252.h"
#include "model/rounding.h"
#include "model/runtimeerror.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace kinetra {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// For a number text that from_chars found out of range: true when its magnitude is below
// one (so it underflowed), false when it is huge. Looks only at the position of the first
// non-zero digit and the exponent, which is all an out-of-range value needs.
bool isTinyMagnitude(std::string_view text)
{
    size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
    long long power = 0;
    bool leadFound = false;
    bool afterPoint = false;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        const char c = text[i];
        if (c == '.') {
            afterPoint = true;
        } else if (!leadFound) {
            if (c != '0') {
                leadFound = true;
                power = afterPoint ? power - 1 : 0;
            } else if (afterPoint) {
                --power;
            }
        } else if (!afterPoint) {
            ++power;
        }
    }
    if (i < text.size()) {
        ++i;
        const bool negative = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        long long exponent = 0;
        for (; i < text.size() && exponent < 1'000'000; ++i)
            exponent = exponent * 10 + (text[i] - '0');
        power += negative ? -exponent : exponent;
    }
    return power < 0;
}

template <typename Number>
Number parseNumber(std::string_view text)
{
    if (text.size() > 1 && text[0] == '+' && text[1] != '-')
        text.remove_prefix(1);
    // from_chars also takes "inf" and "nan"; a play file holds only decimal numbers.
    const size_t first = (!text.empty() && text[0] == '-') ? 1 : 0;
    if (first >= text.size() || !(isDigit(text[first]) || text[first] == '.'))
        throw RuntimeError(ErrorCode::TypeMismatch);
    Number value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::invalid_argument || end != text.data() + text.size())
        throw RuntimeError(ErrorCode::TypeMismatch);
    if (ec == std::errc::result_out_of_range) {
        if (isTinyMagnitude(text))
            return Number(0);
        throw RuntimeError(ErrorCode::Overflow);
    }
    return value;
}

} // namespace

PlayFileReader::PlayFileReader(std::string_view bytes)
    : m_bytes(bytes)
{
}

PlayFileReader::PlayFileReader(Source source, size_t pieceSize)
    : m_source(std::move(source))
    , m_pieceSize(pieceSize ? pieceSize : 1)
{
}

bool PlayFileReader::more()
{
    if (!m_source)
        return false;
    // Keep the item being read (from m_pos on); drop what is behind it.
    m_buffer.erase(0, m_pos);
    m_consumed += m_pos;
    m_pos = 0;
    const size_t kept = m_buffer.size();
    m_buffer.resize(kept + m_pieceSize);
    size_t got = 0;
    try {
        got = m_source(m_buffer.data() + kept, m_pieceSize);
    } catch (...) {
        m_buffer.resize(kept);
        m_bytes = m_buffer;
        throw;
    }
    m_buffer.resize(kept + got);
    m_bytes = m_buffer;
    if (got == 0)
        m_source = nullptr;
    return got > 0;
}

template <typename Stop>
size_t PlayFileReader::find(size_t from, Stop stop)
{
    // Offsets count from m_pos, which more() keeps in the buffer, so they survive a refill.
    for (;;) {
        for (; m_pos + from < m_bytes.size(); ++from) {
            if (stop(m_bytes[m_pos + from]))
                return from;
        }
        if (!more())
            return from;
    }
}

void PlayFileReader::consume(size_t separator)
{
    m_pos += separator;
    m_afterCarriageReturn = false;
    if (m_pos < m_bytes.size()) {
        if (isLineEnd(m_bytes[m_pos]))
            m_atLineStart = true;
        m_afterCarriageReturn = m_bytes[m_pos] == '\r';
        ++m_pos;
    }
}

bool PlayFileReader::atEnd()
{
    const size_t next = find(0, [](char c) { return !isBlank(c) && !isLineEnd(c); });
    return m_pos + next >= m_bytes.size(); // after find(), which may have moved m_pos
}

bool PlayFileReader::nextIsText()
{
    const size_t next = find(0, [](char c) { return !isBlank(c) && !isLineEnd(c); });
    return m_pos + next < m_bytes.size() && m_bytes[m_pos + next] == '"';
}

bool PlayFileReader::nextIsText(std::string_view cp1252)
{
    const size_t open = find(0, [](char c) { return !isBlank(c) && !isLineEnd(c); });
    if (m_pos + open >= m_bytes.size() || m_bytes[m_pos + open] != '"')
        return false;
    const size_t close = find(open + 1, [](char c) { return c == '"'; });
    if (m_pos + close >= m_bytes.size()
        || m_bytes.substr(m_pos + open + 1, close - open - 1) != cp1252)
        return false;
    const size_t after = find(close + 1, [](char c) { return !isBlank(c); });
    return m_pos + after >= m_bytes.size() || m_bytes[m_pos + after] == ','
           || isLineEnd(m_bytes[m_pos + after]);
}

std::string PlayFileReader::readRest()
{
    while (more()) {
    }
    if (m_afterCarriageReturn && m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
        ++m_pos;
    std::string rest(m_bytes.substr(std::min(m_pos, m_bytes.size())));
    m_pos = m_bytes.size();
    m_afterCarriageReturn = false;
    return rest;
}

PlayFileReader::Item PlayFileReader::nextItem()
{
    // Blank lines and blanks before an item are not items.
    for (;;) {
        if (m_pos >= m_bytes.size()) {
            if (!more())
                throw RuntimeError(ErrorCode::InputPastEndOfFile);
            continue;
        }
        const char c = m_bytes[m_pos];
        if (!isBlank(c) && !isLineEnd(c))
            break;
        if (isLineEnd(c))
            m_atLineStart = true;
        ++m_pos;
    }
    m_atLineStart = false;
    const auto isSeparator = [](char c) { return c == ',' || isLineEnd(c); };

    if (m_bytes[m_pos] != '"') {
        const size_t end = find(0, isSeparator);
        const Item item{trimmed(m_bytes.substr(m_pos, end)), false};
        consume(end);
        return item;
    }

    const size_t close = find(1, [](char c) { return c == '"'; });
    if (m_pos + close >= m_bytes.size()) {
        m_pos = m_bytes.size();
        throw RuntimeError(ErrorCode::InputPastEndOfFile);
    }
    size_t end = find(close + 1, [](char c) { return !isBlank(c); });
    // Something stuck to the closing quote: drop the rest of the item, then refuse it.
    const bool stuck = m_pos + end < m_bytes.size() && !isSeparator(m_bytes[m_pos + end]);
    if (stuck)
        end = find(end, isSeparator);
    const Item item{m_bytes.substr(m_pos + 1, close - 1), true};
    consume(end);
    if (stuck)
        throw RuntimeError(ErrorCode::TypeMismatch);
    return item;
}

template <typename Number>
Number PlayFileReader::readNumber()
{
    // Fast path for the usual plain number followed by a separator, also the first of a line:
    // from_chars scans the item itself. Anything else (blank lines, quotes, signs, bad or out-of-range text) takes the
    // general path below, which decides.
    const char *data = m_bytes.data();
    const size_t size = m_bytes.size();
    size_t p = m_pos;
    while (p < size && (isBlank(data[p]) || isLineEnd(data[p])))
        ++p;
    if (p < size && (isDigit(data[p]) || data[p] == '.'
                     || (data[p] == '-' && p + 1 < size
                         && (isDigit(data[p + 1]) || data[p + 1] == '.')))) {
        Number value{};
        const auto [end, ec] = std::from_chars(data + p, data + size, value);
        if (ec == std::errc()) {
            size_t q = size_t(end - data);
            while (q < size && isBlank(data[q]))
                ++q;
            // At the end of the data at hand the number may go on in the next piece.
            if (q < size ? data[q] == ',' || isLineEnd(data[q]) : !m_source) {
                m_atLineStart = false;
                m_pos = p;
                consume(q - p);
                return value;
            }
        }
    }

    const Item item = nextItem();
    if (item.quoted)
        throw RuntimeError(ErrorCode::TypeMismatch);
    return parseNumber<Number>(item.text);
}

std::string PlayFileReader::readText()
{
    return cp1252ToUtf8(nextItem().text);
}

std::string PlayFileReader::readQuotedText()
{
    const Item item = nextItem();
    if (!item.quoted)
        throw RuntimeError(ErrorCode::TypeMismatch);
    return cp1252ToUtf8(item.text);
}

bool PlayFileReader::readWholeNumber(int32_t &value)
{
    // A plain whole number followed by a separator reads as itself, without the rounding of
    // a decimal; anything else (a point, an exponent, a number out of range) is left for
    // readNumber.
    const char *data = m_bytes.data();
    const size_t size = m_bytes.size();
    size_t p = m_pos;
    while (p < size && (isBlank(data[p]) || isLineEnd(data[p])))
        ++p;
    if (p >= size || !(isDigit(data[p]) || data[p] == '-'))
        return false;
    const auto [end, ec] = std::from_chars(data + p, data + size, value);
    if (ec != std::errc())
        return false;
    size_t q = size_t(end - data);
    while (q < size && isBlank(data[q]))
        ++q;
    if (!(q < size ? data[q] == ',' || isLineEnd(data[q]) : !m_source))
        return false;
    m_atLineStart = false;
    m_pos = p;
    consume(q - p);
    return true;
}

int16_t PlayFileReader::readInt16()
{
    int32_t value = 0;
    if (readWholeNumber(value))
        return toInt16(double(value));
    return toInt16(readNumber<double>());
}

int32_t PlayFileReader::readInt32()
{
    int32_t value = 0;
    if (readWholeNumber(value))
        return value;
    return toInt32(readNumber<double>());
}

float PlayFileReader::readSingle()
{
    return readNumber<float>();
}

void PlayFileReader::skipRestOfLine()
{
    for (bool inQuote = false; !m_atLineStart;) {
        if (m_pos >= m_bytes.size()) {
            if (!more())
                return;
            continue;
        }
        const char c = m_bytes[m_pos++];
        m_afterCarriageReturn = c == '\r';
        if (c == '"')
            inQuote = !inQuote;
        else if (!inQuote && isLineEnd(c))
            m_atLineStart = true;
    }
}

} // namespace kinetra
