// SPDX-License-Identifier: MIT
#include "dataset/NumericText.h"

#include "base/TarvexError.h"
#include "support/TestSupport.h"

using numeric::toInt;

TEST(NumericText, AcceptsDecimalAndThreeHexPrefixes) {
    EXPECT_EQ(toInt(QStringLiteral("4096")), 4096);
    EXPECT_EQ(toInt(QStringLiteral("  -17")), -17);
    EXPECT_EQ(toInt(QStringLiteral("+5")), 5);
    EXPECT_EQ(toInt(QStringLiteral("0x01300000")), 0x01300000);
    EXPECT_EQ(toInt(QStringLiteral("0X10")), 16);
    EXPECT_EQ(toInt(QStringLiteral("$ff")), 255);
    EXPECT_EQ(toInt(QStringLiteral("-0x10")), -16);
    EXPECT_EQ(toInt(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(toInt(QStringLiteral("-2147483648")), std::int32_t(-2147483647 - 1));
    // Addresses keep their bit pattern.
    EXPECT_EQ(toInt(QStringLiteral("0xFFFFFFFF")), -1);
}

TEST(NumericText, RejectsWithTheValueInTheMessage) {
    for (const char* bad : {"", " ", "abc", "12a", "0x", "$", "2147483648", "0x100000000", "1 ",
                            "- 1", "0x1G", "1e3"}) {
        try {
            toInt(QString::fromLatin1(bad));
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const TarvexError& e) {
            EXPECT_EQ(
                e.message(),
                QStringLiteral("'%1' is not a valid integer value").arg(QString::fromLatin1(bad)));
        }
    }
}

TEST(NumericText, IniIntegersFallBackToTheDefault) {
    EXPECT_EQ(numeric::iniToInt(QStringLiteral("0x10"), 4096), 16);
    EXPECT_EQ(numeric::iniToInt(QStringLiteral("16"), 4096), 16);
    EXPECT_EQ(numeric::iniToInt(QStringLiteral("abc"), 4096), 4096);
    EXPECT_EQ(numeric::iniToInt(QStringLiteral("0x"), 7), 7);
    EXPECT_EQ(numeric::iniToInt(QStringLiteral("$20"), 7), 32);
    EXPECT_EQ(numeric::iniToInt(QStringLiteral("yes"), 1), 1);
}

TEST(NumericText, CheckedArithmeticRaisesIntegerOverflow) {
    EXPECT_EQ(numeric::add(2147483646, 1), 2147483647);
    EXPECT_EQ(numeric::sub(-2147483647, 1), std::int32_t(-2147483647 - 1));
    EXPECT_THROW(numeric::add(2147483647, 1), TarvexError);
    EXPECT_THROW(numeric::sub(std::int32_t(-2147483647 - 1), 1), TarvexError);
    try {
        numeric::fromSize(std::int64_t(1) << 31);
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Integer overflow"));
    }
}

TEST(NumericText, HexIsUpperCaseAndCutToWidth) {
    EXPECT_EQ(numeric::hex(0x1234ABCD, 8), QStringLiteral("1234ABCD"));
    EXPECT_EQ(numeric::hex(0xFFFFFFFF, 2), QStringLiteral("FF"));
}
