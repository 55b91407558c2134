// The one rule from millimetres to twips that the document, the fit measure, the painter and
// the preview share: the nearest integer to mm * 56.7, ties to even, whatever the binary
// product makes of the ties.

#include "doc/Units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

TEST(Units, MillimetresToTwips) {
    const struct {
        double Mm;
        std::int32_t Twips;
    } cases[] = {
        {0, 0},    {1, 57},   {1.9, 108}, {5, 284}, // 283.5: a tie, up to even
        {15, 850},                                  // 850.5: a tie, down to even
        {0.5, 28}, {14, 794}, {-1, -57},  {40, 2268}, {37873.7, 2147439}, {2.5e-9, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(units::MmToTwips(c.Mm), c.Twips) << c.Mm;
    EXPECT_EQ(units::PointsToTwips(0.5), 10);
    for (const double bad : {1e9, -1e9, double(NAN), double(INFINITY)})
        EXPECT_THROW(units::MmToTwips(bad), std::overflow_error) << bad;
}
