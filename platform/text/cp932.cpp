// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace platform::text {

namespace {

// How many bytes one unconvertible character takes: a whole, well-formed
// sequence goes as one "?", anything broken goes byte by byte, so conversion
// always moves on and never swallows a following ASCII character.
size_t utf8Length(const char* p, size_t left) {
    const auto lead = static_cast<unsigned char>(p[0]);
    size_t n = lead >= 0xF0 && lead <= 0xF4   ? 4
               : lead >= 0xE0 && lead <= 0xEF ? 3
               : lead >= 0xC2 && lead <= 0xDF ? 2
                                              : 1;
    if (n > left) return 1;
    for (size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) return 1;
    return n;
}

size_t cp932Length(const char* p, size_t left) {
    const auto lead = static_cast<unsigned char>(p[0]);
    if (!((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) || left < 2) return 1;
    const auto trail = static_cast<unsigned char>(p[1]);
    return (trail >= 0x40 && trail <= 0xFC && trail != 0x7F) ? 2 : 1;
}

std::string convert(std::string_view in, const char* to, const char* from, size_t (*charLength)(const char*, size_t),
                    bool* lost) {
    std::string out;
    bool marked = false;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No converter at all: keep what is plain ASCII, mark the rest.
        for (unsigned char c : in) {
            out += c < 0x80 ? static_cast<char>(c) : '?';
            marked = marked || c >= 0x80;
        }
        if (lost) *lost = marked;
        return out;
    }
    std::string buffer(in);
    char* src = buffer.data();
    size_t srcLeft = buffer.size();
    char chunk[256];
    while (srcLeft > 0) {
        char* dst = chunk;
        size_t dstLeft = sizeof chunk;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(chunk, static_cast<size_t>(dst - chunk));
        if (r != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: one character the other side can't hold (or a
        // broken one) becomes "?".
        size_t skip = charLength(src, srcLeft);
        src += skip;
        srcLeft -= skip;
        out += '?';
        marked = true;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    if (lost) *lost = marked;
    return out;
}

}  // namespace

std::string toCp932(std::string_view utf8, bool* lost) { return convert(utf8, "CP932", "UTF-8", utf8Length, lost); }

std::string fromCp932(std::string_view cp932, bool* lost) {
    return convert(cp932, "UTF-8", "CP932", cp932Length, lost);
}

bool isUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The second byte's range excludes overlong forms, surrogates and code
        // points past U+10FFFF.
        unsigned char lo = 0x80, hi = 0xBF;
        size_t n = 0;
        if (lead >= 0xC2 && lead <= 0xDF)
            n = 2;
        else if (lead >= 0xE0 && lead <= 0xEF)
            n = 3, lo = lead == 0xE0 ? 0xA0 : 0x80, hi = lead == 0xED ? 0x9F : 0xBF;
        else if (lead >= 0xF0 && lead <= 0xF4)
            n = 4, lo = lead == 0xF0 ? 0x90 : 0x80, hi = lead == 0xF4 ? 0x8F : 0xBF;
        else
            return false;
        if (bytes.size() - i < n) return false;
        for (size_t k = 1; k < n; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if (c < (k == 1 ? lo : 0x80) || c > (k == 1 ? hi : 0xBF)) return false;
        }
        i += n;
    }
    return true;
}

bool readsAsUtf8(std::string_view bytes) {
    if (!isUtf8(bytes)) return false;
    bool beyondAscii = false, twoByte = false;
    for (unsigned char c : bytes) {
        beyondAscii = beyondAscii || c >= 0x80;
        twoByte = twoByte || (c >= 0xC2 && c <= 0xDF);  // in valid UTF-8 always a two-byte lead
    }
    if (!beyondAscii) return false;
    bool notCp932 = false;
    fromCp932(bytes, &notCp932);
    if (notCp932) return true;
    bool unstorable = false;
    toCp932(bytes, &unstorable);
    return !twoByte && !unstorable;
}

}  // namespace platform::text
