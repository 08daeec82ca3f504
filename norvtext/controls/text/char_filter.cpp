// The keystroke filter and proper case of the general text box.
#include "norvtext/controls/text/char_filter.hpp"

#include <utility>
#include <vector>

#include "norvtext/foundation/accessible.hpp"
#include "norvtext/foundation/key_codes.hpp"
#include "norvtext/platform/text_case.hpp"
#include "norvtext/platform/utf8.hpp"

namespace norvtext {

namespace {

// Classes go by plain code ranges on the signed 16-bit code, so accented letters and
// control characters count as punctuation.
bool is_digit(std::int16_t c) { return c >= 48 && c <= 57; }
bool is_upper(std::int16_t c) { return c >= 65 && c <= 90; }
bool is_lower(std::int16_t c) { return c >= 97 && c <= 122; }
bool is_letter(std::int16_t c) { return is_upper(c) || is_lower(c); }
bool is_space(std::int16_t c) { return c == 32; }

bool rescued_by_table(std::int16_t c, const FilterSettings& s) {
    if (!(s.chars & chars_flag::char_table)) return false;
    return s.char_table.find(static_cast<char16_t>(c)) != std::u16string_view::npos;
}

}  // namespace

KeyVerdict filter_key(std::int16_t& KeyAscii, const FilterSettings& s, std::size_t text_length,
                      std::int32_t sel_length) {
    if (KeyAscii == keys::Backspace) return KeyVerdict::PassQuietly;

    // The limit comes before any class test: at the limit every key beeps, whatever its
    // class. With a selection the key passes, since typing replaces the selection.
    if (s.max_chars > 0 && text_length >= static_cast<std::size_t>(s.max_chars) && sel_length == 0) {
        KeyAscii = 0;
        return KeyVerdict::BeepAndSwallow;
    }

    if ((s.chars & chars_flag::upper_case) && is_lower(KeyAscii)) KeyAscii = static_cast<std::int16_t>(KeyAscii - 32);
    if ((s.chars & chars_flag::lower_case) && is_upper(KeyAscii)) KeyAscii = static_cast<std::int16_t>(KeyAscii + 32);

    const std::int16_t c = KeyAscii;
    const bool forbidden = ((s.chars & chars_flag::no_spaces) && is_space(c)) ||
                           ((s.chars & chars_flag::no_digits) && is_digit(c)) ||
                           ((s.chars & chars_flag::no_letters) && is_letter(c)) ||
                           ((s.chars & chars_flag::no_punctuation) && !is_digit(c) && !is_letter(c) && !is_space(c));
    if (forbidden && !rescued_by_table(c, s)) {
        KeyAscii = 0;
        return KeyVerdict::Swallow;
    }
    return KeyVerdict::Offer;
}

std::string describe_filter(const FilterSettings& s) {
    namespace f = chars_flag;
    std::vector<std::string_view> classes;
    for (const auto& [flag, name] : {std::pair{f::no_letters, "letters"}, std::pair{f::no_digits, "digits"},
                                     std::pair{f::no_spaces, "spaces"}, std::pair{f::no_punctuation, "punctuation"}})
        if (!(s.chars & flag)) classes.push_back(name);
    std::string words;
    for (std::size_t i = 0; i < classes.size(); ++i)
        words += std::string(i == 0 ? "" : i + 1 == classes.size() ? " and " : ", ") + std::string(classes[i]);
    const bool all = classes.size() == 4;
    if (all) words = "any characters";
    if ((s.chars & f::char_table) && !all && !s.char_table.empty()) {
        // The table's characters pass whatever class they are in.
        words += (words.empty() ? "only \"" : " and \"") + to_utf8(s.char_table) + "\"";
    } else if (classes.empty()) {
        words = "no characters";
    } else if (classes.size() == 1) {
        words += " only";
    }
    // Lower case is applied after upper case, so it wins.
    if (s.chars & f::lower_case)
        words += ", lower case";
    else if (s.chars & f::upper_case)
        words += ", upper case";
    if (s.chars & f::proper_case) words += ", each word capitalised";
    if (s.max_chars > 0) words += ", " + at_most(s.max_chars);
    return words;
}

std::u16string proper_case(std::u16string_view text, const Locale& loc) {
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};

    std::u16string out;
    out.reserve(text.size());
    bool inside_word = false;
    for (std::size_t i = 0; i < text.size();) {
        // A surrogate pair converts as one character.
        std::size_t n = 1;
        if (i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            n = 2;
        const std::u16string_view ch = text.substr(i, n);
        out += inside_word ? to_lower(ch, loc) : to_upper(ch, loc);
        inside_word = ch != u" ";
        i += n;
    }
    return out;
}

}  // namespace norvtext
