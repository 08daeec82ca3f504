// An in-memory plain single-line edit box driven by a simulated user: the reference
// implementation of the inner box for tests, the script host and any non-GUI host.
#pragma once

#include <memory>
#include <cstdint>
#include <string>

#include "norvtext/foundation/edit_box.hpp"
#include "norvtext/foundation/edit_history.hpp"

namespace norvtext::headless {

// The user's side of an in-memory box: focus, typing, keys, selecting, clicking.
class SimulatedUser {
public:
    virtual ~SimulatedUser() = default;
    // A typed character: KeyDown, KeyPress, KeyUp.
    virtual void type(char16_t c, std::int16_t key_code, std::int16_t shift) = 0;
    // A key: KeyDown (which acts for Delete, arrows, Home, End), a KeyPress only for a key
    // that produces a character (key_ascii not 0), KeyUp.
    virtual void press(std::int16_t key_code, std::int16_t shift, std::int16_t key_ascii) = 0;
    virtual void got_focus() = 0;
    virtual void lost_focus() = 0;
    virtual void user_select(std::int32_t start, std::int32_t length) = 0;
    virtual void click() = 0;
    virtual void dbl_click() = 0;
    // Edits that are no keystrokes: no KeyDown, KeyPress or KeyUp. Pasted, dropped and
    // input-method text goes through the control's character rules; none of them, cut
    // included, changes a read-only box. Ctrl+C, Ctrl+X and Ctrl+V (and Ctrl+Insert,
    // Shift+Delete, Shift+Insert) do copy, cut and paste at their KeyDown.
    virtual void copy() = 0;
    virtual void cut() = 0;
    virtual void paste() = 0;  // the clipboard's text at the selection
    // At the caret, the selection staying in the text; none while OLEDropMode is 0 (None).
    virtual void drop(std::u16string_view text) = 0;
    virtual void input_method_commit(std::u16string_view text) = 0;  // at the selection
    // Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z, at their KeyDown: back to the text and caret before
    // the last user edit, and forward again.
    virtual void undo() = 0;
    virtual void redo() = 0;
};

// The shared in-memory box over either inner-box interface; the masked box overrides what
// typing and deleting do.
template <class Interface>
class MemoryBox : public Interface, public SimulatedUser {
public:

    // EditBox
    void set_listener(EditBoxListener* listener) override { listener_ = listener; }
    std::u16string_view text() const override { return text_; }
    // Giving the box the text it already shows changes nothing, the selection included.
    void set_text(std::u16string_view text) override { if (text != text_) change_text(text, 0); }
    std::int32_t sel_start() const override { return sel_start_; }
    void set_sel_start(std::int32_t start) override;
    std::int32_t sel_length() const override { return sel_length_; }
    void set_sel_length(std::int32_t length) override;
    std::u16string sel_text() const override { return text_.substr(to_index(sel_start_), to_index(sel_length_)); }
    void set_sel_text(std::u16string_view text) override { replace_selection(text); }
    Variant member(InnerMember m) const override { return members_.get(m); }
    void set_member(InnerMember m, const Variant& value) override { members_.set(m, value); }
    // Nothing in memory is laid out, so the size the host gives is not kept.
    void set_width(std::int32_t) override {}
    void set_height(std::int32_t) override {}

    // SimulatedUser
    void got_focus() override { notify(&EditBoxListener::on_got_focus); }
    void lost_focus() override { notify(&EditBoxListener::on_lost_focus); }
    void type(char16_t c, std::int16_t key_code, std::int16_t shift) override {
        keystroke(key_code, shift, [&](auto, auto) { deliver_key_press(static_cast<std::int16_t>(c)); });
    }
    void press(std::int16_t key_code, std::int16_t shift, std::int16_t key_ascii) override {
        keystroke(key_code, shift, [&](std::int16_t code, std::int16_t sh) {
            act_on_key_down(code, sh);
            if (key_ascii != 0) deliver_key_press(key_ascii);
        });
    }
    // Also where the arrows, Home and End leave the caret: clamped into the text.
    void user_select(std::int32_t start, std::int32_t length) override;
    void click() override { notify(&EditBoxListener::on_click); }
    void dbl_click() override { notify(&EditBoxListener::on_dbl_click); }
    void copy() override {
        // A password box keeps its text to itself.
        if (!clipboard_ || sel_length_ == 0 || !member(InnerMember::PasswordChar).to_string().empty()) return;
        *clipboard_ = sel_text();
    }
    void cut() override {
        if (!may_edit() || sel_length_ == 0) return;
        copy();
        user_action([&] { delete_forward(); });
    }
    void paste() override { user_text(clipboard_ ? std::u16string(*clipboard_) : std::u16string()); }
    void drop(std::u16string_view text) override {
        if (member(InnerMember::OLEDropMode).to_long() == 0) return;
        sel_length_ = 0;
        user_text(text);
    }
    void input_method_commit(std::u16string_view text) override { user_text(text); }
    void undo() override { step_history(false); }
    void redo() override { step_history(true); }

