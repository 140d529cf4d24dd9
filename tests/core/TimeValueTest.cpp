// Time values: clock forms, long time form and reading of typed times.
#include "core/TimeValue.h"
#include "core/Errors.h"
#include "core/Regional.h"

#include <gtest/gtest.h>

namespace pelagor {
namespace {

class TimeValueTest : public ::testing::Test {
protected:
    void TearDown() override { setRegional(RegionalSettings{}); }
};

TEST_F(TimeValueTest, ClockFormsShowTheTimeOfDay) {
    EXPECT_EQ(formatHHNN(makeTime(8, 30)), "08:30");
    EXPECT_EQ(formatHHNN(makeTime(7, 42, 59, 999)), "07:42");
    EXPECT_EQ(formatHHNN(makeTime(25, 5)), "01:05");                   // past midnight
    EXPECT_EQ(formatHHNN(makeTime(0, 30) - makeTime(0, 45)), "23:45"); // before midnight
    EXPECT_EQ(formatNNSS(makeTime(0, 4, 5)), "04:05");
    EXPECT_EQ(formatNNSS(makeTime(1, 4, 5)), "04:05");
}

TEST_F(TimeValueTest, LongTimeFollowsTheRegionalForm) {
    EXPECT_EQ(formatLongTime(makeTime(8, 30)), "8:30:00");
    RegionalSettings r;
    r.longTimeLeadingZero = true;
    r.timeSeparator = ".";
    setRegional(r);
    EXPECT_EQ(formatLongTime(makeTime(8, 30, 5)), "08.30.05");
    EXPECT_EQ(formatHHNN(makeTime(8, 30)), "08.30");
    EXPECT_EQ(parseTime("8.30.05"), makeTime(8, 30, 5));
    EXPECT_EQ(parseTime("8:30"), makeTime(8, 30)); // ':' is always understood
}

TEST_F(TimeValueTest, ReadsHoursMinutesAndSeconds) {
    const struct {
        const char* text;
        TimeMs value;
    } good[] = {{"8", makeTime(8, 0)},
                {"08:30", makeTime(8, 30)},
                {"0:45", makeTime(0, 45)},
                {"8:30:00", makeTime(8, 30)},
                {"00:4:5", makeTime(0, 4, 5)},
                {" 23:59:59 ", makeTime(23, 59, 59)},
                {"0", 0}};
    for (const auto& c : good)
        EXPECT_EQ(parseTime(c.text), c.value) << c.text;
    for (const char* bad :
         {"", "00::30", "24:00", "00:60", "00:05:60", "8:30:00:00", "a:b", "-1:00", "8h"})
        EXPECT_FALSE(parseTime(bad).has_value()) << bad;
    try {
        parseTimeOrThrow("00::30");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_NE(std::string(e.what()).find("00::30"), std::string::npos);
    }
}

TEST_F(TimeValueTest, LongTimeReadsBackToTheSameValue) {
    for (TimeMs t : {makeTime(0, 0), makeTime(8, 30), makeTime(0, 45), makeTime(23, 59, 59)})
        EXPECT_EQ(parseTime(formatLongTime(t)), t);
}

} // namespace
} // namespace pelagor
