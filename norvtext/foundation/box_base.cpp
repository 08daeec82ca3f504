// The behaviours every control shares, written once.
#include "norvtext/foundation/box_base.hpp"

#include "norvtext/foundation/key_codes.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext {

BoxBase::BoxBase(Host& host, std::unique_ptr<EditBox> box)
    : host_(host),
      textbox_owner_(std::move(box)),
      timer_owner_(host.create_timer()),
      Textbox(*textbox_owner_),
      Timer1(*timer_owner_) {
    Textbox.set_listener(this);
    Timer1.set_listener(this);
}

BoxBase::~BoxBase() {
    Textbox.set_listener(nullptr);
    Timer1.set_listener(nullptr);
}

void BoxBase::Resize() {
    Textbox.set_width(host_.width());
    Textbox.set_height(host_.height());
}

void BoxBase::setFocusSelect(bool New_FocusSelect) {
    focus_select_ = New_FocusSelect;
    announce("FocusSelect");
}

void BoxBase::setEscapeClear(bool New_EscapeClear) {
    escape_clear_ = New_EscapeClear;
    announce("EscapeClear");
}

void BoxBase::setReadOnly(bool New_ReadOnly) {
    // The inner box's Locked stays as it is: read-only only filters typed characters.
    read_only_ = New_ReadOnly;
    announce("ReadOnly");
}

void BoxBase::setBlink(bool New_Blink) {
    Timer1.set_enabled(New_Blink);
    if (Timer1.enabled())
        Textbox.set_sel_start(0);
    else
        Textbox.set_sel_length(0);
    announce("Blink");
}

void BoxBase::setAbout(bool) {
    host_.show_about(about_box());
    announce("About");
}

void BoxBase::select_on_focus() {
    Textbox.set_sel_start(0);
    Textbox.set_sel_length(focus_select_ ? static_cast<std::int32_t>(Textbox.text().size()) : 0);
}

bool BoxBase::swallow_if_read_only(std::int16_t& KeyAscii) const {
    if (!read_only_) return false;
    KeyAscii = 0;
    return true;
}

void BoxBase::start_blink() {
    Timer1.set_enabled(true);
    Textbox.set_sel_start(0);
}

void BoxBase::on_key_down(std::int16_t& KeyCode, std::int16_t& Shift) { host_.KeyDown(KeyCode, Shift); }

void BoxBase::on_key_up(std::int16_t& KeyCode, std::int16_t& Shift) {
    // Cleared on release, so the Escape key's KeyDown and KeyPress have already passed.
    if (KeyCode == keys::Escape && escape_clear_) Textbox.set_text(cleared_text());
    host_.KeyUp(KeyCode, Shift);
}

void BoxBase::on_change() { host_.Change(); }

void BoxBase::on_timer() {
    const auto length = static_cast<std::int32_t>(Textbox.text().size());
    Textbox.set_sel_length(Textbox.sel_length() == length ? 0 : length);
}

void BoxBase::set_inner(InnerMember m, const Variant& value, std::string_view name) {
    Textbox.set_member(m, value);
    announce(name);
}

