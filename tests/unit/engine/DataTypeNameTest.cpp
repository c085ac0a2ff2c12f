#include <gtest/gtest.h>

#include "engine/DataTypeName.h"

TEST(DataTypeName, NamesEveryNumberOfTheTableAndNothingElse) {
    EXPECT_EQ(DataTypeName(202).value(), QStringLiteral("adVarWChar"));
    EXPECT_EQ(lowerDataTypeName(202), QStringLiteral("advarwchar"));
    EXPECT_EQ(DataTypeName(205).value(), QStringLiteral("adLongVarBinary"));
    EXPECT_EQ(DataTypeName(0).value(), QStringLiteral("adEmpty"));
    EXPECT_EQ(DataTypeName(139).value(), QStringLiteral("adVarNumeric"));
    for (int unnamed : {1, 15, 137, 8192, -1, 206, 22})
        EXPECT_FALSE(DataTypeName(static_cast<std::int16_t>(unnamed)).has_value()) << unnamed;
    EXPECT_EQ(lowerDataTypeName(137), QString());
    int named = 0;
    for (int n = -32768; n <= 32767; ++n)
        if (DataTypeName(static_cast<std::int16_t>(n))) ++named;
    EXPECT_EQ(named, 39);
}
