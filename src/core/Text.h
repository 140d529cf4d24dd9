// UTF-8 text helpers: length and cutting in characters, ASCII upper case, case-insensitive
// comparison and the `like` pattern match used by dataset filters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pelagor {

// Number of characters (code points) of a UTF-8 text.
std::size_t utf8Length(std::string_view text);
// The first `count` characters of a UTF-8 text, never cut inside a character.
std::string utf8Left(std::string_view text, std::size_t count);
// Letters a to z become A to Z; everything else is kept.
std::string toUpperAscii(std::string_view text);
bool equalsIgnoreCaseAscii(std::string_view a, std::string_view b);
// Lower case of a text for comparisons: ASCII and the Latin-1 and Latin Extended-A letters.
std::string foldCase(std::string_view text);
// SQL `like`: % matches any run of characters, _ exactly one; letter case is ignored.
bool likeMatch(std::string_view text, std::string_view pattern);
std::string trim(std::string_view text);

} // namespace pelagor
