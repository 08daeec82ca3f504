// The Qt inner boxes: key, focus and mouse events turned into the control's notifications,
// the text and selection in the control's terms, and the pass-through members applied to
// the line edit.
#include "qt/line_edit_box.hpp"

#include <algorithm>
#include <functional>
#include <memory>
#include <iterator>
#include <utility>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>

#include "norvtext/platform/error.hpp"
#include "qt/conversions.hpp"
#include "qt/key_codes.hpp"

namespace norvtext::qt {

namespace {

// The shape of each MousePointer value from 0 (the default, which the widget leaves to its
// parent) to 15; any other shows the arrow.
constexpr Qt::CursorShape cursor_shapes[] = {
    Qt::ArrowCursor,   Qt::ArrowCursor,     Qt::CrossCursor,     Qt::IBeamCursor,     Qt::ArrowCursor,
    Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,   Qt::SizeFDiagCursor, Qt::SizeHorCursor,
    Qt::UpArrowCursor, Qt::WaitCursor,      Qt::ForbiddenCursor, Qt::BusyCursor,      Qt::WhatsThisCursor,
    Qt::SizeAllCursor,
};

}  // namespace

LineEdit::LineEdit(QWidget* parent, ErrorReporter report)
    : QLineEdit(parent), report_(std::move(report)), members_(to_font(font())) {
    setAcceptDrops(false);
    setDragEnabled(false);
    QObject::connect(this, &QLineEdit::textChanged, this, [this] { guarded([this] { notice_change(); }); });
}

std::u16string_view LineEdit::text() const {
    // Refreshed in place: the same text keeps its buffer, so an earlier view stays valid.
    const QString s = shown();
    text_.assign(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
    return text_;
}

void LineEdit::notice_change() {
    // A masked line edit reports every typed key, also one that changed nothing.
    const QString now = shown();
    if (now == last_shown_) return;
    last_shown_ = now;
    history_.forget();
    if (listener_) listener_->on_change();
}

void LineEdit::replace_text(const QString& text, std::int32_t caret) {
    {
        // The text and caret change together; the control hears of it once, after both.
        const QSignalBlocker block(this);
        QLineEdit::setText(text);
        place_caret(std::clamp(caret, 0, length()));
    }
    notice_change();
}

void LineEdit::set_text(std::u16string_view text) {
    // Giving the box the text it already shows changes nothing, the selection included.
    if (text != this->text()) replace_text(to_qstring(text), 0);
}

void LineEdit::set_sel_start(std::int32_t start) {
    if (start < 0) norvtext::raise(ErrorCode::InvalidPropertyValue);
    place_caret(std::min(start, length()));
}

void LineEdit::set_sel_length(std::int32_t length) {
    if (length < 0) norvtext::raise(ErrorCode::InvalidPropertyValue);
    const std::int32_t start = sel_start();
    // A length of 0 places the caret exactly, as place_caret does.
    setSelection(start, std::min(length, this->length() - start));
}

std::u16string LineEdit::sel_text() const {
    return std::u16string(text().substr(static_cast<std::size_t>(sel_start()), static_cast<std::size_t>(sel_length())));
}

void LineEdit::set_sel_text(std::u16string_view text) {
    // Nothing over nothing is no edit.
    if (sel_length() != 0 || !text.empty()) QLineEdit::insert(to_qstring(text));
}

Variant LineEdit::member(InnerMember m) const {
    // The window system's handle of the window the box is drawn in (0 before it is shown),
    // until a control writes a handle of its own.
    if (m == InnerMember::hWnd && !hWnd_written_) return Variant(static_cast<std::int32_t>(effectiveWinId()));
    return members_.get(m);
}

void LineEdit::set_member(InnerMember m, const Variant& value) {
    // Kept first, so a value that does not convert raises and leaves the line edit as it was.
    const Variant& v = members_.set(m, value);
    switch (m) {
        case InnerMember::BackColor:
        case InnerMember::ForeColor: apply_colours(); break;
        case InnerMember::Enabled: setEnabled(v.to_boolean()); break;
        case InnerMember::Locked: setReadOnly(v.to_boolean()); break;
        case InnerMember::RightToLeft: setLayoutDirection(v.to_boolean() ? Qt::RightToLeft : Qt::LeftToRight); break;
        case InnerMember::MousePointer:
        case InnerMember::MouseIcon: apply_cursor(); break;
        case InnerMember::Font:
            if (const FontRef f = v.to_font()) setFont(to_qfont(*f));
            break;
        case InnerMember::PasswordChar: setEchoMode(v.string_ref().empty() ? QLineEdit::Normal : QLineEdit::Password); break;
        case InnerMember::ToolTipText: setToolTip(to_qstring(v.string_ref())); break;
        case InnerMember::OLEDragMode: setDragEnabled(v.to_long() == 1); break;  // automatic
        case InnerMember::OLEDropMode: setAcceptDrops(v.to_long() != 0); break;
        case InnerMember::hWnd: hWnd_written_ = true; break;
        case InnerMember::Alignment:
            setAlignment(v.to_long() == 1 ? Qt::AlignRight : v.to_long() == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
            break;
        case InnerMember::BorderStyle: setFrame(v.to_long() != 0); break;
        default: break;  // kept only
    }
}

void LineEdit::apply_colours() {
    const QPalette base = parentWidget() ? parentWidget()->palette() : QApplication::palette(this);
    QPalette p = base;
    p.setColor(QPalette::Base, to_qcolor(member(InnerMember::BackColor).to_colour(), base));
    p.setColor(QPalette::Text, to_qcolor(member(InnerMember::ForeColor).to_colour(), base));
    setPalette(p);
}

void LineEdit::apply_cursor() {
    const std::int16_t pointer = member(InnerMember::MousePointer).to_integer();
    const QPixmap icon = to_qpixmap(member(InnerMember::MouseIcon).to_picture());
    if (pointer == 99 && !icon.isNull())  // custom: the mouse icon
        setCursor(QCursor(icon));
    else if (pointer == 0)
        unsetCursor();
    else
        setCursor(pointer > 0 && pointer < std::ssize(cursor_shapes) ? cursor_shapes[pointer] : Qt::ArrowCursor);
}

void LineEdit::set_width(std::int32_t width) { resize(twips_to_pixels(width, logicalDpiX()), QLineEdit::height()); }
void LineEdit::set_height(std::int32_t height) { resize(QLineEdit::width(), twips_to_pixels(height, logicalDpiY())); }

void LineEdit::keyPressEvent(QKeyEvent* event) {
    event->accept();
    guarded([&] { user_action([&] {
        KeyStroke stroke = key_stroke(*event);
        if (listener_) listener_->on_key_down(stroke.code, stroke.shift);
        std::int16_t KeyAscii = key_ascii(*event);
        if (edit_command(keys::edit_command(stroke.code, stroke.shift))) {
            // Its KeyPress follows as for any key; the line edit never sees the key.
            if (KeyAscii != 0 && listener_) listener_->on_key_press(KeyAscii);
            return;
        }
        if (KeyAscii == 0) {
            // Text the control was not offered as a key (Alt with a letter, several
            // characters from one key) would slip past its filter: the box leaves it to
            // its parents.
            const QString t = event->text();
            if (t.size() > 1 || (t.size() == 1 && t.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier)))
                return event->ignore();
            if (collapse_selection(*event)) return;
            return may_edit() ? act_on_key(event) : act_read_only(event);
        }
        const std::int16_t typed = KeyAscii;
        if (listener_) listener_->on_key_press(KeyAscii);
        if (KeyAscii == 0) return;  // swallowed: the line edit never sees it
        if (KeyAscii == typed) return type_key(event, static_cast<char16_t>(KeyAscii));
        // A handler changed the key: the line edit gets the key that types the new one.
        QKeyEvent changed = key_event_for(KeyAscii);
        type_key(&changed, static_cast<char16_t>(KeyAscii));
        event->setAccepted(changed.isAccepted());
    }); });
}

bool LineEdit::edit_command(keys::EditCommand command) {
    switch (command) {
        case keys::EditCommand::SelectAll: selectAll(); return true;
        case keys::EditCommand::Copy: copy(); return true;
        case keys::EditCommand::Cut: cut(); return true;
        case keys::EditCommand::Paste: user_text(QGuiApplication::clipboard()->text()); return true;
        case keys::EditCommand::Undo: step_history(false); return true;
        case keys::EditCommand::Redo: step_history(true); return true;
        case keys::EditCommand::None: break;
    }
    return false;
}

void LineEdit::copy() {
    // A password box keeps its text to itself.
    if (echoMode() == QLineEdit::Normal && hasSelectedText()) QGuiApplication::clipboard()->setText(to_qstring(sel_text()));
}

void LineEdit::cut() {
    if (!may_edit() || !hasSelectedText()) return;
    copy();
    // Emptied as the masked box empties it: prompts go back where the selection was.
    user_action([this] { set_sel_text(u""); });
}

void LineEdit::user_text(const QString& text) {
    if (!may_edit()) return;
    user_action([&] {
        if (listener_)
            listener_->on_user_text(to_u16(text));
        else
            set_sel_text(to_u16(text));
    });
}

void LineEdit::step_history(bool forward) {
    if (!may_edit()) return;  // a read-only box offers neither
    user_action([&] {
        EditHistory::State now{std::u16string(text()), sel_start()};
        if (auto s = forward ? history_.redo(std::move(now)) : history_.undo(std::move(now)))
            replace_text(to_qstring(s->text), s->caret);
    });
}

bool LineEdit::collapse_selection(const QKeyEvent& event) {
    const bool left = event.key() == Qt::Key_Left;
    if ((!left && event.key() != Qt::Key_Right) || (event.modifiers() & ~Qt::KeypadModifier) || !hasSelectedText())
        return false;
    place_caret(arrow_stop(left ? selectionStart() : selectionEnd(), !left));
    return true;
}

void LineEdit::act_read_only(QKeyEvent* event) {
    const bool locked = isReadOnly();
    setReadOnly(true);
    QLineEdit::keyPressEvent(event);
    setReadOnly(locked);
}

void LineEdit::inputMethodEvent(QInputMethodEvent* event) {
    event->accept();
    if (!may_edit()) return;  // neither the composing text nor the commit shows
    guarded([&] {
        if (event->commitString().isEmpty()) return QLineEdit::inputMethodEvent(event);
        // The composing text shows as the input method draws it; what it commits goes in by
        // the control's rules.
        QInputMethodEvent composing(event->preeditString(), event->attributes());
        QLineEdit::inputMethodEvent(&composing);
        user_text(event->commitString());
    });
}

// The line edit takes an entering drag as a move, by the same test.
void LineEdit::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void LineEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (!may_edit() || !event->mimeData()->hasText()) return event->ignore();
    QLineEdit::dragMoveEvent(event);
}

void LineEdit::dropEvent(QDropEvent* event) {
    if (!may_edit() || !event->mimeData()->hasText()) return event->ignore();
    // A copy, also from the box itself: a drag never takes its text out of the source.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    guarded([&] {
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        user_text(event->mimeData()->text());
    });
}

