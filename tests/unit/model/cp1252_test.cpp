#include "model/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace kinetra {
namespace {

struct CodecCase
{
    const char *utf8;
    const char *bytes;
};

class Cp1252RoundTrip : public ::testing::TestWithParam<CodecCase>
{
};

TEST_P(Cp1252RoundTrip, ConvertsBothWays)
{
    EXPECT_EQ(utf8ToCp1252(GetParam().utf8), GetParam().bytes);
    EXPECT_EQ(cp1252ToUtf8(GetParam().bytes), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(Characters, Cp1252RoundTrip,
                         ::testing::Values(CodecCase{"Bunt, \"D\"\r\n", "Bunt, \"D\"\r\n"},
                                           CodecCase{"\u00e9", "\xe9"},          // é
                                           CodecCase{"\u20ac", "\x80"},          // €
                                           CodecCase{"\u0178", "\x9f"},          // Ÿ
                                           CodecCase{"\u2122\u201c", "\x99\x93"}, // ™ “
                                           CodecCase{"\u00a0\u00ff", "\xa0\xff"},
                                           CodecCase{"\u0081\u009d", "\x81\x9d"}));

struct LossyCase
{
    std::string utf8;
    std::string bytes;
};

class Cp1252Lossy : public ::testing::TestWithParam<LossyCase>
{
};

TEST_P(Cp1252Lossy, WritesQuestionMarks)
{
    EXPECT_EQ(utf8ToCp1252(GetParam().utf8), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, Cp1252Lossy,
    ::testing::Values(LossyCase{"a\u2192b", "a?b"},            // → is not in the code page
                      LossyCase{"\U0001F600", "?"},             // one ? per character
                      LossyCase{"\u0080", "?"},                 // 0x80 is €, not U+0080
                      LossyCase{"a\xff" "b", "a?b"},            // invalid byte
                      LossyCase{"\xc3", "?"},                   // cut-off sequence
                      LossyCase{"\xc0\xaf", "??"},              // overlong '/'
                      LossyCase{"\xed\xa0\x80", "???"},         // surrogate
                      LossyCase{"\xf4\x90\x80\x80", "????"},    // above U+10FFFF
                      LossyCase{"\xc3\xa9\xe2\x82", "\xe9??"})); // é, then a cut-off €

TEST(Cp1252, EveryByteSurvivesReadingAndWriting)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

} // namespace
} // namespace kinetra
