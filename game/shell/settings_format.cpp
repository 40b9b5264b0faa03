// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/settings_format.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "shell/vbmath.h"
#include "text/cp932.h"

namespace game::settings {

namespace {

constexpr int16_t kConstantLine[] = {0, 0, 1, 1, 1};
constexpr const char* kWarningLine = "<!> Warning <!>";
constexpr const char* kCodeText = "= Code(113)";
constexpr const char* kLastLine = "Don't touch these datas.";
constexpr const char* kFalse = "False";
// "シフトJIS" in code page 932, after the last line's text: the game wrote this
// file in code page 932. Its bytes are not UTF-8, so a text editor that saves
// the file as UTF-8 changes them, and the names are judged by their bytes again.
constexpr std::string_view kWrittenInCp932 = "\x83\x56\x83\x74\x83\x67JIS";

// ---- writing, the way the runtime's print statement lays a line out ----

std::string printedNumber(const std::string& digits) { return (digits.starts_with('-') ? "" : " ") + digits + " "; }
std::string printedNumber(int64_t v) { return printedNumber(std::to_string(v)); }

// A single-precision value as the runtime prints it: up to 7 significant digits,
// no leading zero before the point, E for the exponent.
std::string printedSingle(float v) {
    if (!std::isfinite(v)) v = 0;
    if (v == std::floor(v) && std::fabs(v) < 1e7f) return printedNumber(static_cast<int64_t>(v));
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 7);
    std::string s(buf, res.ptr);
    for (char& c : s)
        if (c == 'e') c = 'E';
    if (s.starts_with("0.")) s.erase(0, 1);
    if (s.starts_with("-0.")) s.erase(1, 1);
    return printedNumber(s);
}

class PrintLine {
public:
    // Each value after the first starts at the next print zone; one that would
    // start exactly on a zone boundary still moves on, so values never touch.
    PrintLine& item(std::string_view value) {
        if (!first_) {
            size_t zone = (line_.size() / kPrintZone + 1) * kPrintZone;
            line_.append(zone - line_.size(), ' ');
        }
        first_ = false;
        line_ += value;
        return *this;
    }
    std::string end() { return line_ + "\r\n"; }

private:
    std::string line_;
    bool first_ = true;
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A name item: written bare when it reads back whole, else in double quotes.
std::string nameItem(const std::string& utf8) {
    std::string name = platform::text::toCp932(storableName(utf8));
    bool quote = name.empty() || isBlank(name.front()) || isBlank(name.back()) || name.find(',') != std::string::npos;
    return quote ? "\"" + name + "\"" : name;
}

// ---- reading, the way the runtime's input statement takes items ----

class ItemReader {
public:
    explicit ItemReader(std::string_view s) : s_(s) {}

    // A number: blanks and line ends before it are skipped; it ends at a blank,
    // a comma or the line end. Nothing, or anything but a plain decimal number,
    // is a damaged file.
    std::optional<double> number() {
        skipBlanksAndLineEnds();
        size_t start = p_;
        while (p_ < s_.size() && !isBlank(s_[p_]) && s_[p_] != ',' && !atLineEnd()) ++p_;
        std::optional<double> value = parseNumber(s_.substr(start, p_ - start));
        endOfItem();
        return value;
    }

    // A text item. It starts on the current line or, when that holds nothing
    // more, on the next; an empty line is an empty text (the runtime would skip
    // it and shift every later item). A quoted text runs to the next double
    // quote, any other to the next comma or the line end. nullopt at the end of
    // the file or with a quote that never closes.
    std::optional<std::string> text() {
        skipBlanks();
        if (atLineEnd()) {
            if (p_ >= s_.size()) return std::nullopt;
            skipLineEnd();
            skipBlanks();
            if (p_ >= s_.size()) return std::nullopt;
        }
        std::string value;
        if (s_[p_] == '"') {
            size_t close = s_.find('"', p_ + 1);
            if (close == std::string_view::npos) return std::nullopt;
            value = std::string(s_.substr(p_ + 1, close - p_ - 1));
            p_ = close + 1;
            endOfItem();
        } else {
            size_t start = p_;
            while (p_ < s_.size() && s_[p_] != ',' && !atLineEnd()) ++p_;
            value = std::string(s_.substr(start, p_ - start));
            if (p_ < s_.size() && s_[p_] == ',') ++p_;
        }
        return value;
    }

