// What every control shares, written once: the inner box and blink timer, the behaviour
// switches (FocusSelect, EscapeClear, ReadOnly, Blink, About), the pass-through members,
// focus selection, Escape clearing, the blink tick, resizing and the bag helpers.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "norvtext/foundation/bag_layout.hpp"
#include "norvtext/foundation/dispatch.hpp"
#include "norvtext/foundation/edit_box.hpp"
#include "norvtext/foundation/host.hpp"
#include "norvtext/foundation/property_bag.hpp"
#include "norvtext/foundation/timer.hpp"

namespace norvtext {

// The C++ form of a pass-through member of each kind: what its reader returns (taken from the
// value the inner box keeps), what its writer takes and what that is kept as.
template <MemberKind>
struct PassType;
#define NORVTEXT_PASS_TYPE(kind, Get, Set, Stored, to)                            \
    template <>                                                                   \
    struct PassType<MemberKind::kind> {                                           \
        using get = Get;                                                          \
        using set = Set;                                                          \
        static Get from(const Variant& v) { return v.to(); }                      \
        static Stored stored(Set v) { return static_cast<Stored>(std::move(v)); } \
    };
NORVTEXT_PASS_TYPE(Colour, Colour, Colour, std::int32_t, to_colour)
NORVTEXT_PASS_TYPE(Boolean, bool, bool, bool, to_boolean)
NORVTEXT_PASS_TYPE(Integer, std::int16_t, std::int16_t, std::int16_t, to_integer)
NORVTEXT_PASS_TYPE(Long, std::int32_t, std::int32_t, std::int32_t, to_long)
NORVTEXT_PASS_TYPE(Text, std::u16string, std::u16string_view, std::u16string_view, to_string)
NORVTEXT_PASS_TYPE(Char, std::u16string, std::u16string_view, std::u16string_view, to_string)
NORVTEXT_PASS_TYPE(Font, FontRef, FontRef, FontRef, to_font)
NORVTEXT_PASS_TYPE(Picture, PictureRef, PictureRef, PictureRef, to_picture)
#undef NORVTEXT_PASS_TYPE

class BoxBase : public Dispatch, protected EditBoxListener, protected TimerListener {
public:
    ~BoxBase() override {
        Textbox.set_listener(nullptr);
        Timer1.set_listener(nullptr);
    }
    const ClassInfo& class_info() const override { return class_info_; }

    // Host requests: first placement, load, save, resize.
    virtual void InitProperties() = 0;
    // Every key of the class's bag layout, in its order, read with its default; nothing is
    // caught, so a failing bag stops the load there and reaches the host.
    void ReadProperties(PropertyBag& bag);
    void WriteProperties(PropertyBag& bag);
    void Resize() {
        Textbox.set_width(host_.width());
        Textbox.set_height(host_.height());
    }

    // Behaviour switches.
    bool FocusSelect() const { return focus_select_; }
    void setFocusSelect(bool New_FocusSelect) { set_field(focus_select_, New_FocusSelect, "FocusSelect"); }
    bool EscapeClear() const { return escape_clear_; }
    void setEscapeClear(bool New_EscapeClear) { set_field(escape_clear_, New_EscapeClear, "EscapeClear"); }
    bool ReadOnly() const { return read_only_; }
    void setReadOnly(bool New_ReadOnly);
    bool Blink() const { return Timer1.enabled(); }
    void setBlink(bool New_Blink);
    bool About() const { return true; }
    void setAbout(bool) {
        host_.show_about(about_box());
        announce("About");
    }