    // The form's clipboard, which copy, cut and paste use; none: they do nothing.
    void set_clipboard(std::u16string* clipboard) { clipboard_ = clipboard; }

protected:
    // What the box does with a character that survived KeyPress, Backspace and Delete.
    virtual void insert_char(char16_t c) { replace_selection(std::u16string_view(&c, 1)); }
    // Backspace and Delete remove the selection, else the character before or after the caret;
    // at either end of the text there is none, and nothing changes.
    virtual void backspace() {
        if (sel_length_ == 0 && sel_start_ > 0) {
            --sel_start_;
            sel_length_ = 1;
        }
        replace_selection({});
    }
    virtual void delete_forward() {
        if (sel_length_ == 0 && sel_start_ < text_length()) sel_length_ = 1;
        replace_selection({});
    }
    // What the box does with a key's KeyDown (Delete, arrows, Home, End, the clipboard keys).
    virtual void act_on_key_down(std::int16_t key_code, std::int16_t shift);
    // Where an arrow key's one step from the caret comes to rest: `to` itself, unless the
    // box has places the caret never rests on.
    virtual std::int32_t arrow_stop(std::int32_t to, bool /*forward*/) const { return to; }
    void replace_selection(std::u16string_view with);
    void change_text(std::u16string_view text, std::int32_t caret);
    // Every change of the text ends here: Change, and the history ends unless a user
    // action is under way.
    void text_changed() {
        history_.forget();
        notify(&EditBoxListener::on_change);
    }
    // A new mask or prompt: the earlier texts no longer fit, even where the text stays.
    void forget_history() { history_.reset(); }
    std::int32_t text_length() const { return static_cast<std::int32_t>(text_.size()); }
    static std::size_t to_index(std::int32_t position) { return static_cast<std::size_t>(position); }

    std::u16string text_;
    std::int32_t sel_start_ = 0;
    std::int32_t sel_length_ = 0;

private:
    void deliver_key_press(std::int16_t key_ascii);
    bool may_edit() const { return !listener_ || listener_->user_may_edit(); }
    void user_text(std::u16string_view text) {
        if (!may_edit()) return;
        user_action([&] {
            if (listener_) listener_->on_user_text(text);
            else set_sel_text(text);
        });
    }
    // One user action, one step of the history.
    template <class Action>
    void user_action(Action&& action) {
        history_.begin(text_, sel_start_);
        try {
            action();
        } catch (...) {
            history_.end(text_);
            throw;
        }
        history_.end(text_);
    }
    void step_history(bool forward);
    void notify(void (EditBoxListener::*notification)()) {
        if (listener_) (listener_->*notification)();
    }
    // KeyDown, then `between` with the key code and shift as the KeyDown handler left them,
    // then KeyUp.
    template <class Between>
    void keystroke(std::int16_t key_code, std::int16_t shift, Between&& between) {
        // KeyDown and KeyUp each get the key as pressed, whatever a handler did to the other.
        user_action([&] {
            std::int16_t code = key_code, sh = shift;
            if (listener_) listener_->on_key_down(code, sh);
            between(code, sh);
            code = key_code, sh = shift;
            if (listener_) listener_->on_key_up(code, sh);
        });
    }

    EditBoxListener* listener_ = nullptr;
    std::u16string* clipboard_ = nullptr;
    EditHistory history_;
    InnerMemberValues members_{std::make_shared<norvtext::Font>()};
};

extern template class MemoryBox<EditBox>;
extern template class MemoryBox<MaskedEditBox>;

using MemoryEditBox = MemoryBox<EditBox>;

}  // namespace norvtext::headless
