// The behaviours every control shares, written once.
#include "norvtext/foundation/box_base.hpp"

#include "norvtext/foundation/key_codes.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext {

BoxBase::BoxBase(Host& host, std::string_view class_name, std::unique_ptr<EditBox> box)
    : host_(host),
      class_info_(*type_library().find_class(class_name)),
      textbox_owner_(std::move(box)),
      timer_owner_(host.create_timer()),
      Textbox(*textbox_owner_),
      Timer1(*timer_owner_) {
    Textbox.set_listener(this);
    Timer1.set_listener(this);
}

BoxBase::~BoxBase() {
    Textbox.set_listener(nullptr);
    Timer1.set_listener(nullptr);
}

void BoxBase::Resize() {
    Textbox.set_width(host_.width());
    Textbox.set_height(host_.height());
}

void BoxBase::setFocusSelect(bool New_FocusSelect) { set_field(focus_select_, New_FocusSelect, "FocusSelect"); }
void BoxBase::setEscapeClear(bool New_EscapeClear) { set_field(escape_clear_, New_EscapeClear, "EscapeClear"); }
// The inner box's Locked stays as it is: read-only filters typed characters and refuses the
// user's other edits (see user_may_edit).
void BoxBase::setReadOnly(bool New_ReadOnly) {
    const bool changed = New_ReadOnly != read_only_;
    set_field(read_only_, New_ReadOnly, "ReadOnly");
    if (changed) host_.accessible_event(AccessibleEvent::StateChanged, {});
}
void BoxBase::setBlinkOnError(bool New_BlinkOnError) { set_field(blink_on_error_, New_BlinkOnError, "BlinkOnError"); }

void BoxBase::setBlink(bool New_Blink) {
    Timer1.set_enabled(New_Blink);
    if (Timer1.enabled())
        Textbox.set_sel_start(0);
    else
        Textbox.set_sel_length(0);
    announce("Blink");
}

void BoxBase::setAbout(bool) {
    host_.show_about(about_box());
    announce("About");
}

void BoxBase::select_on_focus() {
    Textbox.set_sel_start(0);
    Textbox.set_sel_length(focus_select_ ? static_cast<std::int32_t>(Textbox.text().size()) : 0);
}

bool BoxBase::swallow_if_read_only(std::int16_t& KeyAscii) const {
    if (!read_only_) return false;
    KeyAscii = 0;
    return true;
}

void BoxBase::on_user_text(std::u16string_view text) {
    if (read_only_) return;
    std::u16string admitted;
    bool refused = false;
    const std::size_t kept = Textbox.text().size() - static_cast<std::size_t>(Textbox.sel_length());
    for (const char16_t c : text) {
        // A single-line box has no place for control characters, and a copied line often
        // ends in a line break: they drop out quietly.
        if (c < keys::Space) continue;
        if (const char16_t a = admitted_char(c, kept + admitted.size()))
            admitted += a;
        else
            refused = refused || !is_display_char(c);
    }
    // Nothing admitted changes nothing, as a refused key leaves the selection alone.
    if (!admitted.empty()) Textbox.set_sel_text(admitted);
    if (refused) refuse_key("some characters not taken; " + accessible_description());
}

void BoxBase::end_blink() {
    Timer1.set_enabled(false);
    Textbox.set_sel_length(0);
}

void BoxBase::accept_entry() {
    end_blink();
    entry_valid();
}

void BoxBase::start_blink() {
    Timer1.set_enabled(true);
    Textbox.set_sel_start(0);
}

void BoxBase::on_key_down(std::int16_t& KeyCode, std::int16_t& Shift) { host_.KeyDown(KeyCode, Shift); }

void BoxBase::on_key_up(std::int16_t& KeyCode, std::int16_t& Shift) {
    // Cleared on release, so the Escape key's KeyDown and KeyPress have already passed.
    if (KeyCode == keys::Escape && escape_clear_) {
        Textbox.set_text(cleared_text());
        entry_valid();
    }
    host_.KeyUp(KeyCode, Shift);
}

void BoxBase::on_change() {
    host_.accessible_event(AccessibleEvent::ValueChanged, {});
    host_.Change();
}

AccessibleView BoxBase::accessible() const {
    return {accessible_value(), accessible_description(), read_only_, !invalid_reason_.empty(), invalid_reason_};
}

std::u16string BoxBase::accessible_value() const {
    // A password box gives away only how many characters it holds.
    const std::u16string password = inner(InnerMember::PasswordChar).to_string();
    if (!password.empty()) return std::u16string(Textbox.text().size(), password.front());
    return std::u16string(Textbox.text());
}

void BoxBase::entry_invalid(std::string_view reason) {
    if (reason == invalid_reason_) return;
    invalid_reason_ = reason;
    host_.accessible_event(AccessibleEvent::StateChanged, reason);
}

void BoxBase::refuse_key(std::string_view reason) {
    host_.beep();
    host_.accessible_event(AccessibleEvent::KeyRefused, reason);
}

void BoxBase::on_timer() {
    const auto length = static_cast<std::int32_t>(Textbox.text().size());
    Textbox.set_sel_length(Textbox.sel_length() == length ? 0 : length);
}

void BoxBase::set_inner(InnerMember m, const Variant& value) {
    Textbox.set_member(m, value);
    announce(inner_info(m).name);
}

const Members* BoxBase::bound_members() const {
    using B = BoxBase;
    using T = MemberTable<B>;
    // The pass-through members are no rows: get_member and put_member hand them to the inner
    // box by name. Writers of members a class publishes read-only are still bound: the type
    // library refuses the write (383) before any binding is reached.
    return T::once({
        T::bind("FocusSelect", &B::FocusSelect, &B::setFocusSelect),
        T::bind("EscapeClear", &B::EscapeClear, &B::setEscapeClear),
        T::bind("ReadOnly", &B::ReadOnly, &B::setReadOnly),
        T::bind("Blink", &B::Blink, &B::setBlink),
        T::bind("BlinkOnError", &B::BlinkOnError, &B::setBlinkOnError),
        T::bind("About", &B::About, &B::setAbout),
        T::bind("SelLength", &B::SelLength, &B::setSelLength),
        T::bind("SelStart", &B::SelStart, &B::setSelStart),
        T::bind("SelText", &B::SelText, &B::setSelText),
    });
}

Variant BoxBase::get_member(std::string_view member) {
    if (const InnerMember* m = find_inner_member(member)) return inner(*m);
    return Dispatch::get_member(member);
}

void BoxBase::put_member(std::string_view member, const Variant& value) {
    if (const InnerMember* m = find_inner_member(member)) return set_inner(*m, value);
    Dispatch::put_member(member, value);
}

}  // namespace norvtext
