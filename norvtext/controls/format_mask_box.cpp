// The telephone and ZIP boxes' shared writers, late-bound members and persistence.
#include "norvtext/controls/format_mask_box.hpp"

namespace norvtext {

FormatMaskBoxBase::FormatMaskBoxBase(Host& host, std::span<const DigitRow> rows, std::u16string_view design_mask,
                                     std::int32_t design_max_length)
    : DigitBoxBase(host, design_mask, design_max_length), rows_(rows) {}

const DigitRow& FormatMaskBoxBase::row() const {
    return in_range() ? rows_[static_cast<std::size_t>(format_mask_)] : rows_.front();
}

void FormatMaskBoxBase::init_common() {
    // FormatMask stays as created (the first row); the inner text keeps its prompts.
    SetMask();
    stored_value_ = Variant(std::int16_t{0});
    focus_select_ = true;
    escape_clear_ = true;
    blink_on_error_ = Variant(true);
    read_only_ = false;
}

void FormatMaskBoxBase::set_format_mask(std::int32_t New_FormatMask) {
    // Any number is kept; one without a row of its own uses the first row.
    format_mask_ = New_FormatMask;
    SetMask();
    announce("FormatMask");
}

void FormatMaskBoxBase::setBlinkOnError(const Variant& New_BlinkOnError) {
    // Refused now (13, 94) rather than when a Value assignment consults it.
    (void)New_BlinkOnError.to_boolean(locale());
    blink_on_error_ = New_BlinkOnError;
    announce("BlinkOnError");
}

bool FormatMaskBoxBase::has_positive_number(const Variant& digits) const {
    return is_number(digits) && numeric_reading(digits, locale()) > 0;
}

void FormatMaskBoxBase::show_number(const Variant& digits) {
    const Variant number = completed(digits);
    // The text goes in first: when the box refuses it (a number too large for the row),
    // the stored value, the blink FormatDigits started and the selection stay as they were.
    masked().set_text(FormatDigits(number));
    stored_value_ = Variant(number.to_double(locale()));
    stop_blink_timer();
    Textbox.set_sel_length(0);
}

void FormatMaskBoxBase::setText(std::u16string_view New_Text) {
    const Variant digits = DigitsOnly(Variant(New_Text));
    if (has_positive_number(digits)) {
        show_number(digits);
    } else {
        clear_quietly();
    }
    announce("Text");
}

void FormatMaskBoxBase::setValue(const Variant& New_Value) {
    const Variant digits = DigitsOnly(New_Value);
    if (is_number(digits)) {
        if (numeric_reading(digits, locale()) > 0) {
            show_number(digits);
        } else {
            clear_quietly();
        }
    } else {
        const bool blink = blink_on_error_.to_boolean(locale());  // before anything changes
        clear_stored();
        if (blink)
            start_blink();
        else
            settle_without_digits();
    }
    announce("Value");
}

void FormatMaskBoxBase::ReadProperties(PropertyBag& bag) {
    // The inner box's members straight in, nothing announced; the text is laid out anew at
    // the end under the loaded FormatMask.
    read_inner(bag, "BackColor", InnerMember::BackColor, bag_default::back_color);
    read_inner(bag, "Enabled", InnerMember::Enabled, Variant(true));
    read_inner(bag, "Font", InnerMember::Font, default_font());
    read_inner(bag, "MouseIcon", InnerMember::MouseIcon, Variant::nothing());
    read_inner(bag, "MousePointer", InnerMember::MousePointer, Variant(std::int32_t{0}));
    read_inner(bag, "ForeColor", InnerMember::ForeColor, bag_default::fore_color);
    read_inner(bag, "BackColor", InnerMember::BackColor, bag_default::back_color);
    const std::u16string loaded_text = bag.read("Text", Variant(u"")).to_string(locale());
    Textbox.set_sel_length(bag.read("SelLength", Variant(std::int32_t{0})).to_long());
    Textbox.set_sel_start(bag.read("SelStart", Variant(std::int32_t{0})).to_long());
    Textbox.set_sel_text(bag.read("SelText", Variant(u"")).to_string(locale()));
    stored_value_ = bag.read("Value", Variant(std::int16_t{0}));
    format_mask_ = bag.read("FormatMask", Variant(std::int32_t{0})).to_long();
    read_inner(bag, "BackColor", InnerMember::BackColor, bag_default::back_color);
    read_inner(bag, "BorderStyle", InnerMember::BorderStyle, Variant(std::int32_t{1}));
    read_inner(bag, "Enabled", InnerMember::Enabled, Variant(true));
    read_inner(bag, "ForeColor", InnerMember::ForeColor, bag_default::fore_color);
    read_inner(bag, "OLEDragMode", InnerMember::OLEDragMode, Variant(std::int32_t{0}));
    read_inner(bag, "OLEDropMode", InnerMember::OLEDropMode, Variant(std::int32_t{0}));
    read_inner(bag, "ToolTipText", InnerMember::ToolTipText, Variant(u""));
    SetMask();
    Variant digits = DigitsOnly(Variant(loaded_text));
    if (has_positive_number(digits)) digits = completed(digits);
    masked().set_text(FormatDigits(digits));
    focus_select_ = bag.read("FocusSelect", Variant(true)).to_boolean();
    escape_clear_ = bag.read("EscapeClear", Variant(true)).to_boolean();
    read_blink(bag);  // overrides a blink the layout above started
    blink_on_error_ = bag.read("BlinkOnError", Variant(true));
    read_only_ = bag.read("ReadOnly", Variant(false)).to_boolean();
}

void FormatMaskBoxBase::WriteProperties(PropertyBag& bag) {
    // The mouse pointer and the modes are stored as Longs, whatever the inner box keeps.
    const auto as_long = [this](InnerMember m) { return Variant(inner(m).to_long()); };
    write_inner(bag, "BackColor", InnerMember::BackColor, bag_default::back_color);
    write_inner(bag, "Enabled", InnerMember::Enabled, Variant(true));
    write_inner(bag, "Font", InnerMember::Font, default_font());
    write_inner(bag, "MouseIcon", InnerMember::MouseIcon, Variant::nothing());
    bag.write("MousePointer", as_long(InnerMember::MousePointer), Variant(std::int32_t{0}));
    bag.write("Text", Variant(Textbox.text()), std::nullopt);
    write_inner(bag, "ForeColor", InnerMember::ForeColor, bag_default::fore_color);
    write_inner(bag, "BackColor", InnerMember::BackColor, bag_default::back_color);
    bag.write("SelLength", Variant(Textbox.sel_length()), Variant(std::int32_t{0}));
    bag.write("SelStart", Variant(Textbox.sel_start()), Variant(std::int32_t{0}));
    bag.write("SelText", Variant(Textbox.sel_text()), Variant(u""));
    bag.write("Value", stored_value_, Variant(std::int16_t{0}));
    bag.write("FormatMask", Variant(format_mask_), Variant(std::int32_t{0}));
    write_inner(bag, "BackColor", InnerMember::BackColor, bag_default::back_color);
    bag.write("BorderStyle", as_long(InnerMember::BorderStyle), Variant(std::int32_t{1}));
    write_inner(bag, "Enabled", InnerMember::Enabled, Variant(true));
    write_inner(bag, "ForeColor", InnerMember::ForeColor, bag_default::fore_color);
    // Written but never read back: a window handle means nothing in the next session.
    bag.write("hWnd", as_long(InnerMember::hWnd), Variant(std::int32_t{2740}));
    bag.write("OLEDragMode", as_long(InnerMember::OLEDragMode), Variant(std::int32_t{0}));
    bag.write("OLEDropMode", as_long(InnerMember::OLEDropMode), Variant(std::int32_t{0}));
    write_inner(bag, "ToolTipText", InnerMember::ToolTipText, Variant(u""));
    bag.write("FocusSelect", Variant(focus_select_), Variant(true));
    bag.write("EscapeClear", Variant(escape_clear_), Variant(true));
    write_blink(bag);
    bag.write("BlinkOnError", blink_on_error_, Variant(true));
    bag.write("ReadOnly", Variant(read_only_), Variant(false));
}

const MemberTable<FormatMaskBoxBase>& FormatMaskBoxBase::format_box_members() {
    using B = FormatMaskBoxBase;
    static const MemberTable<B> table{
        {"Text", [](B& b) { return Variant(b.Text()); }, [](B& b, const Variant& v) { b.setText(v.to_string()); }},
        {"Value", [](B& b) { return b.Value(); }, [](B& b, const Variant& v) { b.setValue(v); }},
        {"FormatMask", [](B& b) { return Variant(b.format_mask_); },
         [](B& b, const Variant& v) { b.set_format_mask(v.to_long()); }},
        {"BlinkOnError", [](B& b) { return b.BlinkOnError(); }, [](B& b, const Variant& v) { b.setBlinkOnError(v); }},
    };
    return table;
}

Variant FormatMaskBoxBase::get_member(std::string_view member) {
    if (format_box_members().contains(member)) return format_box_members().get(*this, member);
    return DigitBoxBase::get_member(member);
}

void FormatMaskBoxBase::put_member(std::string_view member, const Variant& value) {
    if (format_box_members().contains(member)) return format_box_members().put(*this, member, value);
    DigitBoxBase::put_member(member, value);
}

}  // namespace norvtext
