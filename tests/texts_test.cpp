#include <gtest/gtest.h>

#include "platform/texts.h"

TEST(JoinTexts, ConcatenatesWithoutSeparators) {
    struct Case { std::initializer_list<Text> parts; Text joined; };
    const Case cases[] = {
        {{"", "\\MyDrivers"}, "\\MyDrivers"},
        {{"C:", "\\MyDrivers"}, "C:\\MyDrivers"},
        {{"D:\\Tools\\Drv", "\\MyDrivers"}, "D:\\Tools\\Drv\\MyDrivers"},
        {{"a\\", "\\b"}, "a\\\\b"},
        {{"", ""}, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(JoinTexts(c.parts), c.joined);
}

TEST(TextToBytes, KeepsEveryByteAndAddsNothing) {
    const Text withDoubleByte = "D:\\\x81\x5c\\MyDrivers";  // 乗 in code page 936
    EXPECT_EQ(TextToBytes(withDoubleByte).size(), withDoubleByte.size());
    EXPECT_EQ(TextToBytes(withDoubleByte), withDoubleByte);
    EXPECT_TRUE(TextToBytes("").empty());
}
