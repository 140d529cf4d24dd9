// UTF-8 text helpers and the like pattern.
#include "core/Text.h"

#include <gtest/gtest.h>

namespace pelagor {
namespace {

TEST(Text, CutsInCharactersNeverInsideOne) {
    EXPECT_EQ(utf8Length("Dinámica"), 8u);
    EXPECT_EQ(utf8Left("Dinámica", 4), "Diná");
    EXPECT_EQ(utf8Left("ñandú", 1), "ñ");
    EXPECT_EQ(utf8Left("abc", 10), "abc");
    EXPECT_EQ(utf8Left("€uro", 0), "");
}

TEST(Text, UpperCaseTouchesOnlyAToZ) {
    EXPECT_EQ(toUpperAscii("din-ñ"), "DIN-ñ");
    EXPECT_TRUE(equalsIgnoreCaseAscii("Tipos_Apneas", "tipos_apneas"));
    EXPECT_FALSE(equalsIgnoreCaseAscii("STA", "STAT"));
}

TEST(Text, LikeIgnoresCaseAndKnowsItsWildcards) {
    const struct {
        const char* text;
        const char* pattern;
        bool match;
    } cases[] = {{"F", "F", true},     {"f", "F", true},      {"M", "F", false},
                 {"", "%", true},      {"M", "%", true},      {"x", "_", true},
                 {"", "_", false},     {"Ñu", "ñ%", true},    {"ÁGUILA", "águila", true},
                 {"abc", "a%c", true}, {"abc", "a%b", false}, {"aXbXc", "%x%x%", true},
                 {"ab", "a_b", false}};
    for (const auto& c : cases)
        EXPECT_EQ(likeMatch(c.text, c.pattern), c.match) << c.text << " like " << c.pattern;
}

} // namespace
} // namespace pelagor
