// UTF-8 and UTF-16: one sequence reader and one writer under both the exact and the
// replacing conversions.
#include "norvtext/platform/utf8.hpp"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace norvtext {

namespace {

struct Sequence {
    char32_t code = 0;
    std::size_t length = 0;  // 0: the units at the position spell no character
};

// The UTF-8 sequence starting at text[i]. An overlong form is a sequence only when
// `replacing`; a surrogate or a value above U+10FFFF never is.
Sequence read(std::string_view text, std::size_t i, bool replacing) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return {lead, 1};
    // The lead byte tells the length: 110xxxxx two bytes, 1110xxxx three, 11110xxx four.
    const std::size_t length = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || text.size() - i < length) return {};
    char32_t code = lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[i + k]);
        if ((byte & 0xC0u) != 0x80u) return {};
        code = (code << 6) | (byte & 0x3Fu);
    }
    if (code > 0x10FFFF || U_IS_SURROGATE(code)) return {};
    constexpr char32_t lowest[] = {0, 0, 0x80, 0x800, 0x10000};  // by length
    if (code < lowest[length] && !replacing) return {};
    return {code, length};
}

// The UTF-16 character at text[i]; an unpaired surrogate is none. UTF-16 has no overlong
// forms, so both conversions read it alike.
Sequence read(std::u16string_view text, std::size_t i, bool /*replacing*/) {
    const char16_t unit = text[i];
    if (U16_IS_LEAD(unit) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1])) {
        return {static_cast<char32_t>(U16_GET_SUPPLEMENTARY(unit, text[i + 1])), 2};
    }
    if (U16_IS_SURROGATE(unit)) return {};
    return {unit, 1};
}

// A code point in the units of `out`, UTF-8 bytes or UTF-16 units.
template <class Out>
void append(Out& out, char32_t code) {
    typename Out::value_type units[U8_MAX_LENGTH];  // the longer of the two encodings
    std::int32_t n = 0;
    if constexpr (sizeof units[0] == 1) U8_APPEND_UNSAFE(units, n, code);
    else U16_APPEND_UNSAFE(units, n, code);
    out.append(units, static_cast<std::size_t>(n));
}

// Where the units spell no character, the exact conversion refuses the text and the replacing
// one writes a U+FFFD and reads on from the next unit.
template <class Out, class In>
std::optional<Out> convert(In text, bool replacing) {
    Out out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Sequence s = read(text, i, replacing);
        if (s.length == 0 && !replacing) return std::nullopt;
        append(out, s.length == 0 ? char32_t{0xFFFD} : s.code);
        i += std::max<std::size_t>(s.length, 1);
    }
    return out;
}

}  // namespace

std::optional<std::u16string> from_utf8_exact(std::string_view text) { return convert<std::u16string>(text, false); }

std::optional<std::string> to_utf8_exact(std::u16string_view text) { return convert<std::string>(text, false); }

bool is_utf8(std::string_view text) { return from_utf8_exact(text).has_value(); }

std::u16string from_utf8(std::string_view text) { return *convert<std::u16string>(text, true); }

std::string to_utf8(std::u16string_view text) { return *convert<std::string>(text, true); }

}  // namespace norvtext