QMenu* LineEdit::edit_menu() {
    auto* menu = new QMenu(this);
    const bool editable = may_edit(), selected = hasSelectedText(), shows = echoMode() == QLineEdit::Normal;
    const auto add = [&](const char* label, const QKeySequence& keys, bool enabled, std::function<void()> act) {
        QAction* a = menu->addAction(QLineEdit::tr(label), keys);
        a->setEnabled(enabled);
        QObject::connect(a, &QAction::triggered, this, [this, act] { guarded(act); });
    };
    add("&Undo", QKeySequence::Undo, editable && history_.can_undo(), [this] { step_history(false); });
    add("&Redo", QKeySequence::Redo, editable && history_.can_redo(), [this] { step_history(true); });
    menu->addSeparator();
    add("Cu&t", QKeySequence::Cut, editable && selected && shows, [this] { cut(); });
    add("&Copy", QKeySequence::Copy, selected && shows, [this] { copy(); });
    add("&Paste", QKeySequence::Paste, editable && !QGuiApplication::clipboard()->text().isEmpty(),
        [this] { user_text(QGuiApplication::clipboard()->text()); });
    add("Delete", {}, editable && selected, [this] { user_action([this] { set_sel_text(u""); }); });
    menu->addSeparator();
    add("Select All", QKeySequence::SelectAll, !shown().isEmpty(), [this] { selectAll(); });
    return menu;
}

