// The property page Custom: its layout, the flag boxes <-> number rules, load and apply.
#include "norvtext/controls/text/custom_page.hpp"

#include <optional>

#include "norvtext/controls/text/char_filter.hpp"
#include "norvtext/platform/error.hpp"
#include "norvtext/platform/numbers.hpp"

namespace norvtext {

namespace {

using M = Custom::Member;
using Kind = Custom::Kind;
using Rect = Custom::Rect;

// Left column: check boxes of one size, one row each, top to bottom in reading order.
// Right column: a label above each field; the fields are narrow, wide and medium.
constexpr std::int32_t margin = 120;
constexpr std::int32_t box_width = 2415;
constexpr std::int32_t row = 240;
constexpr Rect left_row(int n) { return {margin, margin + n * row, box_width, row}; }
constexpr std::int32_t right = 2760;
constexpr std::int32_t label_width = 1215;
constexpr std::int32_t field_height = 285;
constexpr std::int32_t field_group = 645;  // label, field and a gap
constexpr Rect label_at(int n) { return {right, margin + n * field_group, label_width, row}; }
constexpr Rect field_at(int n, std::int32_t width) { return {right, margin + n * field_group + row, width, field_height}; }

constexpr Custom::MemberInfo member_table[] = {
    {M::chkAllowAllCharacters, "chkAllowAllCharacters", Kind::CheckBox, u"Allow All Characters", left_row(0), {}},
    {M::chkAllowSpaces, "chkAllowSpaces", Kind::CheckBox, u"Allow Spaces", left_row(1), {}},
    {M::chkAllowNumbers, "chkAllowNumbers", Kind::CheckBox, u"Allow Numbers", left_row(2), {}},
    {M::chkAllowLetters, "chkAllowLetters", Kind::CheckBox, u"Allow Letters", left_row(3), {}},
    {M::chkUpperCase, "chkUpperCase", Kind::CheckBox, u"Upper Case Letters", left_row(4), {}},
    {M::chkAllowPunctuation, "chkAllowPunctuation", Kind::CheckBox, u"Allow Punctuation", left_row(7), {}},
    {M::chkAllowCharTable, "chkAllowCharTable", Kind::CheckBox, u"Allow Char Table", left_row(8), {}},
    {M::FocusSelect, "FocusSelect", Kind::CheckBox, u"Focus Select", left_row(9), {}},
    {M::EscapeClear, "EscapeClear", Kind::CheckBox, u"Escape Clear", left_row(10), {}},
    {M::txtChars, "txtChars", Kind::TextField, u"Chars:", field_at(0, 735), label_at(0)},
    {M::txtCharTable, "txtCharTable", Kind::TextField, u"CharTable:", field_at(1, 2655), label_at(1)},
    {M::txtMaxChars, "txtMaxChars", Kind::TextField, u"MaxChars:", field_at(2, 1335), label_at(2)},
    {M::chkLowerCase, "chkLowerCase", Kind::CheckBox, u"Lower Case Letters", left_row(5), {}},
    {M::chkProperCase, "chkProperCase", Kind::CheckBox, u"Proper Case Letters", left_row(6), {}},
};
static_assert(std::size(member_table) == Custom::member_count);

constexpr std::uint16_t bit(M m) { return static_cast<std::uint16_t>(1u << static_cast<unsigned>(m)); }
template <class... Ms>
constexpr std::uint16_t bits(Ms... ms) {
    return static_cast<std::uint16_t>((bit(ms) | ...));
}

// The nine boxes that stand for `Chars`; the two switches are not among them.
constexpr std::uint16_t class_and_case_boxes =
    bits(M::chkAllowAllCharacters, M::chkAllowSpaces, M::chkAllowNumbers, M::chkAllowLetters, M::chkAllowPunctuation,
         M::chkAllowCharTable, M::chkUpperCase, M::chkLowerCase, M::chkProperCase);

// Which box stands for which flag: an "Allow" box is ticked while its class is NOT
// forbidden, a case or table box while its flag is set.
struct FlagBox {
    M box;
    std::int16_t flag;
    bool ticked_when_set;
};
constexpr FlagBox flag_boxes[] = {
    {M::chkUpperCase, chars_flag::upper_case, true},
    {M::chkAllowSpaces, chars_flag::no_spaces, false},
    {M::chkAllowNumbers, chars_flag::no_digits, false},
    {M::chkAllowLetters, chars_flag::no_letters, false},
    {M::chkAllowPunctuation, chars_flag::no_punctuation, false},
    {M::chkAllowCharTable, chars_flag::char_table, true},
    {M::chkLowerCase, chars_flag::lower_case, true},
    {M::chkProperCase, chars_flag::proper_case, true},
};

// What a user's click on a class or case box does to the others. "Allow All" and any
// restriction exclude each other, and the three case boxes exclude each other.
struct ClickRule {
    M clicked;
    std::uint16_t unticks;
    std::uint16_t ticks;
};
constexpr std::uint16_t all_but_allow_all = class_and_case_boxes & ~bit(M::chkAllowAllCharacters);
constexpr ClickRule click_rules[] = {
    {M::chkAllowAllCharacters, all_but_allow_all, 0},
    {M::chkAllowSpaces, bit(M::chkAllowAllCharacters), bit(M::chkAllowLetters)},
    {M::chkAllowNumbers, bit(M::chkAllowAllCharacters), 0},
    {M::chkAllowLetters, bit(M::chkAllowAllCharacters), 0},
    {M::chkAllowPunctuation, bit(M::chkAllowAllCharacters), 0},
    {M::chkAllowCharTable, bit(M::chkAllowAllCharacters), 0},
    {M::chkUpperCase, bits(M::chkAllowAllCharacters, M::chkLowerCase, M::chkProperCase), 0},
    {M::chkLowerCase, bits(M::chkAllowAllCharacters, M::chkUpperCase, M::chkProperCase), 0},
    {M::chkProperCase, bits(M::chkAllowAllCharacters, M::chkUpperCase, M::chkLowerCase), 0},
};

// Load and apply go on past a value the control refuses or a member it does not have.
template <class Step>
void ignoring_errors(Step&& step) {
    try {
        step();
    } catch (const Error&) {
    }
}

}  // namespace

std::span<const Custom::MemberInfo> Custom::members() { return member_table; }

const Custom::MemberInfo& Custom::info(Member m) { return member_table[index(m)]; }

const Custom::MemberInfo* Custom::find_member(std::string_view name) { return find_named(member_table, name); }

void Custom::set_text(Member field, std::u16string_view new_text) {
    std::u16string& current = text_[index(field)];
    if (current == new_text) return;
    current = new_text;
    if (!loading_) frame_.mark_changed();
}

void Custom::SelectionChanged() {
    loading_ = true;
    if (Dispatch* control = first_selected()) {
        const Locale& loc = frame_.locale();
        // A box without one of these members (the date and social security boxes have no
        // CharTable, Chars or MaxChars) leaves that field as it was.
        ignoring_errors([&] { set_text(M::txtCharTable, control->get("CharTable").to_string(loc)); });
        ignoring_errors([&] { set_text(M::txtChars, control->get("Chars").to_string(loc)); });
        ignoring_errors([&] { set_text(M::txtMaxChars, control->get("MaxChars").to_string(loc)); });
        ignoring_errors([&] { set_ticked(M::FocusSelect, control->get("FocusSelect").to_boolean(loc)); });
        ignoring_errors([&] { set_ticked(M::EscapeClear, control->get("EscapeClear").to_boolean(loc)); });
    }
    GetChars();
    loading_ = false;
}

void Custom::GetChars() {
    ready_ = false;
    for (const MemberInfo& m : member_table)
        if (class_and_case_boxes & bit(m.member)) set_ticked(m.member, false);
    // The number in txtChars as the page reads it: a whole 32-bit number (halves to even), or
    // nothing when the text is not a number or does not fit.
    const std::optional<double> d = parse_double(text(M::txtChars), frame_.locale());
    const std::optional<std::int32_t> n = d ? round_to_long(*d) : std::nullopt;
    if (!n) set_text(M::txtChars, u"0");
    if (!n || text(M::txtChars) == u"0") {
        set_ticked(M::chkAllowAllCharacters, true);
    } else {
        // "00" or "0.0" is zero too, but only the plain "0" means "everything allowed".
        for (const FlagBox& f : flag_boxes) set_ticked(f.box, ((*n & f.flag) != 0) == f.ticked_when_set);
    }
    ready_ = true;
}

void Custom::ComputeChars() {
    if (ticked(M::chkAllowAllCharacters)) {
        set_text(M::txtChars, u"0");
        return;
    }
    // A case conversion acts on letters, and proper case on words: both must be allowed.
    if (ticked(M::chkUpperCase) || ticked(M::chkLowerCase) || ticked(M::chkProperCase))
        set_ticked(M::chkAllowLetters, true);
    if (ticked(M::chkProperCase)) set_ticked(M::chkAllowSpaces, true);
    std::int32_t n = 0;
    for (const FlagBox& f : flag_boxes)
        if (ticked(f.box) == f.ticked_when_set) n += f.flag;
    set_text(M::txtChars, Variant(n).to_string());
}

void Custom::click(Member box) {
    if (info(box).kind != Kind::CheckBox) return;
    ticked_[index(box)] = !ticked_[index(box)];
    if (box == M::FocusSelect || box == M::EscapeClear) {
        // Their state is applied like the rest, so a click alone must offer Apply.
        frame_.mark_changed();
        return;
    }
    if (!ready_) return;
    for (const ClickRule& rule : click_rules)
        for (const MemberInfo& m : member_table)
            if (rule.clicked == box && ((rule.unticks | rule.ticks) & bit(m.member)))
                set_ticked(m.member, (rule.ticks & bit(m.member)) != 0);
    ComputeChars();
}

void Custom::ApplyChanges() {
    Dispatch* control = first_selected();
    if (!control) return;
    // Each write goes through the control's own writer, which converts the text to the
    // property's type and announces the change; a refused value is skipped.
    ignoring_errors([&] { control->put("CharTable", Variant(text(M::txtCharTable))); });
    ignoring_errors([&] { control->put("Chars", Variant(text(M::txtChars))); });
    ignoring_errors([&] { control->put("MaxChars", Variant(text(M::txtMaxChars))); });
    ignoring_errors([&] { control->put("FocusSelect", Variant(ticked(M::FocusSelect))); });
    ignoring_errors([&] { control->put("EscapeClear", Variant(ticked(M::EscapeClear))); });
}

Variant Custom::invoke_member(std::string_view method, std::span<const Variant> args) {
    if (method == "GetChars") {
        GetChars();
        return Variant();
    }
    return Dispatch::invoke_member(method, args);
}

}  // namespace norvtext
