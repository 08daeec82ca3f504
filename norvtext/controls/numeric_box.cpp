// The behaviour the currency and percent boxes share, written once.
#include "norvtext/controls/numeric_box.hpp"

#include <limits>

#include "norvtext/foundation/key_codes.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext {

namespace {

// The bag's first "Text" key carries this writing and reading default; a box never shows it,
// so the inner text is always written.
constexpr std::u16string_view first_text_default = u"Krovint";

std::int16_t narrow_to_integer(std::int32_t value) {
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        raise(ErrorCode::Overflow);
    return static_cast<std::int16_t>(value);
}

}  // namespace

NumericBoxBase::NumericBoxBase(Host& host, std::u16string_view zero_display)
    : BoxBase(host, host.create_edit_box()), zero_display_(zero_display), number_locale_(host.locale()) {}

void NumericBoxBase::InitProperties() {
    max_chars_ = 0;
    stored_text_ = zero_display_;
    Textbox.set_text(zero_display_);
    focus_select_ = true;
    escape_clear_ = true;
    blink_on_error_ = true;
    read_only_ = false;
}

void NumericBoxBase::setMaxChars(std::int16_t New_MaxChars) {
    // The limit applies to typing only: nothing in the box is cut to it.
    max_chars_ = New_MaxChars;
    leave_box(number_text_for_max_chars());
    announce("MaxChars");
}

void NumericBoxBase::setBlinkOnError(bool New_BlinkOnError) {
    blink_on_error_ = New_BlinkOnError;
    announce("BlinkOnError");
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
    if (blink_on_error_) start_blink();
}

void NumericBoxBase::setOLEDragMode(std::int32_t New_OLEDragMode) {
    BoxBase::setOLEDragMode(narrow_to_integer(New_OLEDragMode));
}

void NumericBoxBase::setOLEDropMode(std::int32_t New_OLEDropMode) {
    BoxBase::setOLEDropMode(narrow_to_integer(New_OLEDropMode));
}

void NumericBoxBase::leave_box(std::u16string_view number_text) {
    if (std::optional<std::u16string> shown = shown_text(number_text)) {
        Textbox.set_text(*shown);
        Textbox.set_sel_start(0);
        Textbox.set_sel_length(0);
        stop_blink_timer();
        return;
    }
    // Not a number (an empty box included): left as typed for the user to see and mend.
    start_blink();
}

void NumericBoxBase::show_assigned(std::u16string_view shown) {
    Textbox.set_text(shown);
    stop_blink_timer();
    Textbox.set_sel_length(0);
}

void NumericBoxBase::on_got_focus() {
    stop_blink_timer();
    unformat();
    select_on_focus();
}

void NumericBoxBase::on_lost_focus() { leave_box(Textbox.text()); }

bool NumericBoxBase::is_number_key(std::int16_t KeyAscii) const {
    if ((KeyAscii >= u'0' && KeyAscii <= u'9') || KeyAscii == u'.' || KeyAscii == u'-') return true;
    // Numbers are read with the locale's decimal symbol, so the user must be able to type
    // it; "." stays admitted as it always was.
    const std::u16string_view decimal = number_locale_.decimal;
    return KeyAscii != 0 && decimal.size() == 1 && static_cast<char16_t>(KeyAscii) == decimal.front();
}

