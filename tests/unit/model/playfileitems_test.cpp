#include "model/playfilereader.h"
#include "model/playfilewriter.h"
#include "model/runtimeerror.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace kinetra {
namespace {

int failureCode(const std::function<void()> &read)
{
    try {
        read();
    } catch (const RuntimeError &e) {
        return e.code();
    }
    return 0;
}

TEST(PlayFileWriter, SeparatesItemsByCommasAndEndsRecordsWithCrLf)
{
    PlayFileWriter out;
    out.writeText("a");
    out.writeInt16(-5);
    out.writeInt32(16711680);
    out.writeSingle(1.5f);
    out.endRecord();
    out.writeText("");
    out.endRecord();
    EXPECT_EQ(out.bytes(), "\"a\",-5,16711680,1.5\r\n\"\"\r\n");
}

TEST(PlayFileWriter, KeepsCommasAndLineBreaksInsideQuotes)
{
    PlayFileWriter out;
    out.writeText("one, two\r\nthree");
    EXPECT_EQ(out.bytes(), "\"one, two\r\nthree\"");
}

TEST(PlayFileWriter, WritesDoubleQuotesAsSingleQuotes)
{
    PlayFileWriter out;
    out.writeText("say \"go\" now");
    EXPECT_EQ(out.bytes(), "\"say 'go' now\"");
}

TEST(PlayFileWriter, WritesWindows1252)
{
    PlayFileWriter out;
    out.writeText("\u00e9\u20ac\u2192");
    EXPECT_EQ(out.bytes(), "\"\xe9\x80?\"");
}

TEST(PlayFileWriter, TakeBytesKeepsTheRecordGoing)
{
    PlayFileWriter out;
    out.writeInt16(1);
    EXPECT_EQ(out.takeBytes(), "1");
    out.writeInt16(2);
    EXPECT_EQ(out.bytes(), ",2");
}

struct SingleCase
{
    float value;
    const char *text;
};

class SingleFormat : public ::testing::TestWithParam<SingleCase>
{
};

TEST_P(SingleFormat, HasAtMostSevenSignificantDigits)
{
    EXPECT_EQ(PlayFileWriter::formatSingle(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SingleFormat,
    ::testing::Values(SingleCase{123.25f, "123.25"}, SingleCase{250.0f, "250"},
                      SingleCase{0.1f, "0.1"}, SingleCase{-3.5f, "-3.5"},
                      SingleCase{1234567.9f, "1234568"}, SingleCase{0.0f, "0"},
                      SingleCase{-0.0f, "0"}, SingleCase{32767.0f, "32767"},
                      SingleCase{1.0f / 3.0f, "0.3333333"}, SingleCase{0.0001f, "0.0001"},
                      SingleCase{0.00001f, "1E-05"}, SingleCase{1e10f, "1E+10"},
                      SingleCase{12345678.0f, "1.234568E+07"},
                      SingleCase{std::numeric_limits<float>::quiet_NaN(), "0"},
                      SingleCase{std::numeric_limits<float>::infinity(), "0"},
                      SingleCase{-std::numeric_limits<float>::infinity(), "0"}));

// The line block's numbers: the same seven digits, never an exponent.
class DecimalFormat : public ::testing::TestWithParam<SingleCase>
{
};

TEST_P(DecimalFormat, IsPlainDecimalWithAtMostSevenSignificantDigits)
{
    EXPECT_EQ(PlayFileWriter::formatDecimal(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DecimalFormat,
    ::testing::Values(SingleCase{123.25f, "123.25"}, SingleCase{250.0f, "250"},
                      SingleCase{-3.5f, "-3.5"}, SingleCase{0.0f, "0"}, SingleCase{-0.0f, "0"},
                      SingleCase{32767.0f, "32767"}, SingleCase{-32768.5f, "-32768.5"},
                      SingleCase{1.0f / 3.0f, "0.3333333"}, SingleCase{0.00001f, "0.00001"},
                      SingleCase{-0.000123456789f, "-0.0001234568"},
                      SingleCase{0.000099999999f, "0.0001"}, SingleCase{1e10f, "10000000000"},
                      SingleCase{12345678.0f, "12345680"},
                      SingleCase{std::numeric_limits<float>::quiet_NaN(), "0"}));

struct RoundTripCase
{
    float written;
    float read;
};

class SingleRoundTrip : public ::testing::TestWithParam<RoundTripCase>
{
};

TEST_P(SingleRoundTrip, ReadsBackWhatWasWritten)
{
    PlayFileWriter out;
    out.writeSingle(GetParam().written);
    out.endRecord();
    PlayFileReader in(out.bytes());
    EXPECT_EQ(in.readSingle(), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(Values, SingleRoundTrip,
                         ::testing::Values(RoundTripCase{123.25f, 123.25f},
                                           RoundTripCase{250.0f, 250.0f},
                                           RoundTripCase{0.1f, 0.1f},
                                           RoundTripCase{-3.5f, -3.5f},
                                           RoundTripCase{1234567.9f, 1234568.0f},
                                           RoundTripCase{1e10f, 1e10f},
                                           RoundTripCase{0.00001f, 0.00001f}));

struct NumberCase
{
    const char *text;
    float value;
};

class ReaderNumber : public ::testing::TestWithParam<NumberCase>
{
};

TEST_P(ReaderNumber, AcceptsAnyDecimalForm)
{
    const std::string bytes = std::string(GetParam().text) + ",9";
    PlayFileReader in(bytes);
    EXPECT_EQ(in.readSingle(), GetParam().value);
    EXPECT_EQ(in.readSingle(), 9.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ReaderNumber,
    ::testing::Values(NumberCase{".5", 0.5f}, NumberCase{"5.", 5.0f}, NumberCase{"1e2", 100.0f},
                      NumberCase{"-0.25E+1", -2.5f}, NumberCase{" 7 ", 7.0f},
                      NumberCase{"\t7", 7.0f}, NumberCase{"+5", 5.0f},
                      NumberCase{"-.5", -0.5f}, NumberCase{"007", 7.0f},
                      NumberCase{"1E+10", 1e10f}, NumberCase{"1e-50", 0.0f},
                      NumberCase{"0.00000000000000000000000000000000000000000000000001", 0.0f}));

struct BadCase
{
    const char *text;
    int code;
};

class ReaderBadSingle : public ::testing::TestWithParam<BadCase>
{
};

TEST_P(ReaderBadSingle, RaisesTheFittingError)
{
    const std::string bytes = std::string(GetParam().text) + ",9";
    PlayFileReader in(bytes);
    EXPECT_EQ(failureCode([&] { in.readSingle(); }), GetParam().code);
    // The bad item is consumed; reading goes on with the next one.
    EXPECT_EQ(in.readSingle(), 9.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ReaderBadSingle,
    ::testing::Values(BadCase{"abc", ErrorCode::TypeMismatch},
                      BadCase{"", ErrorCode::TypeMismatch},
                      BadCase{"1e", ErrorCode::TypeMismatch},
                      BadCase{"nan", ErrorCode::TypeMismatch},
                      BadCase{"inf", ErrorCode::TypeMismatch},
                      BadCase{"--1", ErrorCode::TypeMismatch},
                      BadCase{"+-1", ErrorCode::TypeMismatch},
                      BadCase{"1.2.3", ErrorCode::TypeMismatch},
                      BadCase{"0x10", ErrorCode::TypeMismatch},
                      BadCase{"1 2", ErrorCode::TypeMismatch},
                      BadCase{"\"5\"", ErrorCode::TypeMismatch},
                      BadCase{"1e39", ErrorCode::Overflow},
                      BadCase{"-1e400", ErrorCode::Overflow}));

TEST(PlayFileReader, ReadsSixteenBitIntegersHalfToEvenAndRefusesOverflow)
{
    PlayFileReader in("2.5,3.5,-32768,32767,40000,-32769,7");
    EXPECT_EQ(in.readInt16(), 2);
    EXPECT_EQ(in.readInt16(), 4);
    EXPECT_EQ(in.readInt16(), -32768);
    EXPECT_EQ(in.readInt16(), 32767);
    EXPECT_EQ(failureCode([&] { in.readInt16(); }), ErrorCode::Overflow);
    EXPECT_EQ(failureCode([&] { in.readInt16(); }), ErrorCode::Overflow);
    EXPECT_EQ(in.readInt16(), 7);
}

TEST(PlayFileReader, ReadsThirtyTwoBitIntegers)
{
    PlayFileReader in("16711680,-2147483648,2147483648,007, 12e1 ,-0,2.5,-,9");
    EXPECT_EQ(in.readInt32(), 16711680);
    EXPECT_EQ(in.readInt32(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(failureCode([&] { in.readInt32(); }), ErrorCode::Overflow);
    // Whole numbers and decimals read alike, each item once.
    EXPECT_EQ(in.readInt32(), 7);
    EXPECT_EQ(in.readInt32(), 120);
    EXPECT_EQ(in.readInt32(), 0);
    EXPECT_EQ(in.readInt32(), 2);
    EXPECT_EQ(failureCode([&] { in.readInt32(); }), ErrorCode::TypeMismatch);
    EXPECT_EQ(in.readInt32(), 9);
}

TEST(PlayFileReader, SeparatesItemsByCommasOrAnyLineEnd)
{
    PlayFileReader in("1,2\r\n3\n4\r5\r\n\r\n6 , 7\r\n");
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(in.readInt16(), i);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(failureCode([&] { in.readInt16(); }), ErrorCode::InputPastEndOfFile);
}

TEST(PlayFileReader, QuotedTextRunsToTheNextQuote)
{
    PlayFileReader in("\"a,b\r\nc\",\"\", plain text ,\"\xe9\x80\"\r\n");
    EXPECT_EQ(in.readText(), "a,b\r\nc");
    EXPECT_EQ(in.readText(), "");
    EXPECT_EQ(in.readText(), "plain text");
    EXPECT_EQ(in.readText(), "\u00e9\u20ac");
    EXPECT_TRUE(in.atEnd());
}

TEST(PlayFileReader, UnclosedQuoteIsTheEndOfTheData)
{
    PlayFileReader in("\"never closed, 1, 2");
    EXPECT_EQ(failureCode([&] { in.readText(); }), ErrorCode::InputPastEndOfFile);
    EXPECT_TRUE(in.atEnd());
}

TEST(PlayFileReader, TextStuckToAClosingQuoteIsMalformed)
{
    PlayFileReader in("\"ab\"cd,7");
    EXPECT_EQ(failureCode([&] { in.readText(); }), ErrorCode::TypeMismatch);
    EXPECT_EQ(in.readInt16(), 7);
}

TEST(PlayFileReader, SkipRestOfLineResumesAtTheNextLine)
{
    PlayFileReader in("1,2,\"x\r\ny\",3\r\n4\r\n5");
    EXPECT_EQ(in.readInt16(), 1);
    in.skipRestOfLine(); // the line break inside the quotes does not end the line
    EXPECT_EQ(in.readInt16(), 4);
    in.skipRestOfLine(); // 4 ended its line: nothing to skip
    EXPECT_EQ(in.readInt16(), 5);
}

// A source handing out `bytes` from `offset` on, as much as the reader asks for.
PlayFileReader::Source pieces(const std::string &bytes, size_t &offset)
{
    return [&bytes, &offset](char *data, size_t capacity) {
        const size_t n = std::min(capacity, bytes.size() - offset);
        std::copy_n(bytes.data() + offset, n, data);
        offset += n;
        return n;
    };
}

TEST(PlayFileReader, ItemsSplitAcrossPiecesReadWhole)
{
    const std::string bytes = "1234.5,-0.25E+1 ,\"a,\r\nb\" ,16711680\r\nplain\r\n";
    for (size_t piece : {1, 2, 3, 5, 64}) {
        size_t offset = 0;
        PlayFileReader in(pieces(bytes, offset), piece);
        EXPECT_EQ(in.readSingle(), 1234.5f) << piece;
        EXPECT_EQ(in.readSingle(), -2.5f) << piece;
        EXPECT_EQ(in.readText(), "a,\r\nb") << piece;
        EXPECT_EQ(in.readInt32(), 16711680) << piece;
        EXPECT_EQ(in.readText(), "plain") << piece;
        EXPECT_TRUE(in.atEnd()) << piece;
        EXPECT_EQ(in.position(), bytes.size() - 1) << piece; // the final LF is left unread
    }
}

TEST(PlayFileReader, SourceFailurePassesThrough)
{
    PlayFileReader in(
        [](char *, size_t) -> size_t { throw RuntimeError(ErrorCode::DeviceIOError); });
    EXPECT_EQ(failureCode([&] { in.readText(); }), ErrorCode::DeviceIOError);
}

} // namespace
} // namespace kinetra