void LineEdit::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu>(edit_menu())->exec(event->globalPos());
}

void LineEdit::keyReleaseEvent(QKeyEvent* event) {
    // Escape clears at its release: that is part of the user's edit, to undo like any other.
    guarded([&] { user_action([&] {
        // A held key repeats its KeyDown and KeyPress; KeyUp comes once, on release.
        if (!event->isAutoRepeat() && listener_) {
            KeyStroke stroke = key_stroke(*event);
            listener_->on_key_up(stroke.code, stroke.shift);
        }
        QLineEdit::keyReleaseEvent(event);
    }); });
}

void LineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // The window coming back to the front returns the focus the box never lost.
    if (has_focus_ || event->reason() == Qt::PopupFocusReason) return;
    has_focus_ = true;
    notify(&EditBoxListener::on_got_focus);
}

void LineEdit::focusOutEvent(QFocusEvent* event) {
    // The line edit drops its selection on leaving; the inner box keeps it (a blinking box
    // goes on blinking after the focus has gone), so it is put back.
    const std::int32_t start = sel_start(), length = sel_length();
    QLineEdit::focusOutEvent(event);
    if (length > 0) setSelection(start, length);
    // Another window taking the front, or a popup, leaves the focus with the box.
    if (!has_focus_ || event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    has_focus_ = false;
    notify(&EditBoxListener::on_lost_focus);
}

void LineEdit::mouseReleaseEvent(QMouseEvent* event) {
    // Where the window system keeps a selection, a middle click pastes it at the caret. The
    // line edit would insert it as it is; it goes in by the box's rules, as any paste does.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        event->accept();
        if (!may_edit()) return;
        return guarded([&] {
            deselect();
            user_text(QGuiApplication::clipboard()->text(QClipboard::Selection));
        });
    }
    QLineEdit::mouseReleaseEvent(event);
    // The release that ends a double click is no second Click.
    const bool ends_double_click = std::exchange(double_clicked_, false);
    if (event->button() != Qt::LeftButton || ends_double_click || !rect().contains(event->position().toPoint())) return;
    notify(&EditBoxListener::on_click);
}

void LineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton) return;
    double_clicked_ = true;
    notify(&EditBoxListener::on_dbl_click);
}

// ---------------------------------------------------------------------------------------
// The masked box.


QtMaskedEditBox::QtMaskedEditBox(QWidget* parent, ErrorReporter report, std::u16string_view mask)
    : LineEditBox(parent, std::move(report)) {
    apply_mask(mask, u'_', all_prompt_text(mask), 0);
}

QString QtMaskedEditBox::qt_input_mask(std::u16string_view mask, char16_t prompt) {
    static constexpr std::u16string_view qt_meta = u"AaNnXx90Dd#HhBb<>!{}[]\\";
    QString out;
    for (char16_t m : mask) {
        // A literal that is one of Qt's mask characters is escaped.
        if (!MaskRules::is_position(m) && qt_meta.find(m) != std::u16string_view::npos) out += u'\\';
        out += m == u'#' ? QChar(u'0') : m == u'?' ? QChar(u'a') : QChar(m);
    }
    return out + u';' + QChar(prompt);
}

void QtMaskedEditBox::apply_mask(std::u16string_view mask, char16_t prompt, const std::u16string& text,
                                 std::int32_t caret) {
    // Qt cannot take ";" as a literal: it starts the blank character.
    if (mask.find(u';') != std::u16string_view::npos) norvtext::raise(ErrorCode::InvalidPropertyValue);
    mask_ = mask;
    {
        const QSignalBlocker block(this);
        setInputMask(qt_input_mask(mask_, prompt));
    }
    // Every character of `text` fits its position, so the line edit lays it in as it is.
    replace_text(to_qstring(text), caret);
}

MaskRules QtMaskedEditBox::rules() const { return {mask_, MaskRules::prompt_of(member(InnerMember::PromptChar))}; }

void QtMaskedEditBox::set_text(std::u16string_view text) { LineEditBox::set_text(rules().assigned(text)); }

void QtMaskedEditBox::set_mask(std::u16string_view mask) {
    // The entered characters that fit are kept, laid into the new positions in order.
    apply_mask(mask, rules().prompt, rules().relaid(text(), mask), 0);
}

void QtMaskedEditBox::set_sel_text(std::u16string_view text) {
    std::int32_t caret = 0;
    const std::u16string t = rules().typed_over(this->text(), sel_start(), sel_length(), text, caret);
    replace_text(to_qstring(t), caret);
}

void QtMaskedEditBox::set_member(InnerMember m, const Variant& value) {
    if (m != InnerMember::PromptChar) return LineEditBox::set_member(m, value);
    const std::u16string t = rules().reprompted(text(), value);
    const std::int32_t caret = sel_start();
    LineEditBox::set_member(m, value);
    apply_mask(mask_, rules().prompt, t, caret);
}

void QtMaskedEditBox::type_key(QKeyEvent* event, char16_t c) {
    // Qt would look further along the mask for a position the character fits, or jump to
    // a literal it matches, and its positions admit more (any Unicode number for a digit,
    // "+" and "-" for "#"): the box takes the character only where the contract's rules
    // put it at its next position.
    // Emptying a selection first moves no position, so the test needs no copy of the text.
    if (c >= 32 && !rules().takes(sel_start(), c)) return;
    LineEditBox::type_key(event, c);
}

void QtMaskedEditBox::act_on_key(QKeyEvent* event) {
    // Delete on a literal clears the next position, as Backspace skips literals backwards;
    // the caret stays where it was.
    const std::int32_t caret = cursorPosition();
    const bool deleting = event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && !hasSelectedText();
    const std::int32_t pos = deleting ? rules().skip_literals(caret) : caret;
    const bool on_literal = pos != caret && pos < length();
    if (on_literal) setCursorPosition(pos);
    LineEditBox::act_on_key(event);
    if (on_literal) place_caret(caret);
}

}  // namespace norvtext::qt
