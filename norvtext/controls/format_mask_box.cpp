// The telephone and ZIP boxes' shared writers, late-bound members and persistence.
#include "norvtext/controls/format_mask_box.hpp"

namespace norvtext {

void FormatMaskBoxBase::InitProperties() {
    // FormatMask stays as created (the first row); the inner text keeps its prompts.
    SetMask();
    stored_value_ = Variant(std::int16_t{0});
    reset_switches();
    blink_on_error_value_ = Variant(true);
}

void FormatMaskBoxBase::show_number(const Variant& digits) {
    const Variant number = completed(digits);
    // The text goes in first: when the box refuses it (a number too large for the row),
    // the stored value, the blink FormatDigits started and the selection stay as they were.
    masked().set_text(FormatDigits(number));
    stored_value_ = Variant(number.to_double(locale()));
    accept_entry();
}

void FormatMaskBoxBase::setText(std::u16string_view New_Text) {
    const Variant digits = DigitsOnly(Variant(New_Text));
    if (has_positive_number(digits))
        show_number(digits);
    else
        clear_quietly();
    announce("Text");
}

void FormatMaskBoxBase::setValue(const Variant& New_Value) {
    const Variant digits = DigitsOnly(New_Value);
    if (has_positive_number(digits)) {
        show_number(digits);
    } else if (is_number(digits)) {
        clear_quietly();
    } else {
        const bool blink = blink_on_error_value_.to_boolean(locale());  // before anything changes
        clear_stored();
        refuse_entry();
        if (blink)
            start_blink();
        else
            settle_without_digits();
    }
    announce("Value");
}

const BagLayout& FormatMaskBoxBase::bag_layout() const {
    // The inner box's members straight in, nothing announced; the text is laid out anew
    // under the loaded FormatMask, before Blink is read, so a loaded Blink overrides a blink
    // the layout started. The mouse pointer goes into the bag as a Long.
    using B = FormatMaskBoxBase;
    static const BagLayout layout{
        "BackColor Enabled Font MouseIcon MousePointer:Long ForeColor BackColor Text SelLength SelStart SelText "
        "Value FormatMask BackColor BorderStyle Enabled ForeColor OLEDragMode OLEDropMode ToolTipText *layout "
        "FocusSelect EscapeClear Blink BlinkOnError ReadOnly",
        "BackColor Enabled Font MouseIcon MousePointer:Long Text ForeColor BackColor SelLength SelStart SelText "
        "Value FormatMask BackColor BorderStyle Enabled ForeColor hWnd OLEDragMode OLEDropMode ToolTipText "
        "FocusSelect EscapeClear Blink BlinkOnError ReadOnly",
        {
            {"Text", Variant(u""),
             [](BoxBase& b, const Variant& v) { as<B>(b).loaded_text_ = v.to_string(b.host().locale()); },
             [](const BoxBase& b) { return Variant(b.textbox().text()); }, BagKey::WriteDefault::None},
            sel_text_in_host_locale(),
            stored_value_key(),
            field_key<&B::format_mask_>("FormatMask", Variant(std::int32_t{0})),
            {"*layout", {}, [](BoxBase& b, const Variant&) {
                 auto& box = as<B>(b);
                 box.SetMask();
                 Variant digits = box.DigitsOnly(Variant(box.loaded_text_));
                 if (box.has_positive_number(digits)) digits = box.completed(digits);
                 box.masked().set_text(box.FormatDigits(digits));
             }},
            // Written but never read back: a window handle means nothing in the next session.
            {"hWnd", {}, nullptr, [](const BoxBase& b) { return Variant(b.hWnd()); }, BagKey::WriteDefault::Own,
             Variant(std::int32_t{2740})},
            field_key<&B::blink_on_error_value_>("BlinkOnError", Variant(true)),
        }};
    return layout;
}

const Members* FormatMaskBoxBase::bound_members() const {
    using B = FormatMaskBoxBase;
    using T = MemberTable<B>;
    return T::once_with_text_and_value({
        {"FormatMask", [](B& b) { return Variant(b.format_mask_); },
         [](B& b, const Variant& v) { b.set_format_mask(v.to_long()); }},
        T::bind("BlinkOnError", &B::BlinkOnError, &B::setBlinkOnError),
    }, DigitBoxBase::bound_members());
}

}  // namespace norvtext
