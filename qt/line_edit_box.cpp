// The Qt inner boxes: key, focus and mouse events turned into the control's notifications,
// the text and selection in the control's terms, and the pass-through members applied to
// the line edit.
#include "qt/line_edit_box.hpp"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QKeyEvent>

#include "norvtext/platform/error.hpp"
#include "qt/conversions.hpp"
#include "qt/key_codes.hpp"

namespace norvtext::qt {

namespace {

std::int32_t twips_to_pixels(std::int32_t twips, int dpi) { return static_cast<std::int32_t>(twips * dpi / 1440); }

Qt::CursorShape cursor_shape(std::int16_t pointer) {
    // The platform's mouse pointer numbers.
    switch (pointer) {
        case 2: return Qt::CrossCursor;
        case 3: return Qt::IBeamCursor;
        case 5:
        case 15: return Qt::SizeAllCursor;
        case 6: return Qt::SizeBDiagCursor;
        case 7: return Qt::SizeVerCursor;
        case 8: return Qt::SizeFDiagCursor;
        case 9: return Qt::SizeHorCursor;
        case 10: return Qt::UpArrowCursor;
        case 11: return Qt::WaitCursor;
        case 12: return Qt::ForbiddenCursor;
        case 13: return Qt::BusyCursor;
        case 14: return Qt::WhatsThisCursor;
        default: return Qt::ArrowCursor;
    }
}

}  // namespace

template <class I>
LineEditBox<I>::LineEditBox(QWidget* parent, ErrorReporter report) : QLineEdit(parent), report_(std::move(report)) {
    // The design-time state of the members, as the platform's edit box starts.
    store(InnerMember::BackColor, Variant(static_cast<std::int32_t>(system_window_background)));
    store(InnerMember::ForeColor, Variant(static_cast<std::int32_t>(system_window_text)));
    store(InnerMember::Enabled, Variant(true));
    store(InnerMember::MousePointer, Variant(std::int16_t{0}));
    store(InnerMember::MouseIcon, Variant::nothing());
    store(InnerMember::Font, Variant(to_font(font())));
    store(InnerMember::PasswordChar, Variant(u""));
    store(InnerMember::Locked, Variant(false));
    store(InnerMember::LinkItem, Variant(u""));
    store(InnerMember::LinkMode, Variant(std::int32_t{0}));
    store(InnerMember::LinkTimeout, Variant(std::int16_t{50}));
    store(InnerMember::LinkTopic, Variant(u""));
    store(InnerMember::ToolTipText, Variant(u""));
    store(InnerMember::RightToLeft, Variant(false));
    store(InnerMember::OLEDragMode, Variant(std::int32_t{0}));
    store(InnerMember::OLEDropMode, Variant(std::int32_t{0}));
    store(InnerMember::hWnd, Variant(std::int32_t{0}));
    store(InnerMember::Alignment, Variant(std::int32_t{0}));
    store(InnerMember::Appearance, Variant(std::int32_t{1}));
    store(InnerMember::BorderStyle, Variant(std::int32_t{1}));
    store(InnerMember::MultiLine, Variant(false));
    store(InnerMember::ScrollBars, Variant(std::int32_t{0}));
    store(InnerMember::PromptChar, Variant(u"_"));
    store(InnerMember::HideSelection, Variant(true));
    setAcceptDrops(false);
    setDragEnabled(false);
    QObject::connect(this, &QLineEdit::textChanged, this, [this] { guarded([this] { notice_change(); }); });
}

template <class I>
template <class Action>
void LineEditBox<I>::guarded(Action&& action) {
    try {
        action();
    } catch (const std::exception& e) {
        if (report_) report_(e);
    }
}

template <class I>
std::u16string_view LineEditBox<I>::text() const {
    // Refreshed in place: the same text keeps its buffer, so an earlier view stays valid.
    const QString s = shown();
    text_.assign(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
    return text_;
}

template <class I>
void LineEditBox<I>::notice_change() {
    // A masked line edit reports every typed key, also one that changed nothing.
    const QString now = shown();
    if (now == last_shown_) return;
    last_shown_ = now;
    if (listener_) listener_->on_change();
}

template <class I>
void LineEditBox<I>::replace_text(const QString& text, std::int32_t caret) {
    {
        // The text and caret change together; the control hears of it once, after both.
        const QSignalBlocker block(this);
        QLineEdit::setText(text);
        setCursorPosition(std::clamp(caret, 0, length()));
    }
    notice_change();
}

template <class I>
void LineEditBox<I>::set_text(std::u16string_view text) {
    // Giving the box the text it already shows changes nothing, the selection included.
    if (text == this->text()) return;
    replace_text(to_qstring(text), 0);
}

template <class I>
std::int32_t LineEditBox<I>::sel_start() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

template <class I>
void LineEditBox<I>::set_sel_start(std::int32_t start) {
    if (start < 0) norvtext::raise(ErrorCode::InvalidPropertyValue);
    setCursorPosition(std::min(start, length()));
}

template <class I>
std::int32_t LineEditBox<I>::sel_length() const {
    return hasSelectedText() ? selectionLength() : 0;
}

template <class I>
void LineEditBox<I>::set_sel_length(std::int32_t length) {
    if (length < 0) norvtext::raise(ErrorCode::InvalidPropertyValue);
    const std::int32_t start = sel_start();
    length = std::min(length, this->length() - start);
    if (length == 0)
        setCursorPosition(start);
    else
        setSelection(start, length);
}

template <class I>
std::u16string LineEditBox<I>::sel_text() const {
    return std::u16string(text().substr(static_cast<std::size_t>(sel_start()), static_cast<std::size_t>(sel_length())));
}

template <class I>
void LineEditBox<I>::set_sel_text(std::u16string_view text) {
    if (sel_length() == 0 && text.empty()) return;
    QLineEdit::insert(to_qstring(text));
}

template <class I>
Variant LineEditBox<I>::member(InnerMember m) const {
    // The window system's handle of the window the box is drawn in (0 before it is shown),
    // until a control writes a handle of its own.
    if (m == InnerMember::hWnd && !hWnd_written_) return Variant(static_cast<std::int32_t>(effectiveWinId()));
    return members_[static_cast<std::size_t>(m)];
}

template <class I>
void LineEditBox<I>::set_member(InnerMember m, const Variant& value) {
    // Each member keeps its own type, as the platform's box property does: a value that
    // does not convert raises the platform's error and leaves the member as it was.
    switch (m) {
        case InnerMember::BackColor:
        case InnerMember::ForeColor:
            store(m, Variant(static_cast<std::int32_t>(value.to_colour())));
            apply_colours();
            break;
        case InnerMember::Enabled:
            store(m, Variant(value.to_boolean()));
            setEnabled(value.to_boolean());
            break;
        case InnerMember::Locked:
            store(m, Variant(value.to_boolean()));
            setReadOnly(value.to_boolean());
            break;
        case InnerMember::RightToLeft:
            store(m, Variant(value.to_boolean()));
            setLayoutDirection(value.to_boolean() ? Qt::RightToLeft : Qt::LeftToRight);
            break;
        case InnerMember::MultiLine:
        case InnerMember::HideSelection: store(m, Variant(value.to_boolean())); break;
        case InnerMember::MousePointer:
            store(m, Variant(value.to_integer()));
            apply_cursor();
            break;
        case InnerMember::MouseIcon:
            store(m, Variant(value.to_picture()));
            apply_cursor();
            break;
        case InnerMember::LinkTimeout: store(m, Variant(value.to_integer())); break;
        case InnerMember::Font: {
            FontRef f = value.to_font();
            if (f) setFont(to_qfont(*f));
            store(m, Variant(std::move(f)));
            break;
        }
        case InnerMember::PasswordChar:
        case InnerMember::PromptChar: {
            // One character at most: a longer text keeps its first character.
            std::u16string s = value.to_string();
            if (s.size() > 1) s.resize(1);
            if (m == InnerMember::PasswordChar) setEchoMode(s.empty() ? QLineEdit::Normal : QLineEdit::Password);
            store(m, Variant(std::move(s)));
            break;
        }
        case InnerMember::LinkItem:
        case InnerMember::LinkTopic: store(m, Variant(value.to_string())); break;
        case InnerMember::ToolTipText:
            store(m, Variant(value.to_string()));
            setToolTip(to_qstring(value.to_string()));
            break;
        case InnerMember::OLEDragMode:
            store(m, Variant(value.to_long()));
            setDragEnabled(value.to_long() == 1);  // automatic
            break;
        case InnerMember::OLEDropMode:
            store(m, Variant(value.to_long()));
            setAcceptDrops(value.to_long() != 0);
            break;
        case InnerMember::hWnd:
            store(m, Variant(value.to_long()));
            hWnd_written_ = true;
            break;
        case InnerMember::Alignment: {
            const std::int32_t a = value.to_long();
            store(m, Variant(a));
            setAlignment(a == 1 ? Qt::AlignRight : a == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
            break;
        }
        case InnerMember::BorderStyle:
            store(m, Variant(value.to_long()));
            setFrame(value.to_long() != 0);
            break;
        case InnerMember::Appearance:
        case InnerMember::LinkMode:
        case InnerMember::ScrollBars: store(m, Variant(value.to_long())); break;
    }
}

template <class I>
void LineEditBox<I>::apply_colours() {
    QPalette p = parentWidget() ? parentWidget()->palette() : QApplication::palette(this);
    const QPalette base = p;
    const auto apply = [&](InnerMember m, QPalette::ColorRole role) {
        const Colour c = member(m).to_colour();
        p.setColor(role, to_qcolor(c, base));
    };
    apply(InnerMember::BackColor, QPalette::Base);
    apply(InnerMember::ForeColor, QPalette::Text);
    setPalette(p);
}

template <class I>
void LineEditBox<I>::apply_cursor() {
    const std::int16_t pointer = member(InnerMember::MousePointer).to_integer();
    const QPixmap icon = to_qpixmap(member(InnerMember::MouseIcon).to_picture());
    if (pointer == 99 && !icon.isNull())  // custom: the mouse icon
        setCursor(QCursor(icon));
    else if (pointer == 0)
        unsetCursor();
    else
        setCursor(cursor_shape(pointer));
}

template <class I>
void LineEditBox<I>::set_width(std::int32_t width) {
    resize(twips_to_pixels(width, logicalDpiX()), QLineEdit::height());
}

template <class I>
void LineEditBox<I>::set_height(std::int32_t height) {
    resize(QLineEdit::width(), twips_to_pixels(height, logicalDpiY()));
}

template <class I>
void LineEditBox<I>::type_key(QKeyEvent* event, char16_t) {
    QLineEdit::keyPressEvent(event);
}

template <class I>
void LineEditBox<I>::keyPressEvent(QKeyEvent* event) {
    event->accept();
    guarded([&] {
        KeyStroke stroke = key_stroke(*event);
        if (listener_) listener_->on_key_down(stroke.code, stroke.shift);
        std::int16_t KeyAscii = key_ascii(*event);
        if (KeyAscii == 0) {
            // Text the control was not offered as a key (Alt with a letter, several
            // characters from one key) would slip past its filter: the box leaves it to
            // its parents.
            const QString t = event->text();
            if (t.size() > 1 || (t.size() == 1 && t.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier))) {
                event->ignore();
                return;
            }
            return act_on_key(event);
        }
        const std::int16_t typed = KeyAscii;
        if (listener_) listener_->on_key_press(KeyAscii);
        if (KeyAscii == 0) return;  // swallowed: the line edit never sees it
        if (KeyAscii == typed) return type_key(event, static_cast<char16_t>(KeyAscii));
        // A handler changed the key: the line edit gets the key that types the new one.
        QKeyEvent changed = key_event_for(KeyAscii);
        type_key(&changed, static_cast<char16_t>(KeyAscii));
        event->setAccepted(changed.isAccepted());
    });
}

template <class I>
void LineEditBox<I>::keyReleaseEvent(QKeyEvent* event) {
    guarded([&] {
        // A held key repeats its KeyDown and KeyPress; KeyUp comes once, on release.
        if (!event->isAutoRepeat() && listener_) {
            KeyStroke stroke = key_stroke(*event);
            listener_->on_key_up(stroke.code, stroke.shift);
        }
        QLineEdit::keyReleaseEvent(event);
    });
}

template <class I>
void LineEditBox<I>::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // The window coming back to the front returns the focus the box never lost.
    if (has_focus_ || event->reason() == Qt::PopupFocusReason) return;
    has_focus_ = true;
    guarded([&] {
        if (listener_) listener_->on_got_focus();
    });
}

template <class I>
void LineEditBox<I>::focusOutEvent(QFocusEvent* event) {
    // The line edit drops its selection on leaving; the platform's box keeps it (a blinking
    // box goes on blinking after the focus has gone), so it is put back.
    const std::int32_t start = sel_start(), length = sel_length();
    QLineEdit::focusOutEvent(event);
    if (length > 0) setSelection(start, length);
    // Another window taking the front, or a popup, leaves the focus with the box.
    if (!has_focus_ || event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    has_focus_ = false;
    guarded([&] {
        if (listener_) listener_->on_lost_focus();
    });
}

template <class I>
void LineEditBox<I>::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    // The release that ends a double click is no second Click.
    const bool ends_double_click = std::exchange(double_clicked_, false);
    if (event->button() != Qt::LeftButton || ends_double_click || !rect().contains(event->position().toPoint())) return;
    guarded([&] {
        if (listener_) listener_->on_click();
    });
}

template <class I>
void LineEditBox<I>::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton) return;
    double_clicked_ = true;
    guarded([&] {
        if (listener_) listener_->on_dbl_click();
    });
}

