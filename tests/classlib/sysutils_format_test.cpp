#include "classlib/sysutils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace classlib {
namespace {

TEST(SysUtilsFormat, IntegersStringsAndPercent) {
    EXPECT_EQ(Format("%d", {42}), "42");
    EXPECT_EQ(Format("[%3d]", {7}), "[  7]");
    EXPECT_EQ(Format("[%-3d]", {7}), "[7  ]");
    EXPECT_EQ(Format("%.3d", {-7}), "-007");
    EXPECT_EQ(Format("%d", {std::numeric_limits<long long>::min()}), "-9223372036854775808");
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
    EXPECT_EQ(Format("%x", {255}), "FF");
    EXPECT_EQ(Format("%.4x", {255}), "00FF");
    EXPECT_EQ(Format("%x", {-1}), "FFFFFFFF");
    EXPECT_EQ(Format("%s さん", {"ぽらり"}), "ぽらり さん");
    EXPECT_EQ(Format("%s", {std::string("abc")}), "abc");
    EXPECT_EQ(Format("%.2s", {"abc"}), "ab");
    EXPECT_EQ(Format("100%%", {}), "100%");
    EXPECT_EQ(Format("%*d|%-*s|", {4, 5, 3, "a"}), "   5|a  |");
    EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b"}), "b a b");
    // Widths count code page 932 bytes: a full-width character is two.
    EXPECT_EQ(Format("[%6s]", {"日本"}), "[  日本]");
    EXPECT_EQ(Format("[%.3s]", {"日本"}), "[日]");
}

TEST(SysUtilsFormat, FloatingPoint) {
    EXPECT_EQ(Format("%.2f", {3.14159}), "3.14");
    EXPECT_EQ(Format("%.2f", {2.345}), "2.35");
    EXPECT_EQ(Format("%.2f", {-0.125}), "-0.13");
    EXPECT_EQ(Format("%.2f", {-0.001}), "0.00");
    EXPECT_EQ(Format("%f", {1.0}), "1.00");
    EXPECT_EQ(Format("%.0f", {2.5}), "3");
    EXPECT_EQ(Format("%n", {1234567.891}), "1,234,567.89");
    EXPECT_EQ(Format("%m", {1234.0}), "¥1,234");
    EXPECT_EQ(Format("%m", {-5.0}), "-¥5");
    EXPECT_EQ(Format("%g", {1.5}), "1.5");
    EXPECT_EQ(Format("%e", {1234.5}), "1.23450000000000E+003");
    EXPECT_EQ(Format("%.3e", {0.000123}), "1.23E-004");
    EXPECT_EQ(Format("%8.1f|", {2.25}), "     2.3|");
}

TEST(SysUtilsFormat, MismatchesRaiseConvertError) {
    EXPECT_THROW(Format("%d", {"text"}), EConvertError);
    EXPECT_THROW(Format("%s", {5}), EConvertError);
    EXPECT_THROW(Format("%f", {5}), EConvertError);
    EXPECT_THROW(Format("%d %d", {5}), EConvertError);
    EXPECT_THROW(Format("%", {5}), EConvertError);
    EXPECT_THROW(Format("%q", {5}), EConvertError);
    try {
        Format("%d", {});
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "書式 '%d' に対する引数がありません");
    }
}

TEST(SysUtilsFormat, FormatFloatPatterns) {
    EXPECT_EQ(FormatFloat("#,##0", 0), "0");
    EXPECT_EQ(FormatFloat("#,##0", 1), "1");
    EXPECT_EQ(FormatFloat("#,##0", 8), "8");
    EXPECT_EQ(FormatFloat("#,##0", 1234), "1,234");
    EXPECT_EQ(FormatFloat("#,##0", 90000000), "90,000,000");
    EXPECT_EQ(FormatFloat("#,##0", -1234567), "-1,234,567");
    EXPECT_EQ(FormatFloat("#,##0", 999.5), "1,000");
    EXPECT_EQ(FormatFloat("0.00", 0.125), "0.13");
    EXPECT_EQ(FormatFloat("0.00", 1.005), "1.01");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(FormatFloat("0.0#", 2.0), "2.0");
    EXPECT_EQ(FormatFloat("0.0#", 2.456), "2.46");
    EXPECT_EQ(FormatFloat("000", 7), "007");
    EXPECT_EQ(FormatFloat("#", 0), "");
    EXPECT_EQ(FormatFloat("0.00E+00", 12345), "1.23E+04");
    EXPECT_EQ(FormatFloat("0.0E-0", 0.00012), "1.2E-4");
    EXPECT_EQ(FormatFloat("'文字数 = '#,##0", 1234), "文字数 = 1,234");
    EXPECT_EQ(FormatFloat("#,##0\" 件\"", 12), "12 件");
    EXPECT_EQ(FormatFloat("#,##0;(#,##0);ゼロ", -5), "(5)");
    EXPECT_EQ(FormatFloat("#,##0;(#,##0);ゼロ", 0), "ゼロ");
    EXPECT_EQ(FormatFloat("#,##0;;ゼロ", -5), "-5");
    EXPECT_EQ(FormatFloat("", 1.5), "1.5");
}

TEST(SysUtilsFormat, FloatToStrAndBack) {
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(1.5), "1.5");
    EXPECT_EQ(FloatToStr(-123.456), "-123.456");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    EXPECT_EQ(FloatToStr(0.00001), "0.00001");
    EXPECT_EQ(FloatToStr(0.000001), "1E-6");
    EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
    EXPECT_DOUBLE_EQ(StrToFloat(" 2.5 "), 2.5);
    EXPECT_DOUBLE_EQ(StrToFloatDef("x", 7.0), 7.0);
    EXPECT_THROW(StrToFloat("1.2.3"), EConvertError);
}

TEST(SysUtilsFormat, IntegerConversions) {
    EXPECT_EQ(IntToStr(-12), "-12");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0xFFFFD7, 6), "FFFFD7");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");

    EXPECT_EQ(StrToInt("16777175"), 16777175);
    EXPECT_EQ(StrToInt("  -42"), -42);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0xFF"), 255);
    EXPECT_EQ(StrToInt("0XffFFd7"), 0xFFFFD7);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<long long>::max());

    for (const char* bad : {"", " ", "red", "12abc", "1 2", "2147483648", "$", "0x", "$1FFFFFFFF", "--1", "12 "}) {
        EXPECT_EQ(StrToIntDef(bad, -99), -99) << bad;
    }
    try {
        StrToInt("red");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'red' は整数値ではありません");
    }
}

}  // namespace
}  // namespace classlib
