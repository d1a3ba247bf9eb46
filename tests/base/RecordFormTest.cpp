#include "base/RecordForm.h"

#include <gtest/gtest.h>

using namespace cantorel;

TEST(RecordForm, WritesTextsNumbersAndBooleans)
{
    EXPECT_EQ(RecordWriter()
                  .text("Lucida Sans Unicode")
                  .boolean(false)
                  .boolean(false)
                  .single(18)
                  .integer(65535)
                  .integer(0)
                  .line(),
              QString("\"Lucida Sans Unicode\",#FALSE#,#FALSE#,18,65535,0"));
    EXPECT_EQ(RecordWriter().number(1234.5).text("x").line(), QString("1234.5,\"x\""));
    EXPECT_EQ(RecordWriter().integer(-7).line(), QString("-7"));
    EXPECT_EQ(RecordWriter().text("").line(), QString("\"\""));
}

TEST(RecordForm, NumbersAreShortestPlainDecimals)
{
    EXPECT_EQ(formatNumber(250), "250");
    EXPECT_EQ(formatNumber(0.7), "0.7");
    EXPECT_EQ(formatNumber(12345 / 10.0), "1234.5");
    EXPECT_EQ(formatNumber(1e21), "1000000000000000000000"); // never an exponent
    EXPECT_EQ(formatNumber(-0.0), "0");
    EXPECT_EQ(formatSingle(10.5f), "10.5");
    EXPECT_EQ(formatSingle(9.75f), "9.75");
    EXPECT_EQ(formatSingle(0.1f), "0.1");
}

TEST(RecordForm, SplitsAtCommasOutsideQuotes)
{
    EXPECT_EQ(parseRecord(u"\"a,b\",12, 7 ,#TRUE#"), (QStringList {"a,b", "12", "7", "#TRUE#"}));
    EXPECT_EQ(parseRecord(u"C:\\x.mp3"), QStringList {"C:\\x.mp3"});
    EXPECT_EQ(parseRecord(u"one,two"), (QStringList {"one", "two"}));
    EXPECT_EQ(parseRecord(u""), QStringList {""});
    EXPECT_EQ(parseRecord(u"\"unterminated, still"), QStringList {"unterminated, still"});
    EXPECT_EQ(parseRecord(u"\"q\"junk,2"), (QStringList {"q", "2"}));
    // A tab before the opening quote is a blank like a space.
    EXPECT_EQ(parseRecord(u"250,\t\"a, b\""), (QStringList {"250", "a, b"}));
    EXPECT_EQ(parseRecord(u"\t \"x\""), QStringList {"x"});
}

TEST(RecordForm, ParsesPlainNumbersOnly)
{
    EXPECT_EQ(parseNumber(u"1234.5"), 1234.5);
    EXPECT_EQ(parseNumber(u".7"), 0.7);
    EXPECT_EQ(parseNumber(u"0.7"), 0.7);
    EXPECT_EQ(parseNumber(u" 250 "), 250.0);
    EXPECT_EQ(parseNumber(u"-3"), -3.0);
    EXPECT_FALSE(parseNumber(u""));
    EXPECT_FALSE(parseNumber(u"."));
    EXPECT_FALSE(parseNumber(u"1e5"));
    EXPECT_FALSE(parseNumber(u"12a"));
    EXPECT_FALSE(parseNumber(u"1.2.3"));
    EXPECT_FALSE(parseNumber(u"nan"));

    EXPECT_EQ(parseInt32(u"-2147483648"), INT32_MIN);
    EXPECT_FALSE(parseInt32(u"2147483648"));
    EXPECT_FALSE(parseInt32(u"1.5"));

    EXPECT_EQ(parseBoolean(u"#TRUE#"), true);
    EXPECT_EQ(parseBoolean(u"#FALSE#"), false);
    EXPECT_FALSE(parseBoolean(u"yes"));
}

TEST(RecordForm, RoundTripsThroughWriterAndParser)
{
    const QString line = RecordWriter().text("Arial, Narrow").boolean(true).single(10.5f).integer(255).line();
    const QStringList f = parseRecord(line);
    ASSERT_EQ(f.size(), 4);
    EXPECT_EQ(f[0], "Arial, Narrow");
    EXPECT_EQ(parseBoolean(f[1]), true);
    EXPECT_EQ(float(*parseNumber(f[2])), 10.5f);
    EXPECT_EQ(parseInt32(f[3]), 255);
}