// Pass-through members.
Colour BoxBase::BackColor() const { return inner(InnerMember::BackColor).to_colour(); }
void BoxBase::setBackColor(Colour v) { set_inner(InnerMember::BackColor, bag_default::colour(v), "BackColor"); }
Colour BoxBase::ForeColor() const { return inner(InnerMember::ForeColor).to_colour(); }
void BoxBase::setForeColor(Colour v) { set_inner(InnerMember::ForeColor, bag_default::colour(v), "ForeColor"); }
bool BoxBase::Enabled() const { return inner(InnerMember::Enabled).to_boolean(); }
void BoxBase::setEnabled(bool v) { set_inner(InnerMember::Enabled, Variant(v), "Enabled"); }
std::int16_t BoxBase::MousePointer() const { return inner(InnerMember::MousePointer).to_integer(); }
void BoxBase::setMousePointer(std::int16_t v) { set_inner(InnerMember::MousePointer, Variant(v), "MousePointer"); }
PictureRef BoxBase::MouseIcon() const { return inner(InnerMember::MouseIcon).to_picture(); }
void BoxBase::setMouseIcon(PictureRef v) { set_inner(InnerMember::MouseIcon, Variant(std::move(v)), "MouseIcon"); }
FontRef BoxBase::Font() const { return inner(InnerMember::Font).to_font(); }
void BoxBase::setFont(FontRef v) { set_inner(InnerMember::Font, Variant(std::move(v)), "Font"); }
std::u16string BoxBase::PasswordChar() const { return inner(InnerMember::PasswordChar).to_string(); }
void BoxBase::setPasswordChar(std::u16string_view v) { set_inner(InnerMember::PasswordChar, Variant(v), "PasswordChar"); }
std::int32_t BoxBase::SelLength() const { return Textbox.sel_length(); }
void BoxBase::setSelLength(std::int32_t v) {
    Textbox.set_sel_length(v);
    announce("SelLength");
}
std::int32_t BoxBase::SelStart() const { return Textbox.sel_start(); }
void BoxBase::setSelStart(std::int32_t v) {
    Textbox.set_sel_start(v);
    announce("SelStart");
}
std::u16string BoxBase::SelText() const { return Textbox.sel_text(); }
void BoxBase::setSelText(std::u16string_view v) {
    Textbox.set_sel_text(v);
    announce("SelText");
}
std::u16string BoxBase::LinkItem() const { return inner(InnerMember::LinkItem).to_string(); }
void BoxBase::setLinkItem(std::u16string_view v) { set_inner(InnerMember::LinkItem, Variant(v), "LinkItem"); }
std::int32_t BoxBase::LinkMode() const { return inner(InnerMember::LinkMode).to_long(); }
void BoxBase::setLinkMode(std::int32_t v) { set_inner(InnerMember::LinkMode, Variant(v), "LinkMode"); }
std::int16_t BoxBase::LinkTimeout() const { return inner(InnerMember::LinkTimeout).to_integer(); }
void BoxBase::setLinkTimeout(std::int16_t v) { set_inner(InnerMember::LinkTimeout, Variant(v), "LinkTimeout"); }
std::u16string BoxBase::LinkTopic() const { return inner(InnerMember::LinkTopic).to_string(); }
void BoxBase::setLinkTopic(std::u16string_view v) { set_inner(InnerMember::LinkTopic, Variant(v), "LinkTopic"); }
bool BoxBase::Locked() const { return inner(InnerMember::Locked).to_boolean(); }
void BoxBase::setLocked(bool v) { set_inner(InnerMember::Locked, Variant(v), "Locked"); }
std::u16string BoxBase::ToolTipText() const { return inner(InnerMember::ToolTipText).to_string(); }
void BoxBase::setToolTipText(std::u16string_view v) { set_inner(InnerMember::ToolTipText, Variant(v), "ToolTipText"); }
bool BoxBase::RightToLeft() const { return inner(InnerMember::RightToLeft).to_boolean(); }
void BoxBase::setRightToLeft(bool v) { set_inner(InnerMember::RightToLeft, Variant(v), "RightToLeft"); }
std::int32_t BoxBase::OLEDragMode() const { return inner(InnerMember::OLEDragMode).to_long(); }
void BoxBase::setOLEDragMode(std::int32_t v) { set_inner(InnerMember::OLEDragMode, Variant(v), "OLEDragMode"); }
std::int32_t BoxBase::OLEDropMode() const { return inner(InnerMember::OLEDropMode).to_long(); }
void BoxBase::setOLEDropMode(std::int32_t v) { set_inner(InnerMember::OLEDropMode, Variant(v), "OLEDropMode"); }
std::int32_t BoxBase::hWnd() const { return inner(InnerMember::hWnd).to_long(); }
void BoxBase::sethWnd(std::int32_t v) { set_inner(InnerMember::hWnd, Variant(v), "hWnd"); }
std::int32_t BoxBase::Alignment() const { return inner(InnerMember::Alignment).to_long(); }
std::int32_t BoxBase::Appearance() const { return inner(InnerMember::Appearance).to_long(); }
void BoxBase::setAppearance(std::int32_t v) { set_inner(InnerMember::Appearance, Variant(v), "Appearance"); }
std::int32_t BoxBase::BorderStyle() const { return inner(InnerMember::BorderStyle).to_long(); }
void BoxBase::setBorderStyle(std::int32_t v) { set_inner(InnerMember::BorderStyle, Variant(v), "BorderStyle"); }
std::int32_t BoxBase::ScrollBars() const { return inner(InnerMember::ScrollBars).to_long(); }
bool BoxBase::MultiLine() const { return inner(InnerMember::MultiLine).to_boolean(); }

namespace {
using T = MemberTable<BoxBase>;
Variant colour_variant(Colour c) { return bag_default::colour(c); }
}  // namespace

