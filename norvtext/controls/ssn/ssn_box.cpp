// The social security number box: its Text and Value rules, late-bound members and
// persistence.
#include "norvtext/controls/ssn/ssn_box.hpp"

#include <cmath>

#include "norvtext/platform/numbers.hpp"

namespace norvtext {

namespace {
constexpr DigitRow ssn_row{u"###-##-####", u"000-00-0000", 9, "social security number, nine digits",
                           "nine digits needed"};
}  // namespace

txtNorvSocialSecurity::txtNorvSocialSecurity(Host& host)
    : DigitBoxBase(host, "txtNorvSocialSecurity", ssn_row.mask, 11) {}

const DigitRow& txtNorvSocialSecurity::row() const { return ssn_row; }

void txtNorvSocialSecurity::InitProperties() {
    // The inner text keeps its prompts; the timer is not touched.
    masked().set_mask(ssn_row.mask);
    reset_switches();
    stored_value_ = Variant(std::int16_t{0});
}

void txtNorvSocialSecurity::show_number(double number) {
    if (number <= 0) return clear_quietly();
    masked().set_text(format_pattern(number, ssn_row.pattern, locale()));
    stored_value_ = Variant(number);
    accept_entry();
}

void txtNorvSocialSecurity::clear_and_flag() {
    clear_stored();
    refuse_entry();
    // Without BlinkOnError the blink and the selection stay as they were.
    if (blink_on_error_) start_blink();
}

void txtNorvSocialSecurity::setText(std::u16string_view New_Text) {
    const Variant digits = DigitsOnly(Variant(New_Text));
    const std::u16string& text = digits.string_ref();
    if (!is_number(digits) || leading_number(text) <= 0) {
        clear_quietly();
    } else if (text.size() == ssn_row.digits) {
        // What is shown is what is stored: a fraction is taken to the whole number shown.
        show_number(std::round(leading_number(text)));
    } else {
        clear_and_flag();
    }
    announce("Text");
}

void txtNorvSocialSecurity::setValue(const Variant& New_Value) {
    const Variant digits = DigitsOnly(New_Value);
    // The whole number read is laid out, however many characters it was written with:
    // '0000000012345' is 000-01-2345.
    const bool numeric = is_number(digits);
    const double number = numeric ? std::round(numeric_reading(digits, locale())) : 0;
    if (numeric && number <= ssn_row.largest())
        show_number(number);
    else
        clear_and_flag();
    announce("Value");
}

const BagLayout& txtNorvSocialSecurity::bag_layout() const {
    // Straight into the inner box and the fields: nothing is announced, and the text goes in
    // as saved, prompts and all. The mouse pointer goes into the bag as a Long.
    using B = txtNorvSocialSecurity;
    static const BagLayout layout{
        "BackColor Enabled Font MouseIcon MousePointer:Long FocusSelect EscapeClear ForeColor Text SelLength "
        "SelStart SelText Value BorderStyle OLEDragMode OLEDropMode ToolTipText Blink BlinkOnError ReadOnly",
        "BackColor Enabled Font MouseIcon MousePointer:Long FocusSelect EscapeClear Text ForeColor SelLength "
        "SelStart SelText Value BorderStyle OLEDragMode OLEDropMode ToolTipText Blink BlinkOnError ReadOnly",
        {
            {"Text", Variant(u""),
             [](BoxBase& b, const Variant& v) { as<B>(b).masked().set_text(v.to_string(b.host().locale())); },
             [](const BoxBase& b) { return Variant(b.textbox().text()); }, BagKey::WriteDefault::Own,
             Variant(never_shown_text)},
            sel_text_in_host_locale(),
            stored_value_key(),
        }};
    return layout;
}

const Members* txtNorvSocialSecurity::bound_members() const {
    return MemberTable<txtNorvSocialSecurity>::once_with_text_and_value({}, DigitBoxBase::bound_members());
}

}  // namespace norvtext
