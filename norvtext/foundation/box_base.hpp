// What every control shares, written once: the inner box and blink timer, the behaviour
// switches (FocusSelect, EscapeClear, ReadOnly, Blink, About), the pass-through members,
// focus selection, Escape clearing, the blink tick, resizing and the bag helpers.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "norvtext/foundation/bag_layout.hpp"
#include "norvtext/foundation/dispatch.hpp"
#include "norvtext/foundation/edit_box.hpp"
#include "norvtext/foundation/host.hpp"
#include "norvtext/foundation/property_bag.hpp"
#include "norvtext/foundation/timer.hpp"

namespace norvtext {

class BoxBase : public Dispatch, protected EditBoxListener, protected TimerListener {
public:
    BoxBase(const BoxBase&) = delete;
    BoxBase& operator=(const BoxBase&) = delete;
    ~BoxBase() override;

    // Host requests: first placement, load, save, resize.
    virtual void InitProperties() = 0;
    // Every key of the class's bag layout, in its order, read with its default; nothing is
    // caught, so a failing bag stops the load there and reaches the host.
    void ReadProperties(PropertyBag& bag);
    void WriteProperties(PropertyBag& bag);
    void Resize();

    // Behaviour switches.
    bool FocusSelect() const { return focus_select_; }
    void setFocusSelect(bool New_FocusSelect);
    bool EscapeClear() const { return escape_clear_; }
    void setEscapeClear(bool New_EscapeClear);
    bool ReadOnly() const { return read_only_; }
    void setReadOnly(bool New_ReadOnly);
    bool Blink() const { return Timer1.enabled(); }
    void setBlink(bool New_Blink);
    bool About() const { return true; }
    void setAbout(bool New_About);

    // Pass-through members of the inner box.
    Colour BackColor() const;
    void setBackColor(Colour New_BackColor);
    Colour ForeColor() const;
    void setForeColor(Colour New_ForeColor);
    bool Enabled() const;
    void setEnabled(bool New_Enabled);
    std::int16_t MousePointer() const;
    void setMousePointer(std::int16_t New_MousePointer);
    PictureRef MouseIcon() const;
    void setMouseIcon(PictureRef New_MouseIcon);
    FontRef Font() const;
    void setFont(FontRef New_Font);
    std::u16string PasswordChar() const;
    void setPasswordChar(std::u16string_view New_PasswordChar);
    std::int32_t SelLength() const;
    void setSelLength(std::int32_t New_SelLength);
    std::int32_t SelStart() const;
    void setSelStart(std::int32_t New_SelStart);
    std::u16string SelText() const;
    void setSelText(std::u16string_view New_SelText);
    std::u16string LinkItem() const;
    void setLinkItem(std::u16string_view New_LinkItem);
    std::int32_t LinkMode() const;
    void setLinkMode(std::int32_t New_LinkMode);
    std::int16_t LinkTimeout() const;
    void setLinkTimeout(std::int16_t New_LinkTimeout);
    std::u16string LinkTopic() const;
    void setLinkTopic(std::u16string_view New_LinkTopic);
    bool Locked() const;
    void setLocked(bool New_Locked);
    std::u16string ToolTipText() const;
    void setToolTipText(std::u16string_view New_ToolTipText);
    bool RightToLeft() const;
    void setRightToLeft(bool New_RightToLeft);
    std::int32_t OLEDragMode() const;
    void setOLEDragMode(std::int32_t New_OLEDragMode);
    std::int32_t OLEDropMode() const;
    void setOLEDropMode(std::int32_t New_OLEDropMode);
    std::int32_t hWnd() const;
    std::int32_t Alignment() const;
    std::int32_t Appearance() const;
    std::int32_t BorderStyle() const;
    std::int32_t ScrollBars() const;
    bool MultiLine() const;

    // The constituents, for hosts that draw or drive them.
    EditBox& textbox() { return Textbox; }
    const EditBox& textbox() const { return Textbox; }
    Timer& timer() { return Timer1; }
    Host& host() { return host_; }

protected:
    BoxBase(Host& host, std::unique_ptr<EditBox> box);

    // Design-only members that some controls publish with a writer.
    void sethWnd(std::int32_t New_hWnd);
    void setAppearance(std::int32_t New_Appearance);
    void setBorderStyle(std::int32_t New_BorderStyle);

    void announce(std::string_view name) { host_.property_changed(name); }
    const Locale& locale() const { return host_.locale(); }
    const Locale& argument_locale() const override { return host_.locale(); }

    // Focus arrival's selection step: all selected, or the caret at the start.
    void select_on_focus();
    // Read-only test at the head of every key filter: swallows the key when set.
    bool swallow_if_read_only(std::int16_t& KeyAscii) const;
    // Stops blinking, as the masked and numeric boxes do when the user comes back.
    void stop_blink_timer() { Timer1.set_enabled(false); }
    // Starts blinking from an invalid entry: timer on, caret at 0.
    void start_blink();
    // The text Escape clears to: empty for plain boxes, the all-prompt text for masked ones.
    virtual std::u16string cleared_text() const { return {}; }

    // Inner-box notifications shared by every control.
    void on_key_down(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void on_key_up(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void on_change() override;
    void on_timer() override;

    // Pass-through with announcement.
    Variant inner(InnerMember m) const { return Textbox.member(m); }
    void set_inner(InnerMember m, const Variant& value, std::string_view name);

    // The class's persistence; see BagLayout.
    virtual const BagLayout& bag_layout() const = 0;
    // First placement's switches, alike in every control.
    void reset_switches() { focus_select_ = true, escape_clear_ = true, read_only_ = false; }

    // Late-bound access to the members every control shares.
    Variant get_member(std::string_view member) override;
    void put_member(std::string_view member, const Variant& value) override;
    static const MemberTable<BoxBase>& common_members();

private:
    static const std::vector<BagKey>& shared_bag_keys();
    const BagKey* bag_key(std::string_view id) const;

protected:

    Host& host_;
    std::unique_ptr<EditBox> textbox_owner_;
    std::unique_ptr<Timer> timer_owner_;
    EditBox& Textbox;
    Timer& Timer1;
    bool focus_select_ = true;
    bool escape_clear_ = true;
    bool read_only_ = false;
};

// Bag defaults shared by every control.
namespace bag_default {
inline Variant colour(Colour c) { return Variant(static_cast<std::int32_t>(c)); }
inline const Variant back_color = colour(system_window_background);
inline const Variant fore_color = colour(system_window_text);
}  // namespace bag_default

}  // namespace norvtext
