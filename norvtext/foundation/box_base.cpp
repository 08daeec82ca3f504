// The behaviours every control shares, written once.
#include "norvtext/foundation/box_base.hpp"

#include "norvtext/foundation/key_codes.hpp"

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

// The inner box's Locked stays as it is: read-only filters typed characters and refuses the
// user's other edits (see user_may_edit).
void BoxBase::setReadOnly(bool New_ReadOnly) {
    const bool changed = New_ReadOnly != read_only_;
    set_field(read_only_, New_ReadOnly, "ReadOnly");
    if (changed) host_.accessible_event(AccessibleEvent::StateChanged, {});
}

void BoxBase::setBlink(bool New_Blink) {
    if (New_Blink)
        start_blink();
    else
        end_blink();
    announce("Blink");
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

void BoxBase::on_key_up(std::int16_t& KeyCode, std::int16_t& Shift) {
    // Cleared on release, so the Escape key's KeyDown and KeyPress have already passed.
    if (KeyCode == keys::Escape && escape_clear_) {
        Textbox.set_text(cleared_text());
        entry_valid();
    }
    host_.KeyUp(KeyCode, Shift);
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

}  // namespace norvtext
