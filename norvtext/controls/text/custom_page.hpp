// The property page Custom: check boxes for the general text box's `Chars` flags kept in
// step with a "Chars:" number field, plus CharTable, MaxChars and the two behaviour
// switches, loaded from and applied to the first selected control through late binding.
// Toolkit-neutral: a GUI lays the page out from its geometry and forwards the user's
// clicks, edits and focus losses.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "norvtext/foundation/dispatch.hpp"
#include "norvtext/foundation/property_page_frame.hpp"

namespace norvtext {

class Custom : public Dispatch, public PropertyPage {
public:
    // The page's members, in tab order, under their published names.
    enum class Member : std::uint8_t {
        chkAllowAllCharacters,
        chkAllowSpaces,
        chkAllowNumbers,
        chkAllowLetters,
        chkUpperCase,
        chkAllowPunctuation,
        chkAllowCharTable,
        FocusSelect,
        EscapeClear,
        txtChars,
        txtCharTable,
        txtMaxChars,
        chkLowerCase,
        chkProperCase,
    };
    static constexpr std::size_t member_count = 14;

    enum class Kind { CheckBox, TextField };

    // Twips, from the page's top-left corner.
    struct Rect {
        std::int32_t left = 0;
        std::int32_t top = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
    };

    struct MemberInfo {
        Member member;
        std::string_view name;
        Kind kind;
        std::u16string_view caption;  // a check box's caption, a text field's label
        Rect bounds;
        Rect label_bounds;  // a text field's label, above the field; empty for a check box
    };

    static constexpr std::int32_t page_width = 5535;  // twips
    static constexpr std::int32_t page_height = 2910;

    // Every member in tab order; one member's entry; a member by name (nullptr if none).
    static std::span<const MemberInfo> members();
    static const MemberInfo& info(Member m);
    static const MemberInfo* find_member(std::string_view name);

    explicit Custom(PropertyPageFrame& frame) : frame_(frame) {}

    // Frame requests.
    void SelectionChanged() override;
    void ApplyChanges() override;

    // Sets the check boxes from the number in txtChars (a non-number becomes "0").
    void GetChars();

    // What the page shows. `ticked` is false for a text field, `text` empty for a check box.
    bool ticked(Member box) const { return info(box).kind == Kind::CheckBox && ticked_[index(box)]; }
    const std::u16string& text(Member field) const { return text_[index(field)]; }

    // The user's side: a click on a check box (toggles it, then its rule), the whole new
    // text of a field, a field losing the focus.
    void click(Member box);
    void edit(Member field, std::u16string_view new_text) {
        if (info(field).kind == Kind::TextField) set_text(field, new_text);
    }
    // A number typed by hand shows in the boxes once the user leaves the field.
    void lost_focus(Member field) {
        if (field == Member::txtChars) GetChars();
    }

    const ClassInfo& class_info() const override { return *type_library().find_class("Custom"); }

protected:
    Variant invoke_member(std::string_view method, std::span<const Variant> args) override;

private:
    // The page's own setting of a box or field: runs no click rule.
    void set_ticked(Member box, bool on) { ticked_[index(box)] = on; }
    void set_text(Member field, std::u16string_view new_text);
    void ComputeChars();
    Dispatch* first_selected() const {
        const auto selected = frame_.selected_controls();
        return selected.empty() ? nullptr : selected.front();
    }
    static constexpr std::size_t index(Member m) { return static_cast<std::size_t>(m); }

    PropertyPageFrame& frame_;
    std::array<bool, member_count> ticked_{};
    std::array<std::u16string, member_count> text_{};
    bool ready_ = false;  // false while the page itself sets the check boxes, and until the first load
    // While the page loads, the fields take the control's values: nothing is pending.
    bool loading_ = false;
};

}  // namespace norvtext
