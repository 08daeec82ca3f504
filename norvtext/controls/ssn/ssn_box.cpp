// The social security number box: its Text and Value rules, late-bound members and
// persistence.
#include "norvtext/controls/ssn/ssn_box.hpp"

#include <cmath>

#include "norvtext/platform/numbers.hpp"

namespace norvtext {

namespace {
constexpr DigitRow ssn_row{u"###-##-####", u"000-00-0000", 9};
}  // namespace

txtNorvSocialSecurity::txtNorvSocialSecurity(Host& host) : DigitBoxBase(host, ssn_row.mask, 11) {}

const ClassInfo& txtNorvSocialSecurity::class_info() const {
    return *type_library().find_class("txtNorvSocialSecurity");
}

const DigitRow& txtNorvSocialSecurity::row() const { return ssn_row; }

void txtNorvSocialSecurity::InitProperties() {
    // The inner text keeps its prompts; the timer is not touched.
    masked().set_mask(ssn_row.mask);
    focus_select_ = true;
    escape_clear_ = true;
    stored_value_ = Variant(std::int16_t{0});
    blink_on_error_ = true;
    read_only_ = false;
}

void txtNorvSocialSecurity::setBlinkOnError(bool New_BlinkOnError) {
    blink_on_error_ = New_BlinkOnError;
    announce("BlinkOnError");
}

void txtNorvSocialSecurity::show_number(double number) {
    masked().set_text(format_pattern(number, ssn_row.pattern, locale()));
    stored_value_ = Variant(number);
    stop_blink_timer();
    Textbox.set_sel_length(0);
}

void txtNorvSocialSecurity::clear_and_flag() {
    clear_stored();
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
        const double number = std::round(leading_number(text));
        if (number > 0)
            show_number(number);
        else
            clear_quietly();
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
    if (numeric && number <= ssn_row.largest()) {
        if (number > 0)
            show_number(number);
        else
            clear_quietly();
    } else {
        clear_and_flag();
    }
    announce("Value");
}

void txtNorvSocialSecurity::ReadProperties(PropertyBag& bag) {
    // Straight into the inner box and the fields: nothing is announced, and the text goes in
    // as saved, prompts and all.
    read_inner(bag, "BackColor", InnerMember::BackColor, bag_default::back_color);
    read_inner(bag, "Enabled", InnerMember::Enabled, Variant(true));
    read_inner(bag, "Font", InnerMember::Font, default_font());
    read_inner(bag, "MouseIcon", InnerMember::MouseIcon, Variant::nothing());
    read_inner(bag, "MousePointer", InnerMember::MousePointer, Variant(std::int32_t{0}));
    focus_select_ = bag.read("FocusSelect", Variant(true)).to_boolean();
    escape_clear_ = bag.read("EscapeClear", Variant(true)).to_boolean();
    read_inner(bag, "ForeColor", InnerMember::ForeColor, bag_default::fore_color);
    masked().set_text(bag.read("Text", Variant(u"")).to_string(locale()));
    Textbox.set_sel_length(bag.read("SelLength", Variant(std::int32_t{0})).to_long());
    Textbox.set_sel_start(bag.read("SelStart", Variant(std::int32_t{0})).to_long());
    Textbox.set_sel_text(bag.read("SelText", Variant(u"")).to_string(locale()));
    stored_value_ = bag.read("Value", Variant(std::int16_t{0}));
    read_inner(bag, "BorderStyle", InnerMember::BorderStyle, Variant(std::int32_t{1}));
    read_inner(bag, "OLEDragMode", InnerMember::OLEDragMode, Variant(std::int32_t{0}));
    read_inner(bag, "OLEDropMode", InnerMember::OLEDropMode, Variant(std::int32_t{0}));
    read_inner(bag, "ToolTipText", InnerMember::ToolTipText, Variant(u""));
    read_blink(bag);
    blink_on_error_ = bag.read("BlinkOnError", Variant(true)).to_boolean();
    read_only_ = bag.read("ReadOnly", Variant(false)).to_boolean();
}

void txtNorvSocialSecurity::WriteProperties(PropertyBag& bag) {
    // The mouse pointer and the modes are stored as Longs, whatever the inner box keeps.
    const auto as_long = [this](InnerMember m) { return Variant(inner(m).to_long()); };
    write_inner(bag, "BackColor", InnerMember::BackColor, bag_default::back_color);
    write_inner(bag, "Enabled", InnerMember::Enabled, Variant(true));
    write_inner(bag, "Font", InnerMember::Font, default_font());
    write_inner(bag, "MouseIcon", InnerMember::MouseIcon, Variant::nothing());
    bag.write("MousePointer", as_long(InnerMember::MousePointer), Variant(std::int32_t{0}));
    bag.write("FocusSelect", Variant(focus_select_), Variant(true));
    bag.write("EscapeClear", Variant(escape_clear_), Variant(true));
    // A masked text never equals this default, so the text is in effect always written.
    bag.write("Text", Variant(Textbox.text()), Variant(u"Krovint"));
    write_inner(bag, "ForeColor", InnerMember::ForeColor, bag_default::fore_color);
    bag.write("SelLength", Variant(Textbox.sel_length()), Variant(std::int32_t{0}));
    bag.write("SelStart", Variant(Textbox.sel_start()), Variant(std::int32_t{0}));
    bag.write("SelText", Variant(Textbox.sel_text()), Variant(u""));
    bag.write("Value", stored_value_, Variant(std::int16_t{0}));
    bag.write("BorderStyle", as_long(InnerMember::BorderStyle), Variant(std::int32_t{1}));
    bag.write("OLEDragMode", as_long(InnerMember::OLEDragMode), Variant(std::int32_t{0}));
    bag.write("OLEDropMode", as_long(InnerMember::OLEDropMode), Variant(std::int32_t{0}));
    write_inner(bag, "ToolTipText", InnerMember::ToolTipText, Variant(u""));
    write_blink(bag);
    bag.write("BlinkOnError", Variant(blink_on_error_), Variant(true));
    bag.write("ReadOnly", Variant(read_only_), Variant(false));
}

namespace {
using Table = MemberTable<txtNorvSocialSecurity>;
const Table& own_members() {
    static const Table table{
        {"Text", [](txtNorvSocialSecurity& b) { return Variant(b.Text()); },
         [](txtNorvSocialSecurity& b, const Variant& v) { b.setText(v.to_string()); }},
        {"Value", [](txtNorvSocialSecurity& b) { return b.Value(); },
         [](txtNorvSocialSecurity& b, const Variant& v) { b.setValue(v); }},
        {"BlinkOnError", [](txtNorvSocialSecurity& b) { return Variant(b.BlinkOnError()); },
         [](txtNorvSocialSecurity& b, const Variant& v) { b.setBlinkOnError(v.to_boolean()); }},
    };
    return table;
}
}  // namespace

Variant txtNorvSocialSecurity::get_member(std::string_view member) {
    if (own_members().contains(member)) return own_members().get(*this, member);
    return DigitBoxBase::get_member(member);
}

void txtNorvSocialSecurity::put_member(std::string_view member, const Variant& value) {
    if (own_members().contains(member)) return own_members().put(*this, member, value);
    DigitBoxBase::put_member(member, value);
}

}  // namespace norvtext
