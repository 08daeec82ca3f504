// The general text box: its filter wiring, properties and persistence.
#include "norvtext/controls/text/text_box.hpp"

#include "norvtext/platform/numbers.hpp"
#include "norvtext/platform/text_case.hpp"

namespace norvtext {

void txtNorvText::InitProperties() {
    reset_switches();
    max_chars_ = 0;
    chars_ = 0;
    char_table_.clear();
    Textbox.set_text(u"");
}

void txtNorvText::assign(std::u16string_view text, std::string_view name) {
    if (max_chars_ >= 1 && text.size() > static_cast<std::size_t>(max_chars_)) text = text.substr(0, max_chars_);
    Textbox.set_text(text);
    if (chars_ & chars_flag::upper_case) Textbox.set_text(to_upper(Textbox.text(), locale()));
    stored_value_ = Textbox.text();
    announce(name);
}

std::u16string txtNorvText::Value() const {
    // The number the box shows, read as a whole ("1,000" is a thousand, "(12)" minus
    // twelve), not just its leading digits.
    const auto number = parse_double(Textbox.text(), host_.locale());
    return number ? general_number_text(*number, host_.locale()) : u"0";
}

std::string txtNorvText::accessible_description() const {
    const std::string allowed = describe_filter(filter());
    return PasswordChar().empty() ? allowed : "password, " + allowed;
}

void txtNorvText::on_key_press(std::int16_t& KeyAscii) {
    if (swallow_if_read_only(KeyAscii)) return;
    const KeyVerdict verdict = filter_key(KeyAscii, filter(), Textbox.text().size(), Textbox.sel_length());
    if (verdict == KeyVerdict::BeepAndSwallow) refuse_key(at_most(max_chars_));
    if (verdict == KeyVerdict::Offer) host_.KeyPress(KeyAscii);  // the host's value goes in unchecked
}

char16_t txtNorvText::admitted_char(char16_t c, std::size_t length) const {
    auto key = static_cast<std::int16_t>(c);
    return filter_key(key, filter(), length, 0) == KeyVerdict::Offer ? static_cast<char16_t>(key) : u'\0';
}

const BagLayout& txtNorvText::bag_layout() const {
    // Straight into the inner box and fields: no filtering, cutting or case conversion,
    // and nothing is announced. "Value" is written twice, the text as shown first: a bag
    // that keeps the first write of a key keeps what the user typed after the last
    // assignment; the stored value is read last.
    static const BagLayout layout{
        "BackColor Enabled MousePointer MouseIcon Font MaxChars Text ForeColor PasswordChar SelLength SelStart "
        "SelText Value:shown Chars LinkItem LinkMode LinkTimeout LinkTopic Locked ToolTipText RightToLeft "
        "OLEDragMode OLEDropMode Value CharTable FocusSelect EscapeClear ReadOnly Blink",
        "BackColor Enabled Font MouseIcon MousePointer MaxChars Text ForeColor PasswordChar SelLength SelStart "
        "SelText Value:shown Chars LinkItem LinkMode LinkTimeout LinkTopic Locked ToolTipText RightToLeft "
        "OLEDragMode OLEDropMode Value CharTable FocusSelect EscapeClear ReadOnly Blink",
        {
            field_key<&txtNorvText::max_chars_>("MaxChars", Variant(std::int16_t{0})),
            {"Text", Variant(never_shown_text), [](BoxBase& b, const Variant& v) { b.textbox().set_text(v.to_string()); },
             [](const BoxBase& b) { return Variant(b.textbox().text()); }},
            {"Value:shown", Variant(u""), [](BoxBase& b, const Variant& v) { b.textbox().set_text(v.to_string()); },
             [](const BoxBase& b) { return Variant(b.textbox().text()); }},
            field_key<&txtNorvText::stored_value_>("Value", Variant(u"")),
            field_key<&txtNorvText::chars_>("Chars", Variant(std::int16_t{0})),
            field_key<&txtNorvText::char_table_>("CharTable", Variant(u"")),
        }};
    return layout;
}

const Members* txtNorvText::bound_members() const {
    using B = txtNorvText;
    using T = MemberTable<B>;
    return T::once_with_text_and_value({
        T::bind("MaxChars", &B::MaxChars, &B::setMaxChars),
        T::bind("Chars", &B::Chars, &B::setChars),
        T::bind("CharTable", &B::CharTable, &B::setCharTable),
    }, BoxBase::bound_members());
}

Variant txtNorvText::invoke_member(std::string_view method, std::span<const Variant> args) {
    if (method == "PCase") return Variant(PCase(args[0].to_string()));
    return BoxBase::invoke_member(method, args);
}

}  // namespace norvtext
