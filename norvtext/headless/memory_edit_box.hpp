// An in-memory plain single-line edit box driven by a simulated user: the reference
// implementation of the inner box for tests, the script host and any non-GUI host.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "norvtext/foundation/edit_box.hpp"

namespace norvtext::headless {

// Key codes of the keys a user can press besides typing characters.
enum class Key : std::int16_t {
    Backspace = 8, Tab = 9, Enter = 13, Escape = 27, End = 35, Home = 36, Left = 37, Right = 39, Delete = 46,
};

class MemoryEditBox : public EditBox {
public:
    MemoryEditBox();

    // EditBox
    void set_listener(EditBoxListener* listener) override { listener_ = listener; }
    std::u16string_view text() const override { return text_; }
    void set_text(std::u16string_view text) override;
    std::int32_t sel_start() const override { return sel_start_; }
    void set_sel_start(std::int32_t start) override;
    std::int32_t sel_length() const override { return sel_length_; }
    void set_sel_length(std::int32_t length) override;
    std::u16string sel_text() const override;
    void set_sel_text(std::u16string_view text) override;
    Variant member(InnerMember m) const override { return members_[static_cast<std::size_t>(m)]; }
    void set_member(InnerMember m, const Variant& value) override;
    void set_width(std::int32_t width) override { width_ = width; }
    void set_height(std::int32_t height) override { height_ = height; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }

    // The user: focus, a typed character (KeyDown, KeyPress, KeyUp), a key that produces
    // no character or a control character, clicks.
    void got_focus();
    void lost_focus();
    void type(char16_t c, std::int16_t key_code, std::int16_t shift);
    void press(std::int16_t key_code, std::int16_t shift, std::int16_t key_ascii);
    void user_select(std::int32_t start, std::int32_t length);
    void click();
    void dbl_click();

protected:
    // What the box does with a character that survived KeyPress, Backspace and Delete.
    virtual void insert_char(char16_t c);
    virtual void backspace();
    virtual void delete_forward();
    // What the box does with a key's KeyDown (Delete, arrows, Home, End).
    virtual void act_on_key_down(std::int16_t key_code);
    void replace_selection(std::u16string_view with);
    void change_text(std::u16string text, std::int32_t caret);
    EditBoxListener* listener() const { return listener_; }

    std::u16string text_;
    std::int32_t sel_start_ = 0;
    std::int32_t sel_length_ = 0;

private:
    void deliver_key_press(std::int16_t key_ascii);

    EditBoxListener* listener_ = nullptr;
    std::array<Variant, inner_member_count> members_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

}  // namespace norvtext::headless