void NumericBoxBase::on_key_press(std::int16_t& KeyAscii) {
    if (swallow_if_read_only(KeyAscii)) return;
    if (KeyAscii == keys::Backspace) return;  // Backspace edits quietly: never offered to the host
    if (max_chars_ > 0 && Textbox.text().size() >= static_cast<std::size_t>(max_chars_) &&
        Textbox.sel_length() == 0) {
        host_.beep();
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

void NumericBoxBase::read_drag_drop_mode(PropertyBag& bag, std::string_view key, InnerMember m) {
    Textbox.set_member(m, Variant(bag.read(key, Variant(std::int16_t{0})).to_integer()));
}

void NumericBoxBase::write_drag_drop_mode(PropertyBag& bag, std::string_view key, InnerMember m) {
    bag.write(key, Variant(Textbox.member(m).to_integer()), Variant(std::int16_t{0}));
}

void NumericBoxBase::read_from_max_chars(PropertyBag& bag) {
    // Straight into the inner box and the fields: no writer runs, so nothing is announced
    // and the loaded text is shown as stored until the box is first left.
    max_chars_ = bag.read("MaxChars", Variant(std::int16_t{0})).to_integer();
    Textbox.set_text(bag.read("Text", Variant(first_text_default)).to_string());
    read_inner(bag, "ForeColor", InnerMember::ForeColor, bag_default::fore_color);
    read_inner(bag, "BackColor", InnerMember::BackColor, bag_default::back_color);
    read_inner(bag, "ForeColor", InnerMember::ForeColor, bag_default::fore_color);
    read_inner(bag, "Enabled", InnerMember::Enabled, Variant(true));
    read_inner(bag, "MousePointer", InnerMember::MousePointer, Variant(std::int16_t{0}));
    Textbox.set_sel_length(bag.read("SelLength", Variant(std::int32_t{0})).to_long());
    Textbox.set_sel_start(bag.read("SelStart", Variant(std::int32_t{0})).to_long());
    Textbox.set_sel_text(bag.read("SelText", Variant(u"")).to_string());
    // The stored text replaces whatever the keys above left in the box.
    stored_text_ = bag.read("Text", Variant(zero_display_)).to_string();
    Textbox.set_text(stored_text_);
    read_drag_drop_mode(bag, "OLEDragMode", InnerMember::OLEDragMode);
    read_drag_drop_mode(bag, "OLEDropMode", InnerMember::OLEDropMode);
    read_inner(bag, "ToolTipText", InnerMember::ToolTipText, Variant(u""));
    focus_select_ = bag.read("FocusSelect", Variant(true)).to_boolean();
    escape_clear_ = bag.read("EscapeClear", Variant(true)).to_boolean();
    read_blink(bag);
    blink_on_error_ = bag.read("BlinkOnError", Variant(true)).to_boolean();
    read_only_ = bag.read("ReadOnly", Variant(false)).to_boolean();
}

void NumericBoxBase::write_max_chars(PropertyBag& bag) {
    bag.write("MaxChars", Variant(max_chars_), Variant(std::int16_t{0}));
}

void NumericBoxBase::write_inner_text(PropertyBag& bag) {
    // The text as shown goes first: a bag that keeps the first write of a key keeps what the
    // box holds now, also after Value or Text changed it since the last load.
    bag.write("Text", Variant(Textbox.text()), Variant(first_text_default));
}

void NumericBoxBase::write_from_sel_length(PropertyBag& bag) {
    bag.write("SelLength", Variant(Textbox.sel_length()), Variant(std::int32_t{0}));
    bag.write("SelStart", Variant(Textbox.sel_start()), Variant(std::int32_t{0}));
    bag.write("SelText", Variant(Textbox.sel_text()), Variant(u""));
    write_drag_drop_mode(bag, "OLEDragMode", InnerMember::OLEDragMode);
    write_drag_drop_mode(bag, "OLEDropMode", InnerMember::OLEDropMode);
    write_inner(bag, "ToolTipText", InnerMember::ToolTipText, Variant(u""));
    bag.write("FocusSelect", Variant(focus_select_), Variant(true));
    bag.write("EscapeClear", Variant(escape_clear_), Variant(true));
    write_blink(bag);
    bag.write("BlinkOnError", Variant(blink_on_error_), Variant(true));
    bag.write("Text", Variant(stored_text_), Variant(zero_display_));
    bag.write("ReadOnly", Variant(read_only_), Variant(false));
}

namespace {
using Table = MemberTable<NumericBoxBase>;
const Table& own_members() {
    static const Table table{
        {"Value", [](NumericBoxBase& b) { return Variant(b.Value()); },
         [](NumericBoxBase& b, const Variant& v) { b.setValue(v.string_ref()); }},
        {"MaxChars", [](NumericBoxBase& b) { return Variant(b.MaxChars()); },
         [](NumericBoxBase& b, const Variant& v) { b.setMaxChars(v.to_integer()); }},
        {"Text", [](NumericBoxBase& b) { return Variant(b.Text()); },
         [](NumericBoxBase& b, const Variant& v) { b.setText(v.string_ref()); }},
        {"BlinkOnError", [](NumericBoxBase& b) { return Variant(b.BlinkOnError()); },
         [](NumericBoxBase& b, const Variant& v) { b.setBlinkOnError(v.to_boolean()); }},
        {"OLEDragMode", [](NumericBoxBase& b) { return Variant(b.OLEDragMode()); },
         [](NumericBoxBase& b, const Variant& v) { b.setOLEDragMode(v.to_long()); }},
        {"OLEDropMode", [](NumericBoxBase& b) { return Variant(b.OLEDropMode()); },
         [](NumericBoxBase& b, const Variant& v) { b.setOLEDropMode(v.to_long()); }},
    };
    return table;
}
}  // namespace

Variant NumericBoxBase::get_member(std::string_view member) {
    if (own_members().contains(member)) return own_members().get(*this, member);
    return BoxBase::get_member(member);
}

void NumericBoxBase::put_member(std::string_view member, const Variant& value) {
    if (own_members().contains(member)) return own_members().put(*this, member, value);
    BoxBase::put_member(member, value);
}

}  // namespace norvtext
