#include <gtest/gtest.h>

#include "document/UnitNames.h"

namespace {

TEST(UnitNames, FiveUnitsAndNothingElse) {
    const char* names[] = {"mm", "cm", "m", "in", "ft"};
    for (int32_t unit = 0; unit < 5; ++unit) {
        EXPECT_EQ(UnitName(unit), names[unit]);
        EXPECT_EQ(AreaUnitName(unit), std::string(names[unit]) + "\xC2\xB2");
    }
    for (int32_t unit : {-1, 5, 1000}) {
        EXPECT_EQ(UnitName(unit), "");
        EXPECT_EQ(AreaUnitName(unit), "");
    }
}

}  // namespace
