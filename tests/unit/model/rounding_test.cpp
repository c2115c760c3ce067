#include "model/rounding.h"
#include "model/runtimeerror.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kinetra {
namespace {

struct RoundCase
{
    double value;
    int expected;
};

class Int16Rounding : public testing::TestWithParam<RoundCase>
{
};

TEST_P(Int16Rounding, HalvesGoToEven)
{
    EXPECT_EQ(toInt16(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, Int16Rounding,
                         testing::Values(RoundCase{2.5, 2}, RoundCase{3.5, 4}, RoundCase{-2.5, -2},
                                         RoundCase{-3.5, -4}, RoundCase{0.5, 0}, RoundCase{1.5, 2},
                                         RoundCase{0.4, 0}, RoundCase{0.6, 1},
                                         RoundCase{2.4999, 2}, RoundCase{-0.5, 0},
                                         RoundCase{32767.4, 32767}, RoundCase{-32768.5, -32768},
                                         RoundCase{100.0, 100}));

TEST(Rounding, OutOfRangeIsOverflow)
{
    for (double v : {32767.5, 40000.0, -32768.6, 1e30, std::numeric_limits<double>::infinity(),
                     std::nan("")}) {
        try {
            toInt16(v);
            ADD_FAILURE() << "no overflow for " << v;
        } catch (const RuntimeError &e) {
            EXPECT_EQ(e.code(), ErrorCode::Overflow);
            EXPECT_EQ(e.description(), "Overflow");
        }
    }
    EXPECT_EQ(toInt32(2147483647.4), 2147483647);
    EXPECT_EQ(toInt32(-4.5), -4);
    EXPECT_THROW(toInt32(2147483647.5), RuntimeError);
}

TEST(RuntimeError, CarriesStandardDescriptions)
{
    EXPECT_EQ(RuntimeError(53).description(), "File not found");
    EXPECT_EQ(RuntimeError(62).description(), "Input past end of file");
    EXPECT_EQ(RuntimeError(482).description(), "Printer error");
    EXPECT_EQ(RuntimeError(9).code(), 9);
}

} // namespace
} // namespace kinetra
