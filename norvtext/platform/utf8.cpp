// UTF-8 and UTF-16: one sequence reader and one writer under both the exact and the
// replacing conversions.
#include "norvtext/platform/utf8.hpp"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <cstddef>
#include <cstdint>

namespace norvtext {

namespace {

bool is_high_surrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_low_surrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

struct Sequence {
    char32_t code = 0;
    std::size_t length = 0;  // 0: the bytes at the position spell no character
};

// The UTF-8 sequence starting at text[i]. An overlong form is a sequence only when
// `overlong_ok`; a surrogate or a value above U+10FFFF never is.
Sequence read_sequence(std::string_view text, std::size_t i, bool overlong_ok) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t code = 0;
    char32_t lowest = 0;
    if (lead >= 0xC0 && lead <= 0xDF) {
        length = 2, code = lead & 0x1Fu, lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0Fu, lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF7) {
        length = 4, code = lead & 0x07u, lowest = 0x10000;
    } else {
        return {};
    }
    if (text.size() - i < length) return {};
    for (std::size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[i + k]);
        if ((byte & 0xC0u) != 0x80u) return {};
        code = (code << 6) | (byte & 0x3Fu);
    }
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
    if (code < lowest && !overlong_ok) return {};
    return {code, length};
}

void append_utf16(std::u16string& out, char32_t code) {
    char16_t units[U16_MAX_LENGTH];
    std::int32_t n = 0;
    U16_APPEND_UNSAFE(units, n, code);
    out.append(units, static_cast<std::size_t>(n));
}

void append_utf8(std::string& out, char32_t code) {
    char bytes[U8_MAX_LENGTH];
    std::int32_t n = 0;
    U8_APPEND_UNSAFE(bytes, n, code);
    out.append(bytes, static_cast<std::size_t>(n));
}

Sequence read_units(std::u16string_view text, std::size_t i) {
    const char32_t unit = text[i];
    if (is_high_surrogate(unit) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
        return {0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00u), 2};
    }
    if (is_high_surrogate(unit) || is_low_surrogate(unit)) return {0, 0};
    return {unit, 1};
}

}  // namespace

std::optional<std::u16string> from_utf8_exact(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Sequence s = read_sequence(text, i, false);
        if (s.length == 0) return std::nullopt;
        append_utf16(out, s.code);
        i += s.length;
    }
    return out;
}

std::optional<std::string> to_utf8_exact(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Sequence s = read_units(text, i);
        if (s.length == 0) return std::nullopt;
        append_utf8(out, s.code);
        i += s.length;
    }
    return out;
}

bool is_utf8(std::string_view text) { return from_utf8_exact(text).has_value(); }

std::u16string from_utf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Sequence s = read_sequence(text, i, true);
        if (s.length == 0) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        append_utf16(out, s.code);
        i += s.length;
    }
    return out;
}

std::string to_utf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Sequence s = read_units(text, i);
        append_utf8(out, s.length == 0 ? char32_t{0xFFFD} : s.code);
        i += s.length == 0 ? 1 : s.length;
    }
    return out;
}

}  // namespace norvtext
