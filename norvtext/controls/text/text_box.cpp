// The general text box: its filter wiring, properties and persistence.
#include "norvtext/controls/text/text_box.hpp"

#include "norvtext/platform/numbers.hpp"
#include "norvtext/platform/text_case.hpp"

namespace norvtext {

txtNorvText::txtNorvText(Host& host) : BoxBase(host, host.create_edit_box()) {}

const ClassInfo& txtNorvText::class_info() const { return *type_library().find_class("txtNorvText"); }

void txtNorvText::InitProperties() {
    focus_select_ = true;
    escape_clear_ = true;
    read_only_ = false;
    max_chars_ = 0;
    chars_ = 0;
    char_table_.clear();
    Textbox.set_text(u"");
}

void txtNorvText::setMaxChars(std::int16_t New_MaxChars) {
    // Text already longer stays: the limit applies to typing and to later assignments.
    max_chars_ = New_MaxChars;
    announce("MaxChars");
}

void txtNorvText::setChars(std::int16_t New_Chars) {
    chars_ = New_Chars;
    announce("Chars");
}

void txtNorvText::setCharTable(std::u16string_view New_CharTable) {
    char_table_ = New_CharTable;
    announce("CharTable");
}

void txtNorvText::assign(std::u16string_view text) {
    if (max_chars_ >= 1 && text.size() > static_cast<std::size_t>(max_chars_)) text = text.substr(0, max_chars_);
    Textbox.set_text(text);
    if (chars_ & chars_flag::upper_case) Textbox.set_text(to_upper(Textbox.text(), locale()));
    stored_value_ = Textbox.text();
}

void txtNorvText::setText(std::u16string_view New_Text) {
    assign(New_Text);
    announce("Text");
}

void txtNorvText::setValue(std::u16string_view New_Value) {
    assign(New_Value);
    announce("Value");
}

std::u16string txtNorvText::Value() const {
    // The number the box shows, read as a whole ("1,000" is a thousand, "(12)" minus
    // twelve), not just its leading digits.
    const auto number = parse_double(Textbox.text(), host_.locale());
    if (!number) return u"0";
    return general_number_text(*number, host_.locale());
}

std::u16string txtNorvText::PCase(std::u16string_view psBuf) const { return proper_case(psBuf, host_.locale()); }

void txtNorvText::on_got_focus() { select_on_focus(); }

void txtNorvText::on_lost_focus() {
    // A blinking box keeps its selection so that it goes on blinking after focus has gone.
    if (!Timer1.enabled()) Textbox.set_sel_length(0);
    if (chars_ & chars_flag::proper_case) Textbox.set_text(PCase(Textbox.text()));
}

void txtNorvText::on_key_press(std::int16_t& KeyAscii) {
    if (swallow_if_read_only(KeyAscii)) return;
    const FilterSettings settings{chars_, char_table_, max_chars_};
    switch (filter_key(KeyAscii, settings, Textbox.text().size(), Textbox.sel_length())) {
        case KeyVerdict::BeepAndSwallow: host_.beep(); break;
        case KeyVerdict::Offer: host_.KeyPress(KeyAscii); break;  // the host's value goes in unchecked
        case KeyVerdict::Swallow:
        case KeyVerdict::PassQuietly: break;
    }
}

void txtNorvText::on_click() { host_.Click(); }
void txtNorvText::on_dbl_click() { host_.DblClick(); }

void txtNorvText::ReadProperties(PropertyBag& bag) {
    // Straight into the inner box and fields: no filtering, cutting or case conversion,
    // and nothing is announced.
    read_inner(bag, "BackColor", InnerMember::BackColor, bag_default::back_color);
    read_inner(bag, "Enabled", InnerMember::Enabled, Variant(true));
    read_inner(bag, "MousePointer", InnerMember::MousePointer, Variant(std::int16_t{0}));
    read_inner(bag, "MouseIcon", InnerMember::MouseIcon, Variant::nothing());
    read_inner(bag, "Font", InnerMember::Font, default_font());
    max_chars_ = bag.read("MaxChars", Variant(std::int16_t{0})).to_integer();
    Textbox.set_text(bag.read("Text", Variant(u"Krovint")).to_string());
    read_inner(bag, "ForeColor", InnerMember::ForeColor, bag_default::fore_color);
    read_inner(bag, "PasswordChar", InnerMember::PasswordChar, Variant(u""));
    Textbox.set_sel_length(bag.read("SelLength", Variant(std::int32_t{0})).to_long());
    Textbox.set_sel_start(bag.read("SelStart", Variant(std::int32_t{0})).to_long());
    Textbox.set_sel_text(bag.read("SelText", Variant(u"")).to_string());
    Textbox.set_text(bag.read("Value", Variant(u"")).to_string());
    chars_ = bag.read("Chars", Variant(std::int16_t{0})).to_integer();
    read_inner(bag, "LinkItem", InnerMember::LinkItem, Variant(u""));
    read_inner(bag, "LinkMode", InnerMember::LinkMode, Variant(std::int32_t{0}));
    read_inner(bag, "LinkTimeout", InnerMember::LinkTimeout, Variant(std::int16_t{50}));
    read_inner(bag, "LinkTopic", InnerMember::LinkTopic, Variant(u""));
    read_inner(bag, "Locked", InnerMember::Locked, Variant(false));
    read_inner(bag, "ToolTipText", InnerMember::ToolTipText, Variant(u""));
    read_inner(bag, "RightToLeft", InnerMember::RightToLeft, Variant(false));
    read_inner(bag, "OLEDragMode", InnerMember::OLEDragMode, Variant(std::int32_t{0}));
    read_inner(bag, "OLEDropMode", InnerMember::OLEDropMode, Variant(std::int32_t{0}));
    stored_value_ = bag.read("Value", Variant(u"")).to_string();
    char_table_ = bag.read("CharTable", Variant(u"")).to_string();
    focus_select_ = bag.read("FocusSelect", Variant(true)).to_boolean();
    escape_clear_ = bag.read("EscapeClear", Variant(true)).to_boolean();
    read_only_ = bag.read("ReadOnly", Variant(false)).to_boolean();
    read_blink(bag);
}

void txtNorvText::WriteProperties(PropertyBag& bag) {
    write_inner(bag, "BackColor", InnerMember::BackColor, bag_default::back_color);
    write_inner(bag, "Enabled", InnerMember::Enabled, Variant(true));
    write_inner(bag, "Font", InnerMember::Font, default_font());
    write_inner(bag, "MouseIcon", InnerMember::MouseIcon, Variant::nothing());
    write_inner(bag, "MousePointer", InnerMember::MousePointer, Variant(std::int16_t{0}));
    bag.write("MaxChars", Variant(max_chars_), Variant(std::int16_t{0}));
    bag.write("Text", Variant(Textbox.text()), Variant(u"Krovint"));
    write_inner(bag, "ForeColor", InnerMember::ForeColor, bag_default::fore_color);
    write_inner(bag, "PasswordChar", InnerMember::PasswordChar, Variant(u""));
    bag.write("SelLength", Variant(Textbox.sel_length()), Variant(std::int32_t{0}));
    bag.write("SelStart", Variant(Textbox.sel_start()), Variant(std::int32_t{0}));
    bag.write("SelText", Variant(Textbox.sel_text()), Variant(u""));
    // The text as shown first, the stored value second: a bag that keeps the first write
    // of a key keeps what the user typed after the last assignment.
    bag.write("Value", Variant(Textbox.text()), Variant(u""));
    bag.write("Chars", Variant(chars_), Variant(std::int16_t{0}));
    write_inner(bag, "LinkItem", InnerMember::LinkItem, Variant(u""));
    write_inner(bag, "LinkMode", InnerMember::LinkMode, Variant(std::int32_t{0}));
    write_inner(bag, "LinkTimeout", InnerMember::LinkTimeout, Variant(std::int16_t{50}));
    write_inner(bag, "LinkTopic", InnerMember::LinkTopic, Variant(u""));
    write_inner(bag, "Locked", InnerMember::Locked, Variant(false));
    write_inner(bag, "ToolTipText", InnerMember::ToolTipText, Variant(u""));
    write_inner(bag, "RightToLeft", InnerMember::RightToLeft, Variant(false));
    write_inner(bag, "OLEDragMode", InnerMember::OLEDragMode, Variant(std::int32_t{0}));
    write_inner(bag, "OLEDropMode", InnerMember::OLEDropMode, Variant(std::int32_t{0}));
    bag.write("Value", Variant(stored_value_), Variant(u""));
    bag.write("CharTable", Variant(char_table_), Variant(u""));
    bag.write("FocusSelect", Variant(focus_select_), Variant(true));
    bag.write("EscapeClear", Variant(escape_clear_), Variant(true));
    bag.write("ReadOnly", Variant(read_only_), Variant(false));
    write_blink(bag);
}

namespace {
using Table = MemberTable<txtNorvText>;
const Table& own_members() {
    static const Table table = [] {
        Table t{
            {"MaxChars", [](txtNorvText& b) { return Variant(b.MaxChars()); },
             [](txtNorvText& b, const Variant& v) { b.setMaxChars(v.to_integer()); }},
            {"Chars", [](txtNorvText& b) { return Variant(b.Chars()); },
             [](txtNorvText& b, const Variant& v) { b.setChars(v.to_integer()); }},
            {"CharTable", [](txtNorvText& b) { return Variant(b.CharTable()); },
             [](txtNorvText& b, const Variant& v) { b.setCharTable(v.to_string()); }},
            {"Text", [](txtNorvText& b) { return Variant(b.Text()); },
             [](txtNorvText& b, const Variant& v) { b.setText(v.to_string()); }},
            {"Value", [](txtNorvText& b) { return Variant(b.Value()); },
             [](txtNorvText& b, const Variant& v) { b.setValue(v.to_string()); }},
        };
        return t;
    }();
    return table;
}
}  // namespace

Variant txtNorvText::get_member(std::string_view member) {
    if (own_members().contains(member)) return own_members().get(*this, member);
    return BoxBase::get_member(member);
}

void txtNorvText::put_member(std::string_view member, const Variant& value) {
    if (own_members().contains(member)) return own_members().put(*this, member, value);
    BoxBase::put_member(member, value);
}

Variant txtNorvText::invoke_member(std::string_view method, std::span<const Variant> args) {
    if (method == "PCase") return Variant(PCase(args[0].to_string()));
    return BoxBase::invoke_member(method, args);
}

}  // namespace norvtext