    // The next value on the current line as a word, empty when the line holds
    // no more.
    std::string wordOnLine() {
        skipBlanks();
        size_t start = p_;
        while (p_ < s_.size() && !isBlank(s_[p_]) && s_[p_] != ',' && !atLineEnd()) ++p_;
        std::string word(s_.substr(start, p_ - start));
        endOfItem();
        return word;
    }

    // What the reader has not taken yet.
    std::string_view rest() const { return s_.substr(p_); }

    void skipRestOfLine() {
        while (!atLineEnd()) ++p_;
        skipLineEnd();
    }

private:
    bool atLineEnd() const { return p_ >= s_.size() || s_[p_] == '\r' || s_[p_] == '\n'; }
    void skipBlanks() {
        while (p_ < s_.size() && isBlank(s_[p_])) ++p_;
    }
    void skipLineEnd() {
        if (p_ < s_.size() && s_[p_] == '\r') ++p_;
        if (p_ < s_.size() && s_[p_] == '\n') ++p_;
    }
    void skipBlanksAndLineEnds() {
        while (p_ < s_.size() && (isBlank(s_[p_]) || s_[p_] == '\r' || s_[p_] == '\n')) ++p_;
    }
    // After an item: its trailing blanks and one comma; the line end stays, so
    // the reader always knows which line it is on.
    void endOfItem() {
        skipBlanks();
        if (p_ < s_.size() && s_[p_] == ',') ++p_;
    }

    // [+|-] digits [. digits] [E|D [+|-] digits], at least one digit before
    // the exponent.
    static std::optional<double> parseNumber(std::string_view t) {
        bool negative = false;
        if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
            negative = t.front() == '-';
            t.remove_prefix(1);
        }
        std::string plain;
        size_t i = 0, mantissaDigits = 0;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) plain += t[i++], ++mantissaDigits;
        if (i < t.size() && t[i] == '.') {
            plain += t[i++];
            while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) plain += t[i++], ++mantissaDigits;
        }
        if (mantissaDigits == 0) return std::nullopt;
        if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
            plain += 'e';
            ++i;
            if (i < t.size() && (t[i] == '+' || t[i] == '-')) plain += t[i++];
            size_t expDigits = 0;
            while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) plain += t[i++], ++expDigits;
            if (expDigits == 0) return std::nullopt;
        }
        if (i != t.size()) return std::nullopt;
        double v = 0;
        auto res = std::from_chars(plain.data(), plain.data() + plain.size(), v);
        if (res.ec != std::errc() || !std::isfinite(v)) return std::nullopt;
        return negative ? -v : v;
    }

    std::string_view s_;
    size_t p_ = 0;
};

// The runtime stores a number into an integer field rounded half to even, and
// refuses one that does not fit.
template <typename Int>
std::optional<Int> toField(std::optional<double> v) {
    if (!v) return std::nullopt;
    double r = std::nearbyint(*v);
    if (r < std::numeric_limits<Int>::min() || r > std::numeric_limits<Int>::max()) return std::nullopt;
    return static_cast<Int>(r);
}

// The value when it lies in [lo, hi], else `otherwise`.
int16_t inRangeOr(std::optional<double> v, int16_t lo, int16_t hi, int16_t otherwise) {
    if (!v) return otherwise;
    double r = std::nearbyint(*v);
    return (r >= lo && r <= hi) ? static_cast<int16_t>(r) : otherwise;
}

}  // namespace

double checksum(const std::array<int32_t, kTableSize>& hiScore, int16_t unlockStage) {
    double sum = std::floor(hiScore[3] / 10.0);
    sum += std::floor(hiScore[2] / 100.0);
    sum += unlockStage;
    sum += std::floor(hiScore[4] / 15.0);
    sum += std::floor(hiScore[0] / 100.0);
    sum += std::floor(hiScore[1] / 23.0);
    return sum;
}

Filler drawFiller(Random& rnd) {
    Filler f;
    int n = vbIntI(rnd.next() * 15.0) + 5;
    for (int i = 0; i <= n; ++i) f.text += static_cast<char>(vbIntI(rnd.next() * 256.0));
    f.number = vbIntI(rnd.next() * 255.0);
    return f;
}

std::string storableName(std::string_view name, bool* lost) {
    std::string out;
    bool marked = false;
    for (char c : name) {
        const bool unstorable = c == '"' || c == '\r' || c == '\n';
        out += unstorable ? '?' : c;
        marked = marked || unstorable;
    }
    if (lost) *lost = marked;
    return out;
}