const MemberTable<BoxBase>& BoxBase::common_members() {
    // Writers of members a class publishes read-only are still bound: the type library
    // refuses the write (383) before any binding is reached.
    static const T table{
        {"FocusSelect", [](BoxBase& b) { return Variant(b.FocusSelect()); },
         [](BoxBase& b, const Variant& v) { b.setFocusSelect(v.to_boolean()); }},
        {"EscapeClear", [](BoxBase& b) { return Variant(b.EscapeClear()); },
         [](BoxBase& b, const Variant& v) { b.setEscapeClear(v.to_boolean()); }},
        {"ReadOnly", [](BoxBase& b) { return Variant(b.ReadOnly()); },
         [](BoxBase& b, const Variant& v) { b.setReadOnly(v.to_boolean()); }},
        {"Blink", [](BoxBase& b) { return Variant(b.Blink()); },
         [](BoxBase& b, const Variant& v) { b.setBlink(v.to_boolean()); }},
        {"About", [](BoxBase& b) { return Variant(b.About()); },
         [](BoxBase& b, const Variant& v) { b.setAbout(v.to_boolean()); }},
        {"BackColor", [](BoxBase& b) { return colour_variant(b.BackColor()); },
         [](BoxBase& b, const Variant& v) { b.setBackColor(v.to_colour()); }},
        {"ForeColor", [](BoxBase& b) { return colour_variant(b.ForeColor()); },
         [](BoxBase& b, const Variant& v) { b.setForeColor(v.to_colour()); }},
        {"Enabled", [](BoxBase& b) { return Variant(b.Enabled()); },
         [](BoxBase& b, const Variant& v) { b.setEnabled(v.to_boolean()); }},
        {"MousePointer", [](BoxBase& b) { return Variant(b.MousePointer()); },
         [](BoxBase& b, const Variant& v) { b.setMousePointer(v.to_integer()); }},
        {"MouseIcon", [](BoxBase& b) { return Variant(b.MouseIcon()); },
         [](BoxBase& b, const Variant& v) { b.setMouseIcon(v.to_picture()); }},
        {"Font", [](BoxBase& b) { return Variant(b.Font()); },
         [](BoxBase& b, const Variant& v) { b.setFont(v.to_font()); }},
        {"PasswordChar", [](BoxBase& b) { return Variant(b.PasswordChar()); },
         [](BoxBase& b, const Variant& v) { b.setPasswordChar(v.to_string()); }},
        {"SelLength", [](BoxBase& b) { return Variant(b.SelLength()); },
         [](BoxBase& b, const Variant& v) { b.setSelLength(v.to_long()); }},
        {"SelStart", [](BoxBase& b) { return Variant(b.SelStart()); },
         [](BoxBase& b, const Variant& v) { b.setSelStart(v.to_long()); }},
        {"SelText", [](BoxBase& b) { return Variant(b.SelText()); },
         [](BoxBase& b, const Variant& v) { b.setSelText(v.to_string()); }},
        {"LinkItem", [](BoxBase& b) { return Variant(b.LinkItem()); },
         [](BoxBase& b, const Variant& v) { b.setLinkItem(v.to_string()); }},
        {"LinkMode", [](BoxBase& b) { return Variant(b.LinkMode()); },
         [](BoxBase& b, const Variant& v) { b.setLinkMode(v.to_long()); }},
        {"LinkTimeout", [](BoxBase& b) { return Variant(b.LinkTimeout()); },
         [](BoxBase& b, const Variant& v) { b.setLinkTimeout(v.to_integer()); }},
        {"LinkTopic", [](BoxBase& b) { return Variant(b.LinkTopic()); },
         [](BoxBase& b, const Variant& v) { b.setLinkTopic(v.to_string()); }},
        {"Locked", [](BoxBase& b) { return Variant(b.Locked()); },
         [](BoxBase& b, const Variant& v) { b.setLocked(v.to_boolean()); }},
        {"ToolTipText", [](BoxBase& b) { return Variant(b.ToolTipText()); },
         [](BoxBase& b, const Variant& v) { b.setToolTipText(v.to_string()); }},
        {"RightToLeft", [](BoxBase& b) { return Variant(b.RightToLeft()); },
         [](BoxBase& b, const Variant& v) { b.setRightToLeft(v.to_boolean()); }},
        {"OLEDragMode", [](BoxBase& b) { return Variant(b.OLEDragMode()); },
         [](BoxBase& b, const Variant& v) { b.setOLEDragMode(v.to_long()); }},
        {"OLEDropMode", [](BoxBase& b) { return Variant(b.OLEDropMode()); },
         [](BoxBase& b, const Variant& v) { b.setOLEDropMode(v.to_long()); }},
        {"hWnd", [](BoxBase& b) { return Variant(b.hWnd()); },
         [](BoxBase& b, const Variant& v) { b.sethWnd(v.to_long()); }},
        {"Alignment", [](BoxBase& b) { return Variant(b.Alignment()); }, nullptr},
        {"Appearance", [](BoxBase& b) { return Variant(b.Appearance()); },
         [](BoxBase& b, const Variant& v) { b.setAppearance(v.to_long()); }},
        {"BorderStyle", [](BoxBase& b) { return Variant(b.BorderStyle()); },
         [](BoxBase& b, const Variant& v) { b.setBorderStyle(v.to_long()); }},
        {"ScrollBars", [](BoxBase& b) { return Variant(b.ScrollBars()); }, nullptr},
        {"MultiLine", [](BoxBase& b) { return Variant(b.MultiLine()); }, nullptr},
    };
    return table;
}

Variant BoxBase::get_member(std::string_view member) { return common_members().get(*this, member); }

void BoxBase::put_member(std::string_view member, const Variant& value) {
    common_members().put(*this, member, value);
}

}  // namespace norvtext
