// The in-memory plain edit box: typing replaces the selection, Backspace and Delete edit,
// arrows, Home and End move the caret, and every change of text raises Change.
#include "norvtext/headless/memory_edit_box.hpp"

#include <algorithm>

#include "norvtext/foundation/key_codes.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext::headless {

template <class I>
void MemoryBox<I>::change_text(std::u16string_view text, std::int32_t caret) {
    const bool changed = text != text_;
    text_.assign(text);  // keeps the capacity the box has grown to
    sel_start_ = std::clamp(caret, 0, text_length());
    sel_length_ = 0;
    if (changed) text_changed();
}

template <class I>
void MemoryBox<I>::set_sel_start(std::int32_t start) {
    if (start < 0) raise(ErrorCode::InvalidPropertyValue);
    user_select(start, 0);
}

template <class I>
void MemoryBox<I>::set_sel_length(std::int32_t length) {
    if (length < 0) raise(ErrorCode::InvalidPropertyValue);
    sel_length_ = std::min(length, text_length() - sel_start_);
}

template <class I>
void MemoryBox<I>::replace_selection(std::u16string_view with) {
    // Edited in place: a keystroke into a box with room to spare allocates nothing.
    if (sel_length_ == 0 && with.empty()) return;
    text_.replace(to_index(sel_start_), to_index(sel_length_), with.data(), with.size());
    sel_start_ += static_cast<std::int32_t>(with.size());
    sel_length_ = 0;
    text_changed();
}

template <class I>
void MemoryBox<I>::act_on_key_down(std::int16_t key_code, std::int16_t shift) {
    switch (keys::edit_command(key_code, shift)) {
        case keys::EditCommand::SelectAll: return user_select(0, text_length());
        case keys::EditCommand::Copy: return copy();
        case keys::EditCommand::Cut: return cut();
        case keys::EditCommand::Paste: return paste();
        case keys::EditCommand::Undo: return undo();
        case keys::EditCommand::Redo: return redo();
        case keys::EditCommand::None: break;
    }
    // An arrow over a selection puts the caret at its start (Left) or end (Right).
    switch (key_code) {
        case keys::Delete: return may_edit() ? delete_forward() : void();
        case keys::Left: return user_select(arrow_stop(sel_length_ > 0 ? sel_start_ : sel_start_ - 1, false), 0);
        case keys::Right: return user_select(arrow_stop(sel_start_ + (sel_length_ > 0 ? sel_length_ : 1), true), 0);
        case keys::Home: return user_select(0, 0);
        case keys::End: return user_select(text_length(), 0);
    }
}

template <class I>
void MemoryBox<I>::deliver_key_press(std::int16_t key_ascii) {
    if (listener_) listener_->on_key_press(key_ascii);
    if (key_ascii == keys::Backspace) return backspace();
    // A single-line box inserts no control characters (Enter, Tab, Escape, Ctrl+letters),
    // and a key a handler swallowed (0) inserts nothing.
    if (key_ascii >= 0 && key_ascii < 32) return;
    insert_char(static_cast<char16_t>(key_ascii));
}

template <class I>
void MemoryBox<I>::step_history(bool forward) {
    if (!may_edit()) return;  // a read-only box offers neither
    user_action([&] {
        EditHistory::State now{text_, sel_start_};
        if (auto s = forward ? history_.redo(std::move(now)) : history_.undo(std::move(now)))
            change_text(s->text, s->caret);
    });
}

template <class I>
void MemoryBox<I>::user_select(std::int32_t start, std::int32_t length) {
    sel_start_ = std::clamp(start, 0, text_length());
    sel_length_ = std::clamp(length, 0, text_length() - sel_start_);
}

template class MemoryBox<EditBox>;
template class MemoryBox<MaskedEditBox>;

}  // namespace norvtext::headless
