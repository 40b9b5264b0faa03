// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu/debug_code.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "shell/vbmath.h"

namespace game {

namespace {

constexpr double kHugeNumber = 1e18;
constexpr size_t kMaxSignificantDigits = 40;  // more can't change a double
constexpr int64_t kExponentLimit = 1'000'000'000;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The position after the character starting at `pos`: a whole UTF-8 sequence
// when one starts there, otherwise a single byte.
size_t nextChar(std::string_view s, size_t pos) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char lead = byte(pos);
    size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
    if (lead >= 0xF5) length = 1;
    if (pos + length > s.size()) return pos + 1;
    for (size_t i = 1; i < length; ++i)
        if ((byte(pos + i) & 0xC0) != 0x80) return pos + 1;
    return pos + length;
}

}  // namespace

double readDecimalNumber(std::string_view text) {
    size_t pos = 0;
    auto peek = [&]() -> char {
        while (pos < text.size() && isBlank(text[pos])) ++pos;
        return pos < text.size() ? text[pos] : '\0';
    };

    bool negative = false;
    if (char c = peek(); c == '+' || c == '-') {
        negative = c == '-';
        ++pos;
    }
    // The value is 0.<significant> x 10^exponent.
    std::string significant;
    int64_t exponent = 0;
    bool anyDigit = false;
    bool inFraction = false;
    for (char c = peek(); isDigit(c) || (c == '.' && !inFraction); c = peek()) {
        ++pos;
        if (c == '.') {
            inFraction = true;
            continue;
        }
        anyDigit = true;
        if (significant.empty() && c == '0') {
            if (inFraction) --exponent;
            continue;
        }
        if (significant.size() < kMaxSignificantDigits) significant += c;
        if (!inFraction) ++exponent;
    }
    if (!anyDigit || significant.empty()) return 0.0;

    if (char c = peek(); c == 'e' || c == 'E') {
        ++pos;
        bool negativeExponent = false;
        if (char s = peek(); s == '+' || s == '-') {
            negativeExponent = s == '-';
            ++pos;
        }
        int64_t written = 0;
        for (char d = peek(); isDigit(d); d = peek()) {
            ++pos;
            written = std::min<int64_t>(written * 10 + (d - '0'), kExponentLimit);
        }
        // An exponent without digits isn't one; the number ends before the e.
        exponent += negativeExponent ? -written : written;
    }

    if (exponent > 19) return negative ? -kHugeNumber : kHugeNumber;
    if (exponent < -400) return 0.0;  // below the smallest double
    std::string normal = "0." + significant + "e" + std::to_string(exponent);
    double value = 0;
    if (std::from_chars(normal.data(), normal.data() + normal.size(), value).ec != std::errc{})
        value = 0;  // underflow: nothing else can fail on this text
    if (value > kHugeNumber) value = kHugeNumber;
    return negative ? -value : value;
}

std::optional<DebugCode> parseDebugCode(std::string_view code) {
    if (code.empty()) return std::nullopt;
    size_t afterLetter = nextChar(code, 0);
    if (afterLetter >= code.size()) return std::nullopt;
    size_t afterSeparator = nextChar(code, afterLetter);
    DebugCode parsed;
    parsed.letter = afterLetter == 1 ? code[0] : 0;
    parsed.number = roundHalfEven(readDecimalNumber(code.substr(afterSeparator)));
    return parsed;
}

}  // namespace game
