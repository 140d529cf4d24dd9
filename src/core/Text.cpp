// UTF-8 text helpers.
#include "core/Text.h"

#include <vector>

namespace pelagor {

namespace {

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Decodes one code point at `pos` and advances it; invalid bytes decode as themselves.
char32_t decode(std::string_view s, std::size_t& pos) {
    auto c = static_cast<unsigned char>(s[pos++]);
    int extra = 0;
    char32_t cp = c;
    if (c >= 0xF0 && c < 0xF8) {
        extra = 3;
        cp = c & 0x07;
    } else if (c >= 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if (c >= 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else {
        return c;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= s.size() || !isContinuation(static_cast<unsigned char>(s[pos]))) return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[pos++]) & 0x3F);
    }
    return cp;
}

void encode(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t lower(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z') return cp + 32;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 32;
    if (cp >= 0x100 && cp <= 0x17F && cp != 0x130 && cp != 0x131 && cp != 0x138 && cp != 0x149 &&
        cp != 0x17F) {
        // Latin Extended-A pairs upper/lower as even/odd, except the 0x139-0x148 and
        // 0x179-0x17E runs, which pair odd/even.
        bool oddUpper = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
        if (oddUpper ? (cp % 2 == 1) : (cp % 2 == 0)) return cp + 1;
    }
    return cp;
}

std::vector<char32_t> foldedCodePoints(std::string_view s) {
    std::vector<char32_t> out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();)
        out.push_back(lower(decode(s, pos)));
    return out;
}

} // namespace

std::size_t utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (unsigned char c : text)
        if (!isContinuation(c)) ++n;
    return n;
}

std::string utf8Left(std::string_view text, std::size_t count) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[i]))) {
            if (chars == count) return std::string(text.substr(0, i));
            ++chars;
        }
    }
    return std::string(text);
}

std::string toUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
}

bool equalsIgnoreCaseAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

std::string foldCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();)
        encode(lower(decode(text, pos)), out);
    return out;
}

bool likeMatch(std::string_view text, std::string_view pattern) {
    const auto t = foldedCodePoints(text);
    const auto p = foldedCodePoints(pattern);
    // Iterative match with backtracking to the last %, linear in practice.
    std::size_t ti = 0, pi = 0, starP = std::string::npos, starT = 0;
    while (ti < t.size()) {
        if (pi < p.size() && (p[pi] == U'_' || (p[pi] != U'%' && p[pi] == t[ti]))) {
            ++ti;
            ++pi;
        } else if (pi < p.size() && p[pi] == U'%') {
            starP = pi++;
            starT = ti;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            ti = ++starT;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == U'%')
        ++pi;
    return pi == p.size();
}

std::string trim(std::string_view text) {
    const char* ws = " \t\r\n";
    auto b = text.find_first_not_of(ws);
    if (b == std::string_view::npos) return {};
    auto e = text.find_last_not_of(ws);
    return std::string(text.substr(b, e - b + 1));
}

} // namespace pelagor
