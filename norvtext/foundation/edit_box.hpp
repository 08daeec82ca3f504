// The inner edit box a control wraps (`Textbox`), as the controls use it. A host supplies
// the implementation: an in-memory box for headless hosts, a line edit for Qt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "norvtext/foundation/inner_members.hpp"
#include "norvtext/platform/variant.hpp"

namespace norvtext {


// Notifications of the inner box; the control that owns the box receives them.
class EditBoxListener {
public:
    virtual void on_got_focus() {}
    virtual void on_lost_focus() {}
    // KeyAscii by reference: 0 swallows the key, any other value is what the box inserts.
    virtual void on_key_press(std::int16_t& KeyAscii) { (void)KeyAscii; }
    virtual void on_key_down(std::int16_t& KeyCode, std::int16_t& Shift) { (void)KeyCode, (void)Shift; }
    virtual void on_key_up(std::int16_t& KeyCode, std::int16_t& Shift) { (void)KeyCode, (void)Shift; }
    virtual void on_change() {}
    virtual void on_click() {}
    virtual void on_dbl_click() {}
    // The user's edits that are not keystrokes. A box the control holds read-only takes
    // none of them: no Delete, cut, paste, drop or input-method text.
    virtual bool user_may_edit() const { return true; }
    // Text a paste, a drop or an input method puts at the selection: the control lays in
    // what its rules admit, as one edit. A box without a control takes the text as it is.
    virtual void on_user_text(std::u16string_view text) { (void)text; }

protected:
    ~EditBoxListener() = default;
};

class EditBox {
public:
    virtual ~EditBox() = default;

    virtual void set_listener(EditBoxListener* listener) = 0;

    // The text as a view: valid until the next change of the box.
    virtual std::u16string_view text() const = 0;
    virtual void set_text(std::u16string_view text) = 0;

    // Positions and lengths count UTF-16 code units from 0. A negative value raises 380.
    virtual std::int32_t sel_start() const = 0;
    virtual void set_sel_start(std::int32_t start) = 0;
    virtual std::int32_t sel_length() const = 0;
    virtual void set_sel_length(std::int32_t length) = 0;
    virtual std::u16string sel_text() const = 0;
    virtual void set_sel_text(std::u16string_view text) = 0;

    virtual Variant member(InnerMember m) const = 0;
    virtual void set_member(InnerMember m, const Variant& value) = 0;

    virtual void set_width(std::int32_t width) = 0;
    virtual void set_height(std::int32_t height) = 0;
};

// The masked-edit box of the date, telephone, social security and ZIP boxes: "#" a digit
// position, "?" a letter position, every other mask character a literal; "_" prompts.
class MaskedEditBox : public EditBox {
public:
    virtual std::u16string_view mask() const = 0;
    // A new mask keeps the entered characters that fit, laid into its positions in order.
    virtual void set_mask(std::u16string_view mask) = 0;
};

// The text of an untouched masked box: the mask with every position shown as the prompt.
std::u16string all_prompt_text(std::u16string_view mask, char16_t prompt = u'_');

}  // namespace norvtext
