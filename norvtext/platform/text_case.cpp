// Upper and lower case one code point at a time from ICU's simple mappings, so a converted
// text has exactly the original's UTF-16 length and every caret position stays valid.
#include "norvtext/platform/text_case.hpp"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace norvtext {

namespace {

enum class Direction { Upper, Lower };

UChar32 map_code_point(UChar32 c, Direction direction, bool turkic) {
    if (turkic) {
        if (direction == Direction::Upper && c == U'i') return U'\u0130';  // i -> dotted capital I
        if (direction == Direction::Lower && c == U'I') return U'\u0131';  // I -> dotless small i
    }
    return direction == Direction::Upper ? u_toupper(c) : u_tolower(c);
}

std::u16string convert(std::u16string_view text, Direction direction, const Locale& loc) {
    const bool turkic = uses_turkic_i(loc);
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t lead = text[i];
        if (U16_IS_LEAD(lead) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1])) {
            const UChar32 c = U16_GET_SUPPLEMENTARY(lead, text[i + 1]);
            const UChar32 mapped = map_code_point(c, direction, turkic);
            if (U16_LENGTH(mapped) == 2) {
                out += U16_LEAD(mapped);
                out += U16_TRAIL(mapped);
            } else {
                out += text.substr(i, 2);
            }
            i += 2;
            continue;
        }
        // A lone surrogate is not a character; it passes through untouched.
        const UChar32 mapped = U16_IS_SURROGATE(lead) ? lead : map_code_point(lead, direction, turkic);
        out += U16_LENGTH(mapped) == 1 ? static_cast<char16_t>(mapped) : lead;
        ++i;
    }
    return out;
}

}  // namespace

bool uses_turkic_i(const Locale& loc) {
    const std::string_view name = loc.name;
    if (name.size() < 2) return false;
    const std::string_view language = name.substr(0, 2);
    const bool turkic = language == "tr" || language == "az" || language == "TR" || language == "AZ";
    return turkic && (name.size() == 2 || name[2] == '_' || name[2] == '-');
}

std::u16string to_upper(std::u16string_view text, const Locale& loc) {
    return convert(text, Direction::Upper, loc);
}

std::u16string to_lower(std::u16string_view text, const Locale& loc) {
    return convert(text, Direction::Lower, loc);
}

}  // namespace norvtext
