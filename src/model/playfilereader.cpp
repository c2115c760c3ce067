#include "model/playfilereader.h"

#include "model/cp1252.h"
#include "model/rounding.h"
#include "model/runtimeerror.h"

#include <charconv>

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

bool PlayFileReader::atEnd() const
{
    for (size_t i = m_pos; i < m_bytes.size(); ++i) {
        if (!isBlank(m_bytes[i]) && !isLineEnd(m_bytes[i]))
            return false;
    }
    return true;
}

void PlayFileReader::skipSeparator()
{
    if (m_pos >= m_bytes.size())
        return;
    if (m_bytes[m_pos] == ',') {
        ++m_pos;
    } else if (isLineEnd(m_bytes[m_pos])) {
        if (m_bytes[m_pos] == '\r' && m_pos + 1 < m_bytes.size() && m_bytes[m_pos + 1] == '\n')
            ++m_pos;
        ++m_pos;
        m_atLineStart = true;
    }
}

PlayFileReader::Item PlayFileReader::nextItem()
{
    // Blank lines and blanks before an item are not items.
    while (m_pos < m_bytes.size() && (isBlank(m_bytes[m_pos]) || isLineEnd(m_bytes[m_pos]))) {
        if (isLineEnd(m_bytes[m_pos]))
            m_atLineStart = true;
        ++m_pos;
    }
    if (m_pos >= m_bytes.size())
        throw RuntimeError(ErrorCode::InputPastEndOfFile);
    m_atLineStart = false;

    if (m_bytes[m_pos] != '"') {
        const size_t start = m_pos;
        while (m_pos < m_bytes.size() && m_bytes[m_pos] != ',' && !isLineEnd(m_bytes[m_pos]))
            ++m_pos;
        const std::string_view text = trimmed(m_bytes.substr(start, m_pos - start));
        skipSeparator();
        return {text, false};
    }

    const size_t close = m_bytes.find('"', m_pos + 1);
    if (close == std::string_view::npos) {
        m_pos = m_bytes.size();
        throw RuntimeError(ErrorCode::InputPastEndOfFile);
    }
    const std::string_view text = m_bytes.substr(m_pos + 1, close - m_pos - 1);
    m_pos = close + 1;
    while (m_pos < m_bytes.size() && isBlank(m_bytes[m_pos]))
        ++m_pos;
    if (m_pos < m_bytes.size() && m_bytes[m_pos] != ',' && !isLineEnd(m_bytes[m_pos])) {
        // Something stuck to the closing quote: drop the rest of the item, then refuse it.
        while (m_pos < m_bytes.size() && m_bytes[m_pos] != ',' && !isLineEnd(m_bytes[m_pos]))
            ++m_pos;
        skipSeparator();
        throw RuntimeError(ErrorCode::TypeMismatch);
    }
    skipSeparator();
    return {text, true};
}

std::string_view PlayFileReader::numberText()
{
    const Item item = nextItem();
    if (item.quoted)
        throw RuntimeError(ErrorCode::TypeMismatch);
    return item.text;
}

std::string PlayFileReader::readText()
{
    return cp1252ToUtf8(nextItem().text);
}

int16_t PlayFileReader::readInt16()
{
    return toInt16(parseNumber<double>(numberText()));
}

int32_t PlayFileReader::readInt32()
{
    return toInt32(parseNumber<double>(numberText()));
}

float PlayFileReader::readSingle()
{
    return parseNumber<float>(numberText());
}

void PlayFileReader::skipRestOfLine()
{
    bool inQuote = false;
    while (!m_atLineStart && m_pos < m_bytes.size()) {
        const char c = m_bytes[m_pos];
        if (c == '"')
            inQuote = !inQuote;
        if (!inQuote && isLineEnd(c))
            skipSeparator();
        else
            ++m_pos;
    }
}

} // namespace kinetra
