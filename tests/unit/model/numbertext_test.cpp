#include "model/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kinetra {
namespace {

struct Typed
{
    const char *text;
    double value;
    int32_t count;
};

class TypedNumbers : public testing::TestWithParam<Typed>
{};

TEST_P(TypedNumbers, ReadTheLeadingNumberAndRoundHalvesToEven)
{
    const Typed t = GetParam();
    EXPECT_EQ(leadingNumber(t.text), t.value) << '"' << t.text << '"';
    EXPECT_EQ(countFromText(t.text), t.count) << '"' << t.text << '"';
}

constexpr int32_t kMost = std::numeric_limits<int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Text, TypedNumbers,
    testing::Values(Typed{"1", 1, 1}, Typed{"2.5", 2.5, 2}, Typed{"3.5", 3.5, 4},
                    Typed{"1e3", 1000, 1000}, Typed{"1D2", 100, 100}, Typed{"1.5E+1", 15, 15},
                    Typed{"25e-1", 2.5, 2}, Typed{"", 0, 0}, Typed{"abc", 0, 0},
                    Typed{"12ab", 12, 12}, Typed{" 1 2\t", 12, 12}, Typed{"- 3", -3, -3},
                    Typed{"+7", 7, 7}, Typed{".5", 0.5, 0}, Typed{"1.", 1, 1},
                    Typed{"1e", 1, 1}, Typed{"1e+", 1, 1}, Typed{"-", 0, 0}, Typed{".", 0, 0},
                    Typed{"1,5", 1, 1}, Typed{"4e9", 4e9, kMost},
                    Typed{"-4e9", -4e9, std::numeric_limits<int32_t>::min()},
                    Typed{"1e999", std::numeric_limits<double>::infinity(), kMost},
                    Typed{"1e-999", 0, 0}));

} // namespace
} // namespace kinetra
