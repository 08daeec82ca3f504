// The behaviour the currency and percent boxes share, written once.
#include "norvtext/controls/numeric_box.hpp"

#include "norvtext/foundation/key_codes.hpp"

namespace norvtext {

std::string NumericBoxBase::accessible_description() const {
    return max_chars_ > 0 ? std::string(description_) + ", " + at_most(max_chars_) : std::string(description_);
}

void NumericBoxBase::InitProperties() {
    max_chars_ = 0;
    stored_text_ = zero_display_;
    Textbox.set_text(zero_display_);
    reset_switches();
}

void NumericBoxBase::setMaxChars(std::int16_t New_MaxChars) {
    // The limit applies to typing only: nothing in the box is cut to it.
    max_chars_ = New_MaxChars;
    leave_box(number_text_for_max_chars());
    announce("MaxChars");
}

void NumericBoxBase::setValue(std::u16string_view New_Value) {
    if (std::optional<std::u16string> shown = shown_text(New_Value)) {
        show_assigned(*shown);
        remember_assigned();
        announce("Value");
        return;
    }
    // A value that is not a number still leaves a defined box: the zero display. The
    // failure is reported by blinking only, never announced.
    Textbox.set_text(zero_display_);
    remember_assigned();
    refuse_entry();
    if (blink_on_error_) start_blink();
}

void NumericBoxBase::leave_box(std::u16string_view number_text) {
    if (std::optional<std::u16string> shown = shown_text(number_text)) {
        Textbox.set_text(*shown);
        Textbox.set_sel_start(0);
        accept_entry();
        return;
    }
    // Not a number (an empty box included): left as typed for the user to see and mend.
    refuse_entry();
    start_blink();
}

bool NumericBoxBase::is_number_key(std::int16_t KeyAscii) const {
    if ((KeyAscii >= u'0' && KeyAscii <= u'9') || KeyAscii == u'.' || KeyAscii == u'-') return true;
    // Numbers are read with the locale's decimal symbol, so the user must be able to type
    // it; "." is admitted in every locale, as the filter's own fixed set.
    const std::u16string_view decimal = locale().decimal;
    return KeyAscii != 0 && decimal.size() == 1 && static_cast<char16_t>(KeyAscii) == decimal.front();
}

void NumericBoxBase::on_key_down(std::int16_t& KeyCode, std::int16_t& Shift) {
    keypad_decimal_ = KeyCode == keys::NumpadDecimal;
    BoxBase::on_key_down(KeyCode, Shift);
}

void NumericBoxBase::on_key_press(std::int16_t& KeyAscii) {
    // The keypad's decimal key types "." or "," by the keyboard's layout, whatever the
    // locale; in a number box it is the locale's decimal symbol, as the user means it.
    if (keypad_decimal_ && locale().decimal.size() == 1)
        KeyAscii = static_cast<std::int16_t>(locale().decimal.front());
    if (swallow_if_read_only(KeyAscii)) return;
    if (KeyAscii == keys::Backspace) return;  // Backspace edits quietly: never offered to the host
    if (Textbox.sel_length() == 0 && at_limit(Textbox.text().size())) {
        refuse_key(at_most(max_chars_));
        KeyAscii = 0;
        return;
    }
    // Only where a character lands is not checked: a misplaced sign or a second decimal
    // symbol is caught when the box is left.
    if (is_number_key(KeyAscii))
        host_.KeyPress(KeyAscii);  // whatever the host leaves goes in unchecked
    else
        KeyAscii = 0;
}

char16_t NumericBoxBase::admitted_char(char16_t c, std::size_t length) const {
    return !at_limit(length) && is_number_key(static_cast<std::int16_t>(c)) ? c : u'\0';
}

bool NumericBoxBase::is_display_char(char16_t c) const {
    return zero_display_.find(c) != std::u16string_view::npos || locale().grouping == std::u16string_view(&c, 1);
}

BagLayout NumericBoxBase::numeric_layout(std::u16string_view zero_display, std::string_view load_head,
                                         std::string_view save_head) {
    // Straight into the inner box and the fields: no writer runs unless a name says so, and
    // the loaded text is shown as stored until the box is first left. "Text" is read and
    // written twice: the text as shown goes first, so a bag that keeps the first write of a
    // key keeps what the box holds now; the stored text, read second, replaces whatever the
    // keys before it left in the box. The drag and drop modes are 16-bit numbers in the bag.
    using B = NumericBoxBase;
    return BagLayout{
        std::string(load_head) +
            " MaxChars Text:shown ForeColor BackColor ForeColor Enabled MousePointer SelLength SelStart SelText "
            "Text OLEDragMode:Integer OLEDropMode:Integer ToolTipText FocusSelect EscapeClear Blink BlinkOnError "
            "ReadOnly",
        std::string(save_head) +
            " SelLength SelStart SelText OLEDragMode:Integer OLEDropMode:Integer ToolTipText FocusSelect "
            "EscapeClear Blink BlinkOnError Text ReadOnly",
        {
            field_key<&B::max_chars_>("MaxChars", Variant(std::int16_t{0})),
            {"Text:shown", Variant(never_shown_text),
             [](BoxBase& b, const Variant& v) { b.textbox().set_text(v.to_string()); },
             [](const BoxBase& b) { return Variant(b.textbox().text()); }},
            {"Text", Variant(zero_display),
             [](BoxBase& b, const Variant& v) {
                 as<B>(b).stored_text_ = v.to_string();
                 b.textbox().set_text(as<B>(b).stored_text_);
             },
             [](const BoxBase& b) { return Variant(as<B>(b).stored_text_); }},
        }};
}

const Members* NumericBoxBase::bound_members() const {
    using B = NumericBoxBase;
    using T = MemberTable<B>;
    return T::once_with_text_and_value({
        T::bind("MaxChars", &B::MaxChars, &B::setMaxChars),
        T::bind("OLEDragMode", &B::OLEDragMode, &B::setOLEDragMode),
        T::bind("OLEDropMode", &B::OLEDropMode, &B::setOLEDropMode),
    }, BoxBase::bound_members());
}

}  // namespace norvtext