std::string nameAsStored(std::string_view name, bool* lost) {
    bool quoteLost = false, codePageLost = false;
    std::string stored =
        platform::text::fromCp932(platform::text::toCp932(storableName(name, &quoteLost), &codePageLost));
    if (lost) *lost = quoteLost || codePageLost;
    return stored;
}

std::string writeSettings(const SettingsValues& v, const Filler& filler) {
    std::string file;
    file += PrintLine().item(printedSingle(v.windowLeft)).item(printedSingle(v.windowTop)).end();
    for (int i = 0; i < kTableSize; ++i) {
        file += PrintLine().item(printedNumber(v.hiScore[i])).end();
        file += PrintLine().item(nameItem(v.hiName[i])).end();
    }
    file += PrintLine().item(printedNumber(static_cast<int64_t>(checksum(v.hiScore, v.unlockStage)))).end();
    PrintLine keys;
    for (int16_t k : v.keys) keys.item(printedNumber(k));
    file += keys.end();
    file += PrintLine()
                .item(printedNumber(v.unlockStage))
                .item(v.voice ? "True" : kFalse)
                .item(printedSingle(static_cast<float>(filler.number)))
                .end();
    file += PrintLine().item(printedNumber(v.difficulty)).end();
    PrintLine constant;
    for (int16_t c : kConstantLine) constant.item(printedNumber(c));
    file += constant.end();
    file += PrintLine().item(kWarningLine).end();
    file += PrintLine().item(filler.text).item(kCodeText).end();
    file += PrintLine().item(kLastLine).item(kWrittenInCp932).end();
    return file;
}

ReadOutcome readSettings(std::string_view bytes, const SettingsValues& fallback) {
    ReadOutcome out;
    out.values = fallback;
    auto damaged = [&](const char* what) {
        out.ok = false;
        out.problem = what;
        out.values = fallback;
        return out;
    };

    ItemReader in(bytes);
    SettingsValues v = fallback;

    auto left = toField<int32_t>(in.number());
    auto top = toField<int32_t>(in.number());
    if (!left || !top) return damaged("window position");
    v.windowLeft = static_cast<float>(*left);
    v.windowTop = static_cast<float>(*top);

    std::array<std::string, kTableSize> names;
    for (int i = 0; i < kTableSize; ++i) {
        auto score = toField<int32_t>(in.number());
        if (!score) return damaged("high score");
        auto name = in.text();
        if (!name) return damaged("name");
        v.hiScore[i] = *score;
        names[i] = std::move(*name);
    }
    auto stored = toField<int32_t>(in.number());
    if (!stored) return damaged("checksum");

    for (int k = 0; k < kKeyCount; ++k) {
        std::optional<double> key = in.number();
        if (!key) return damaged("key code");
        v.keys[k] = inRangeOr(key, kLowestKey, kHighestKey, fallback.keys[k]);
    }

    auto stage = toField<int16_t>(in.number());
    if (!stage) return damaged("unlock stage");
    v.unlockStage = *stage;
    std::string voiceWord = in.wordOnLine();
    in.skipRestOfLine();

    std::optional<double> difficulty = in.number();
    if (!difficulty) return damaged("difficulty");
    v.difficulty = inRangeOr(difficulty, kSuperEasy, kExpert, kFallbackDifficulty);

    // One file, one encoding: the names are judged together, and never as UTF-8
    // in a file the game wrote itself, whose code page 932 bytes may happen to
    // be valid UTF-8 too.
    std::string allNames;
    for (const std::string& name : names) allNames += name + '\n';
    out.utf8 = in.rest().find(kWrittenInCp932) == std::string_view::npos && platform::text::readsAsUtf8(allNames);
    for (int i = 0; i < kTableSize; ++i) v.hiName[i] = out.utf8 ? names[i] : platform::text::fromCp932(names[i]);

    out.checksumOk = checksum(v.hiScore, v.unlockStage) == static_cast<double>(*stored);
    if (!out.checksumOk) {
        for (int i = 0; i < kTableSize; ++i) {
            v.hiScore[i] = 1;
            v.hiName[i] = kCheatName;
        }
    }
    if (voiceWord == kFalse) v.voice = false;

    out.ok = true;
    out.values = v;
    return out;
}

}  // namespace game::settings
