// Upper and lower case one code point at a time from ICU's simple mappings, so a converted
// text has exactly the original's UTF-16 length and every caret position stays valid.
#include "norvtext/platform/text_case.hpp"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace norvtext {

namespace {

std::u16string convert(std::u16string_view text, bool upper, const Locale& loc) {
    const bool turkic = uses_turkic_i(loc);
    // Every code point is written back over the units it was read from.
    std::u16string out(text);
    for (std::size_t i = 0; i < text.size();) {
        std::size_t at = i;
        UChar32 c = 0;
        // A lone surrogate is read as itself; it has no case, so it passes through untouched.
        U16_NEXT(text.data(), i, text.size(), c);
        UChar32 mapped = upper ? u_toupper(c) : u_tolower(c);
        if (turkic && upper && c == U'i') mapped = U'\u0130';   // i -> dotted capital I
        if (turkic && !upper && c == U'I') mapped = U'\u0131';  // I -> dotless small i
        // A mapping that would change the length is not taken.
        if (static_cast<std::size_t>(U16_LENGTH(mapped)) == i - at) U16_APPEND_UNSAFE(out.data(), at, mapped);
    }
    return out;
}

}  // namespace

bool uses_turkic_i(const Locale& loc) {
    const std::string_view name = loc.name;
    const std::string_view language = name.substr(0, 2);
    const bool turkic = language == "tr" || language == "az" || language == "TR" || language == "AZ";
    return turkic && (name.size() == 2 || name[2] == '_' || name[2] == '-');
}

std::u16string to_upper(std::u16string_view text, const Locale& loc) { return convert(text, true, loc); }

std::u16string to_lower(std::u16string_view text, const Locale& loc) { return convert(text, false, loc); }

}  // namespace norvtext
