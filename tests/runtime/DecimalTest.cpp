#include "Decimal.h"
#include "ExactDecimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

TEST(DecimalFromDouble, MatchesAnExactExpansion)
{
    std::mt19937_64 random(20261207);
    std::vector<double> values{0.1, 1e-300, 4.9406564584124654e-324, 1.7976931348623157e308, 12345678901234.25};
    for (int i = 0; i < 2000; ++i)
        values.push_back(std::ldexp(std::uniform_real_distribution<double>(0.5, 1)(random),
                                    std::uniform_int_distribution<int>(-1070, 1020)(random)));
    for (double value : values) {
        const ExactDecimal exact = ExactDecimal::of(value);
        const Decimal decimal = Decimal::fromDouble(value);
        ASSERT_EQ(decimal.digits(), exact.digits) << value;
        ASSERT_EQ(decimal.exponent(), exact.exponent) << value;
        ASSERT_EQ(decimal.toDouble(), value);
    }
}

} // namespace
