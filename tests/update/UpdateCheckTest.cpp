#include "update/UpdateCheck.h"

#include <gtest/gtest.h>

TEST(UpdateCheck, ReadsVersionsWithTheLocaleSeparatorInSinglePrecision) {
    struct Case {
        const char* text;
        const char* separator;
        float expected;
    } cases[] = {
        {"1.010000001", ".", AppVersion}, // rounds to the same single-precision value
        {"  +1.5E1  ", ".", 15.0f},
        {"-2e-1", ".", -0.2f},
        {"1.", ".", 1.0f},
        {"1,02", ",", 1.02f},
        {"1,02", ".", 0},
        {"1.02", ",", 0},
        {"1e39", ".", 0},
        {".5", ".", 0},
        {"1e", ".", 0},
        {"1.0 beta", ".", 0},
        {"0x1p3", ".", 0},
        {"1\xC2\xA0"
         "5",
         "\xC2\xA0", 1.5f},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.text);
        EXPECT_EQ(ParseVersionNumber(test.text, test.separator), test.expected);
    }
}

TEST(UpdateCheck, WritesTheVersionForTheUpdaterWith15Digits) {
    EXPECT_EQ(VersionText(AppVersion, "."), "1.00999999046326");
    EXPECT_EQ(VersionText(AppVersion, ","), "1,00999999046326");
    EXPECT_EQ(VersionText(2.0f, ","), "2");
}
