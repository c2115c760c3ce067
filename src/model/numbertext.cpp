#include "model/numbertext.h"

#include "model/rounding.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace kinetra {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

double leadingNumber(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            s += c;

    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    const size_t start = i;
    size_t digits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0.0;
    std::string number = s.substr(start, i - start);
    bool positiveExponent = true;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            positiveExponent = s[j] == '+';
            exponent += s[j++];
        }
        const size_t expDigits = j;
        while (j < s.size() && isDigit(s[j]))
            exponent += s[j++];
        if (j > expDigits)
            number += exponent;
        else
            positiveExponent = true;
    }

    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range)
        value = positiveExponent ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

int32_t countFromText(std::string_view text)
{
    const double value = leadingNumber(text);
    if (value >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return toInt32(value);
}

} // namespace kinetra
