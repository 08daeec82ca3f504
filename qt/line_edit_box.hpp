// The inner boxes on Qt: the plain box and the masked box, each a QLineEdit that reports
// its user's keys, focus and edits to the control that owns it.
#pragma once

#include <cstdint>
#include <string>

#include <QLineEdit>
#include <QMenu>

#include "norvtext/foundation/edit_box.hpp"
#include "norvtext/foundation/edit_history.hpp"
#include "norvtext/foundation/key_codes.hpp"
#include "norvtext/foundation/mask_rules.hpp"
#include "qt/guarded.hpp"

namespace norvtext::qt {

// The line edit under both inner boxes, one plain class: it has EditBox's members as its
// own, and LineEditBox binds them to the interface the box is handed out as.
class LineEdit : public QLineEdit {
public:
    LineEdit(QWidget* parent, ErrorReporter report);

    // EditBox
    void set_listener(EditBoxListener* listener) { listener_ = listener; }
    std::u16string_view text() const;
    void set_text(std::u16string_view text);
    std::int32_t sel_start() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }
    void set_sel_start(std::int32_t start);
    std::int32_t sel_length() const { return hasSelectedText() ? selectionLength() : 0; }
    void set_sel_length(std::int32_t length);
    std::u16string sel_text() const;
    // Virtual: the user's edits go through the masked box's own rules too.
    virtual void set_sel_text(std::u16string_view text);
    Variant member(InnerMember m) const;
    void set_member(InnerMember m, const Variant& value);
    void set_width(std::int32_t width);
    void set_height(std::int32_t height);

    // The box's own edit menu (undo, redo, cut, copy, paste, delete, select all), each
    // entry going through the control's rules as the keys do; the caller owns it.
    QMenu* edit_menu();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // The user's edits that are no keystrokes: what they put in passes the control's rules,
    // and a box the control holds read-only takes none of them.
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // The text as the box shows it: the plain box's text, the masked box's display text
    // with literals and prompts.
    virtual QString shown() const { return QLineEdit::text(); }
    // Hands a key that typed `c` to the line edit; the masked box first refuses a
    // character that does not fit its position.
    virtual void type_key(QKeyEvent* event, char16_t) { QLineEdit::keyPressEvent(event); }
    // Hands a key that typed no character (Delete, arrows, Home, End) to the line edit.
    virtual void act_on_key(QKeyEvent* event) { QLineEdit::keyPressEvent(event); }
    // Where an arrow taking the caret to `to` leaves it: `to` itself, unless the box has
    // places the caret never rests on.
    virtual std::int32_t arrow_stop(std::int32_t to, bool /*forward*/) const { return to; }

    // Replaces the whole text and puts the caret at `caret`, raising Change once when the
    // shown text changed.
    void replace_text(const QString& text, std::int32_t caret);
    // Raises Change when the shown text differs from what the control last saw.
    void notice_change();
    // Runs an event's handling; an error it raises goes to the box's reporter.
    template <class Action>
    void guarded(Action&& action) { qt::guarded(report_, action); }
    // Tells the control of a focus change or a click, guarded.
    void notify(void (EditBoxListener::*notification)()) {
        guarded([&] {
            if (listener_) (listener_->*notification)();
        });
    }
    std::int32_t length() const { return static_cast<std::int32_t>(shown().size()); }
    // Puts the caret exactly at `at` with nothing selected, also on a mask's literal, where
    // setCursorPosition would move it on to a position: program code reads back the
    // SelStart it wrote, as in the in-memory box.
    void place_caret(std::int32_t at) { setSelection(at, 0); }

private:
    void apply_colours();
    void apply_cursor();
    bool may_edit() const { return !listener_ || listener_->user_may_edit(); }
    // Runs one user action as one step of the undo history.
    template <class Action>
    void user_action(Action&& action) {
        history_.begin(text(), sel_start());
        try {
            action();
        } catch (...) {
            history_.end(text());
            throw;
        }
        history_.end(text());
    }
    // Text from the clipboard, a drop or an input method, at the selection.
    void user_text(const QString& text);
    // The clipboard and history keys; false for any other key.
    bool edit_command(keys::EditCommand command);
    void cut();
    void copy();
    void step_history(bool forward);
    // Lets the line edit act on a key as a read-only box does: the caret moves, the text stays.
    void act_read_only(QKeyEvent* event);
    // Left or Right over a selection: the caret goes to the selection's start or end, where
    // the line edit would step from the caret instead; false for any other key.
    bool collapse_selection(const QKeyEvent& event);

    ErrorReporter report_;
    EditBoxListener* listener_ = nullptr;
    InnerMemberValues members_;
    mutable std::u16string text_;  // the shown text as a view hands it out
    QString last_shown_;           // the text the control last heard of
    EditHistory history_;
    // Focus as the control knows it: a window losing activation keeps it.
    bool has_focus_ = false;
    bool hWnd_written_ = false;
    bool double_clicked_ = false;
};

// The line edit as one of the inner box interfaces (EditBox or MaskedEditBox).
template <class Interface>
class LineEditBox : public LineEdit, public Interface {
public:
    using LineEdit::LineEdit;

    void set_listener(EditBoxListener* listener) override { LineEdit::set_listener(listener); }
    std::u16string_view text() const override { return LineEdit::text(); }
    void set_text(std::u16string_view text) override { LineEdit::set_text(text); }
    std::int32_t sel_start() const override { return LineEdit::sel_start(); }
    void set_sel_start(std::int32_t start) override { LineEdit::set_sel_start(start); }
    std::int32_t sel_length() const override { return LineEdit::sel_length(); }
    void set_sel_length(std::int32_t length) override { LineEdit::set_sel_length(length); }
    std::u16string sel_text() const override { return LineEdit::sel_text(); }
    void set_sel_text(std::u16string_view text) override { LineEdit::set_sel_text(text); }
    Variant member(InnerMember m) const override { return LineEdit::member(m); }
    void set_member(InnerMember m, const Variant& value) override { LineEdit::set_member(m, value); }
    void set_width(std::int32_t width) override { LineEdit::set_width(width); }
    void set_height(std::int32_t height) override { LineEdit::set_height(height); }
};

using QtEditBox = LineEditBox<EditBox>;

// The masked box on QLineEdit's own input mask: "#" is Qt's optional digit "0", "?" its
// optional letter "a", other characters literal, the prompt Qt's blank character.
class QtMaskedEditBox : public LineEditBox<MaskedEditBox> {
public:
    QtMaskedEditBox(QWidget* parent, ErrorReporter report, std::u16string_view mask);

    std::u16string_view mask() const override { return mask_; }
    void set_mask(std::u16string_view mask) override;
    // "" shows the all-prompt text; a text that does not fit the mask raises 380 before
    // it reaches the line edit, which would otherwise realign or drop characters.
    void set_text(std::u16string_view text) override;
    void set_sel_text(std::u16string_view text) override;
    // PromptChar is one character that fits no position; others raise 380.
    void set_member(InnerMember m, const Variant& value) override;

    // Qt's input mask for one of ours, with the prompt as its blank.
    static QString qt_input_mask(std::u16string_view mask, char16_t prompt);

protected:
    QString shown() const override { return displayText(); }
    void type_key(QKeyEvent* event, char16_t c) override;
    void act_on_key(QKeyEvent* event) override;
    std::int32_t arrow_stop(std::int32_t to, bool forward) const override { return rules().caret_stop(to, forward); }

private:
    MaskRules rules() const;
    void apply_mask(std::u16string_view mask, char16_t prompt, const std::u16string& text, std::int32_t caret);

    std::u16string mask_;
};

}  // namespace norvtext::qt