    // Pass-through members of the inner box: a reader each, and a writer for those program
    // code may write; a design member's writer is protected, for the controls that publish one.
#define NORVTEXT_BOX_WRITER_ReadWrite public
#define NORVTEXT_BOX_WRITER_Design protected
#define NORVTEXT_BOX_MEMBER(name, kind, access, ...)                                                      \
    PassType<MemberKind::kind>::get name() const {                                                        \
        return PassType<MemberKind::kind>::from(inner(InnerMember::name));                                \
    }                                                                                                     \
    NORVTEXT_BOX_WRITER_##access:                                                                         \
    void set##name(PassType<MemberKind::kind>::set New_##name) {                                          \
        set_inner(InnerMember::name, Variant(PassType<MemberKind::kind>::stored(std::move(New_##name)))); \
    }                                                                                                     \
    public:
    NORVTEXT_SHARED_INNER_MEMBERS(NORVTEXT_BOX_MEMBER)
#undef NORVTEXT_BOX_MEMBER
#undef NORVTEXT_BOX_WRITER_ReadWrite
#undef NORVTEXT_BOX_WRITER_Design
    std::int32_t SelLength() const { return Textbox.sel_length(); }
    void setSelLength(std::int32_t New_SelLength) { set_sel(&EditBox::set_sel_length, New_SelLength, "SelLength"); }
    std::int32_t SelStart() const { return Textbox.sel_start(); }
    void setSelStart(std::int32_t New_SelStart) { set_sel(&EditBox::set_sel_start, New_SelStart, "SelStart"); }
    std::u16string SelText() const { return Textbox.sel_text(); }
    void setSelText(std::u16string_view New_SelText) { set_sel(&EditBox::set_sel_text, New_SelText, "SelText"); }

    // The control as assistive technology presents it.
    AccessibleView accessible() const;

    // The constituents, for hosts that draw or drive them.
    EditBox& textbox() { return Textbox; }
    const EditBox& textbox() const { return Textbox; }
    Timer& timer() { return Timer1; }
    Host& host() { return host_; }

protected:
    // class_name: the class's entry in the type library, which its late binding checks against.
    BoxBase(Host& host, std::string_view class_name, std::unique_ptr<EditBox> box);

    void announce(std::string_view name) { host_.property_changed(name); }
    // A writer of a field the class keeps itself (a behaviour switch, a limit): stores, then
    // announces.
    template <class T, class V>
    void set_field(T& field, const V& value, std::string_view name) {
        field = value;
        announce(name);
    }
    // A selection writer of the inner box, then the announcement.
    template <class T>
    void set_sel(void (EditBox::*set)(T), T value, std::string_view name) {
        (Textbox.*set)(value);
        announce(name);
    }
    const Locale& locale() const { return host_.locale(); }
    const Locale& argument_locale() const override { return host_.locale(); }

    // Focus arrival's selection step: all selected, or the caret at the start.
    void select_on_focus() {
        Textbox.set_sel_start(0);
        Textbox.set_sel_length(focus_select_ ? static_cast<std::int32_t>(Textbox.text().size()) : 0);
    }
    // Read-only test at the head of every key filter: swallows the key when set.
    bool swallow_if_read_only(std::int16_t& KeyAscii) const {
        if (read_only_) KeyAscii = 0;
        return read_only_;
    }
    // Stops blinking, as the masked and numeric boxes do when the user comes back.
    void stop_blink_timer() { Timer1.set_enabled(false); }
    // Stops blinking and leaves nothing selected, as a value program code writes does.
    void end_blink() {
        Timer1.set_enabled(false);
        Textbox.set_sel_length(0);
    }
    // An entry that stands: the blink ends, nothing is selected, and the entry is valid.
    void accept_entry() {
        end_blink();
        entry_valid();
    }
    // Starts blinking from an invalid entry: timer on, caret at 0.
    void start_blink() {
        Timer1.set_enabled(true);
        Textbox.set_sel_start(0);
    }
    // The entry's standing for assistive technology, set where a check on leaving or a
    // written value fails (whether or not the box blinks) and where one succeeds or the box
    // is cleared; the host hears of each change.
    void entry_invalid(std::string_view reason) {
        if (reason == invalid_reason_) return;
        invalid_reason_ = reason;
        host_.accessible_event(AccessibleEvent::StateChanged, reason);
    }
    void entry_valid() { entry_invalid({}); }
    // A typed key refused with a beep; the reason goes to assistive technology.
    void refuse_key(std::string_view reason) {
        host_.beep();
        host_.accessible_event(AccessibleEvent::KeyRefused, reason);
    }
    // The value and the expected entry as a screen reader gives them (see AccessibleView).
    virtual std::u16string accessible_value() const;
    virtual std::string accessible_description() const = 0;
    // The text Escape clears to: empty for plain boxes, the all-prompt text for masked ones.
    virtual std::u16string cleared_text() const { return {}; }

    // What a character the user pastes, drops or commits from an input method becomes under
    // the class's character rules, exactly as if typed (case converted, the length limit
    // judged at `length`, the text's length with everything before it laid in), or 0 when
    // they refuse it. The host's KeyPress is not asked: such text is no keystroke.
    virtual char16_t admitted_char(char16_t c, std::size_t length) const = 0;
    // A character of the box's own display form ("$", the grouping symbol, "%", a mask's
    // literals): refused quietly, so that pasting a text the box showed does not beep.
    virtual bool is_display_char(char16_t c) const { return (void)c, false; }
    bool user_may_edit() const override { return !read_only_; }
    void on_user_text(std::u16string_view text) override;

    // Inner-box notifications shared by every control.
    void on_key_down(std::int16_t& KeyCode, std::int16_t& Shift) override { host_.KeyDown(KeyCode, Shift); }
    void on_key_up(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void on_change() override {
        host_.accessible_event(AccessibleEvent::ValueChanged, {});
        host_.Change();
    }
    void on_timer() override {
        const auto length = static_cast<std::int32_t>(Textbox.text().size());
        Textbox.set_sel_length(Textbox.sel_length() == length ? 0 : length);
    }

    // Pass-through with announcement.
    Variant inner(InnerMember m) const { return Textbox.member(m); }
    void set_inner(InnerMember m, const Variant& value) {
        Textbox.set_member(m, value);
        announce(inner_info(m).name);
    }

    // The class's persistence; see BagLayout.
    virtual const BagLayout& bag_layout() const = 0;
    // First placement's switches, alike in every control.
    void reset_switches() { focus_select_ = true, escape_clear_ = true, read_only_ = false, blink_on_error_ = true; }
    // Blinking on an invalid entry, for the boxes that publish the switch as a Boolean.
    bool BlinkOnError() const { return blink_on_error_; }
    void setBlinkOnError(bool New_BlinkOnError) { set_field(blink_on_error_, New_BlinkOnError, "BlinkOnError"); }

    // Late-bound access to the members every control shares: the switches and the selection
    // are bound, the pass-through members go to the inner box by name. A class's own table
    // takes this one as its last base.
    const Members* bound_members() const override;
    Variant get_member(std::string_view member) override {
        if (const auto m = find_inner_member(member)) return inner(*m);
        return Dispatch::get_member(member);
    }
    void put_member(std::string_view member, const Variant& value) override {
        if (const auto m = find_inner_member(member)) return set_inner(*m, value);
        Dispatch::put_member(member, value);
    }

    Host& host_;
    const ClassInfo& class_info_;
    std::unique_ptr<EditBox> textbox_owner_;
    std::unique_ptr<Timer> timer_owner_;
    EditBox& Textbox;
    Timer& Timer1;
    bool focus_select_ = true;
    bool escape_clear_ = true;
    bool read_only_ = false;
    bool blink_on_error_ = true;
    std::string invalid_reason_;  // empty while the entry stands

private:
    static const std::vector<BagKey>& shared_bag_keys();
    const BagKey* bag_key(std::string_view id) const;
};

}  // namespace norvtext