template class LineEditBox<EditBox>;
template class LineEditBox<MaskedEditBox>;

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
        if (m == u'#') {
            out += u'0';
        } else if (m == u'?') {
            out += u'a';
        } else {
            if (qt_meta.find(m) != std::u16string_view::npos) out += u'\\';
            out += QChar(m);
        }
    }
    out += u';';
    out += QChar(prompt);
    return out;
}

char16_t QtMaskedEditBox::prompt() const {
    const Variant p = member(InnerMember::PromptChar);
    return p.is_string() && p.string_ref().size() == 1 ? p.string_ref()[0] : u'_';
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

MaskRules QtMaskedEditBox::rules() const { return {mask_, prompt()}; }

bool QtMaskedEditBox::fits_mask(std::u16string_view text) const { return rules().fits_text(text); }

std::int32_t QtMaskedEditBox::skip_literals(std::int32_t from) const { return rules().skip_literals(from); }

bool QtMaskedEditBox::put_char(std::u16string& text, std::int32_t& caret, char16_t c) const {
    // Qt's own positions admit more (any Unicode number for a digit, "+" and "-" for "#"):
    // the box decides with the contract's rules before the line edit sees a character.
    return rules().put_char(text, caret, c);
}

std::u16string QtMaskedEditBox::cleared_selection() const {
    return rules().cleared(text(), sel_start(), sel_length());
}

void QtMaskedEditBox::set_text(std::u16string_view text) {
    if (text.empty()) return LineEditBox::set_text(all_prompt_text(mask_, prompt()));
    if (!fits_mask(text)) norvtext::raise(ErrorCode::InvalidPropertyValue);
    LineEditBox::set_text(text);
}

void QtMaskedEditBox::set_mask(std::u16string_view mask) {
    // The entered characters that fit are kept, laid into the new positions in order.
    const std::u16string t = rules().relaid(text(), mask);
    apply_mask(mask, prompt(), t, 0);
}

void QtMaskedEditBox::set_sel_text(std::u16string_view text) {
    std::u16string t = cleared_selection();
    std::int32_t caret = sel_start();
    for (char16_t c : text) put_char(t, caret, c);
    replace_text(to_qstring(t), caret);
}

void QtMaskedEditBox::set_member(InnerMember m, const Variant& value) {
    if (m != InnerMember::PromptChar) return LineEditBox::set_member(m, value);
    const std::u16string p = value.to_string();
    if (!MaskRules::valid_prompt(p)) norvtext::raise(ErrorCode::InvalidPropertyValue);
    const std::u16string t = rules().with_prompt(text(), p[0]);
    const std::int32_t caret = sel_start();
    store(m, Variant(p));
    apply_mask(mask_, p[0], t, caret);
}

void QtMaskedEditBox::type_key(QKeyEvent* event, char16_t c) {
    // Qt would look further along the mask for a position the character fits, or jump to
    // a literal it matches; the box takes the character only at its next position.
    if (c >= 32) {
        std::u16string t = cleared_selection();
        std::int32_t caret = sel_start();
        if (!put_char(t, caret, c)) return;
    }
    LineEditBox::type_key(event, c);
}

void QtMaskedEditBox::act_on_key(QKeyEvent* event) {
    // Delete on a literal clears the next position, as Backspace skips literals backwards;
    // the caret stays where it was.
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && !hasSelectedText()) {
        const std::int32_t caret = cursorPosition();
        const std::int32_t pos = skip_literals(caret);
        if (pos != caret && pos < length()) {
            setCursorPosition(pos);
            LineEditBox::act_on_key(event);
            setCursorPosition(caret);
            return;
        }
    }
    LineEditBox::act_on_key(event);
}

}  // namespace norvtext::qt
