// What the telephone, social security and ZIP boxes share: digit extraction, the layout of
// a number into a row, typing and the check on leaving.
#include "norvtext/controls/digits.hpp"

#include <cmath>
#include <optional>

#include "norvtext/platform/error.hpp"
#include "norvtext/platform/numbers.hpp"

namespace norvtext {

namespace {

// DigitsOnly walks a text with a 16-bit signed position, so a text of 32,767 characters or
// more is refused with Overflow before anything changes, rather than read only in part.
constexpr std::size_t counter_limit = 32767;

// The exact number a numeric value stands for; nothing when it is not one.
std::optional<Decimal> exact_number(const Variant& value, const Locale& loc) {
    if (value.is_string()) return parse_number(value.string_ref(), loc);
    if (const auto* c = std::get_if<Currency>(&value.storage())) return Decimal::from_currency(*c);
    if (value.is_numeric_type() || value.is_empty()) return Decimal::from_double(value.to_double(loc));
    return std::nullopt;
}

}  // namespace

double DigitRow::largest() const { return std::pow(10.0, static_cast<double>(digits)) - 1; }

bool is_numeric_value(const Variant& value, const Locale& loc) {
    if (value.is_numeric_type() || value.is_empty()) return true;
    return value.is_string() && is_numeric(value.string_ref(), loc);
}

double numeric_reading(const Variant& value, const Locale& loc) {
    if (value.is_string()) return leading_number(value.string_ref());
    if (value.is_numeric_type()) return value.to_double(loc);  // Empty reads as "": 0
    return leading_number(value.to_string(loc));
}

Variant DigitsOnly(const Variant& value, const Locale& loc) {
    if (is_numeric_value(value, loc)) return value;
    const std::u16string text = value.to_string(loc);  // Null has no text: 94
    if (text.size() >= counter_limit) raise(ErrorCode::Overflow);
    std::u16string digits;
    for (const char16_t c : text)
        if (c >= u'0' && c <= u'9') digits.push_back(c);
    return Variant(std::move(digits));
}

std::u16string DigitBoxBase::FormatDigits(const Variant& value) {
    const DigitRow& r = row();
    const Decimal number = exact_number(value, locale()).value_or(Decimal{});
    // The pattern rounds halves away from zero; so does the size test, so the blink comes
    // exactly when the laid-out text has more digits than the row has positions.
    if (std::round(number.to_double()) > r.largest()) {
        refuse_entry();
        start_blink();
    }
    if (number.is_zero()) return all_prompt_text(r.mask);
    return format_pattern(number, r.pattern, locale());
}

void DigitBoxBase::on_lost_focus() {
    Textbox.set_sel_length(0);
    const Variant d = DigitsOnly(Variant(Textbox.text()));
    // No digit at all is an empty box, which is valid.
    if (!is_number(d) || !checks_entry()) return entry_valid();
    const std::u16string digits = d.to_string(locale());
    if (digits.size() == row().digits || complete_entry(digits)) return entry_valid();
    refuse_entry();
    start_blink();
    host_.Validate();
}

const Members* DigitBoxBase::bound_members() const {
    // Appearance is published as a 16-bit Integer by the digit boxes.
    return MemberTable<DigitBoxBase>::once({
        {"Appearance", [](DigitBoxBase& b) { return Variant(b.inner(InnerMember::Appearance).to_integer()); }, nullptr},
    }, BoxBase::bound_members());
}

BagKey DigitBoxBase::sel_text_in_host_locale() {
    return {"SelText", Variant(u""),
            [](BoxBase& b, const Variant& v) { b.textbox().set_sel_text(v.to_string(b.host().locale())); },
            [](const BoxBase& b) { return Variant(b.textbox().sel_text()); }};
}

}  // namespace norvtext
