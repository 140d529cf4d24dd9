// Number texts: the patterns "00" and "00.00", the shortest form, minutes and seconds.
#include "core/NumberFormat.h"
#include "core/Discipline.h"
#include "core/Regional.h"

#include <gtest/gtest.h>

#include <cmath>

namespace pelagor {
namespace {

class WithSeparator : public ::testing::Test {
protected:
    void use(const char* decimal) {
        RegionalSettings r;
        r.decimalSeparator = decimal;
        setRegional(r);
    }
    void TearDown() override { setRegional(RegionalSettings{}); }
};

TEST(NumberFormat, Pattern00RoundsHalvesAwayFromZeroWithTwoDigitsAtLeast) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{0, "00"},    {5, "05"},         {27.5, "28"},  {59.5, "60"},
                 {0.5, "01"},  {2.5, "03"},       {-0.5, "-01"}, {-0.4, "00"},
                 {100, "100"}, {1234.49, "1234"}, {9.4999, "09"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatPattern00(c.value), c.text) << c.value;
}

TEST_F(WithSeparator, Pattern00_00UsesTheRegionalSeparator) {
    const struct {
        double value;
        const char* point;
        const char* comma;
    } cases[] = {
        {75, "75.00", "75,00"},    {5, "05.00", "05,00"},          {150.5, "150.50", "150,50"},
        {62.5, "62.50", "62,50"},  {1234.5, "1234.50", "1234,50"}, {1.005, "01.01", "01,01"},
        {0.125, "00.13", "00,13"}, {99.999, "100.00", "100,00"},   {0, "00.00", "00,00"}};
    for (const auto& c : cases) {
        use(".");
        EXPECT_EQ(formatPattern00_00(c.value), c.point) << c.value;
        use(",");
        EXPECT_EQ(formatPattern00_00(c.value), c.comma) << c.value;
    }
}

TEST_F(WithSeparator, ShortestFormDropsTrailingZeros) {
    use(",");
    const struct {
        double value;
        const char* text;
    } cases[] = {{75, "75"},       {87.5, "87,5"},     {0, "0"},
                 {-3.25, "-3,25"}, {0.1 + 0.2, "0,3"}, {123456789012345.0, "123456789012345"},
                 {1e20, "1E20"},   {100, "100"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatShortest(c.value), c.text) << c.value;
}

TEST(NumberFormat, MinutesAndSecondsOfSeconds) {
    const struct {
        double seconds;
        const char* text;
    } cases[] = {{0, "00:00"},     {5, "00:05"},    {65, "01:05"},   {330, "05:30"},
                 {6000, "100:00"}, {87.5, "01:28"}, {59.5, "00:60"}, {185, "03:05"},
                 {3600, "60:00"},  {125, "02:05"},  {59, "00:59"}};
    for (const auto& c : cases)
        EXPECT_EQ(minSecText(c.seconds), c.text) << c.seconds;
}

TEST(NumberFormat, SegundosAMinSegKeepsTheFraction) {
    double m = 0, s = 0;
    segundosAMinSeg(87.5, m, s);
    EXPECT_EQ(m, 1);
    EXPECT_EQ(s, 27.5);
    segundosAMinSeg(-65, m, s);
    EXPECT_EQ(m, -1);
    EXPECT_EQ(s, -5);
}

TEST_F(WithSeparator, ParsingNumbers) {
    use(",");
    EXPECT_EQ(parseDecimal("87,5"), 87.5);
    EXPECT_EQ(parseDecimal(" 87.5 "), 87.5);
    EXPECT_EQ(parseDecimal("-2"), -2);
    for (const char* bad : {"", "abc", "1,2,3", "12m", "inf", "nan"})
        EXPECT_FALSE(parseDecimal(bad).has_value()) << bad;
    EXPECT_EQ(parseInteger(" 42 "), 42);
    for (const char* bad : {"", "4.5", "x", "1e3"})
        EXPECT_FALSE(parseInteger(bad).has_value()) << bad;
}

TEST(Discipline, TimedTestAndOutcomeCodes) {
    for (const char* timed : {"STA", "sta", "Est", "EST"})
        EXPECT_TRUE(isTimedDiscipline(timed)) << timed;
    for (const char* distance : {"DIN", "CNF", "STA ", "", "ESTA"})
        EXPECT_FALSE(isTimedDiscipline(distance)) << distance;

    EXPECT_EQ(outcomeFromStored(1), Outcome::OK);
    EXPECT_EQ(outcomeFromStored(0), Outcome::BO);
    EXPECT_EQ(outcomeFromStored(std::nullopt), Outcome::BO);
    EXPECT_EQ(outcomeFromStored(-1), Outcome::NP);
    EXPECT_EQ(outcomeFromStored(7), Outcome::NP);
    EXPECT_EQ(outcomeText(Outcome::OK), "OK");
    EXPECT_EQ(outcomeText(Outcome::BO), "BO");
    EXPECT_EQ(outcomeText(Outcome::NP), "NP");
    EXPECT_EQ(outcomeCode(Outcome::NP), -1);
}

} // namespace
} // namespace pelagor
