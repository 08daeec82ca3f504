// What the currency and percent boxes share: the keystroke filter for bare numbers, focus
// arrival and the leave-box step around each box's own number rules, the Value and MaxChars
// writers, BlinkOnError, the 16-bit drag and drop modes, first placement and the bag keys
// both boxes read and write alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "norvtext/foundation/box_base.hpp"

namespace norvtext {

class NumericBoxBase : public BoxBase {
public:
    // First placement: no typing limit, the zero display shown and stored.
    void InitProperties() override;

    std::int16_t MaxChars() const { return max_chars_; }
    // Stores the limit and then judges the current text as leaving the box does.
    void setMaxChars(std::int16_t New_MaxChars);
    using BoxBase::BlinkOnError;
    using BoxBase::setBlinkOnError;

    // Value and Text are worked out from the inner text every time: the box keeps no number.
    virtual std::u16string Value() const = 0;
    void setValue(std::u16string_view New_Value);
    virtual std::u16string Text() const = 0;
    virtual void setText(std::u16string_view New_Text) = 0;

    // The drag and drop modes are 16-bit numbers: a wider value fails with Overflow before
    // anything changes.
    void setOLEDragMode(std::int32_t New_OLEDragMode) {
        BoxBase::setOLEDragMode(Variant(New_OLEDragMode).to_integer());
    }
    void setOLEDropMode(std::int32_t New_OLEDropMode) {
        BoxBase::setOLEDropMode(Variant(New_OLEDropMode).to_integer());
    }

protected:
    // zero_display: what the box shows for a number equal to 0 ("$0.00", "0.00%");
    // description: the expected entry in words. Both string literals, so the views stay valid.
    NumericBoxBase(Host& host, std::string_view class_name, std::u16string_view zero_display,
                   std::string_view description)
        : BoxBase(host, class_name, host.create_edit_box()), zero_display_(zero_display), description_(description) {}

    // What the box shows for a number text once it is judged: its display form, or the zero
    // display for 0; nothing when the text is not a number the box can hold.
    virtual std::optional<std::u16string> shown_text(std::u16string_view number_text) const = 0;
    // Focus arrival's own step, between stopping the blink and selecting: the display form
    // goes back to a text the user can edit.
    virtual void unformat() = 0;
    // The text the MaxChars writer judges; the whole inner text unless a box says otherwise.
    virtual std::u16string_view number_text_for_max_chars() const { return Textbox.text(); }
    // Called after program code has put a text into the box through Value or Text.
    virtual void remember_assigned() {}

    // The leave-box step: a number is shown in its display form with no selection and no
    // blink; anything else stays as it is and blinks, whatever BlinkOnError says.
    void leave_box(std::u16string_view number_text);
    // A successful assignment: the text shown, blinking stopped, nothing selected.
    void show_assigned(std::u16string_view shown) {
        Textbox.set_text(shown);
        accept_entry();
    }

    void on_got_focus() override {
        stop_blink_timer();
        unformat();
        select_on_focus();
    }
    void on_lost_focus() override { leave_box(Textbox.text()); }
    void on_key_down(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void on_key_press(std::int16_t& KeyAscii) override;
    char16_t admitted_char(char16_t c, std::size_t length) const override;
    // The marks of the display form ("$", "%") and the grouping symbol.
    bool is_display_char(char16_t c) const override;
    std::string accessible_description() const override;
    // A text that is no number the box can hold was written or left in the box.
    void refuse_entry() { entry_invalid("not a number"); }
    bool at_limit(std::size_t length) const { return max_chars_ > 0 && length >= static_cast<std::size_t>(max_chars_); }

    // The layout both boxes share from "MaxChars" on (load) and "SelLength" on (save),
    // after each box's own first keys.
    static BagLayout numeric_layout(std::u16string_view zero_display, std::string_view load_head,
                                    std::string_view save_head);

    const Members* bound_members() const override;

    const std::u16string_view zero_display_;
    const std::string_view description_;
    std::int16_t max_chars_ = 0;
    bool keypad_decimal_ = false;  // the key last gone down is the keypad's decimal key
    // The text last loaded under "Text" (the percent box also keeps what was assigned);
    // it is only ever saved.
    std::u16string stored_text_;

private:
    bool is_number_key(std::int16_t KeyAscii) const;
};

}  // namespace norvtext
