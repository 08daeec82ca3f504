// txtNorvText: the general filtered text box. Typed characters pass the keystroke filter
// (character classes, exception characters, length limit, case); proper case is applied on
// leaving; `Value` reads the text as a number.
#pragma once

#include <cstdint>
#include <string>

#include "norvtext/controls/text/char_filter.hpp"
#include "norvtext/foundation/box_base.hpp"

namespace norvtext {

class txtNorvText : public BoxBase {
public:
    explicit txtNorvText(Host& host) : BoxBase(host, "txtNorvText", host.create_edit_box()) {}

    void InitProperties() override;

    std::int16_t MaxChars() const { return max_chars_; }
    // Text already longer stays: the limit applies to typing and to later assignments.
    void setMaxChars(std::int16_t New_MaxChars) { set_field(max_chars_, New_MaxChars, "MaxChars"); }
    std::int16_t Chars() const { return chars_; }
    void setChars(std::int16_t New_Chars) { set_field(chars_, New_Chars, "Chars"); }
    const std::u16string& CharTable() const { return char_table_; }
    void setCharTable(std::u16string_view New_CharTable) { set_field(char_table_, New_CharTable, "CharTable"); }
    std::u16string Text() const { return std::u16string(Textbox.text()); }
    void setText(std::u16string_view New_Text) { assign(New_Text, "Text"); }
    std::u16string Value() const;
    void setValue(std::u16string_view New_Value) { assign(New_Value, "Value"); }
    std::u16string PCase(std::u16string_view psBuf) const { return proper_case(psBuf, host_.locale()); }

    // The text as it stood after the last assignment or load; only ever saved.
    const std::u16string& stored_value() const { return stored_value_; }

protected:
    const BagLayout& bag_layout() const override;
    void on_got_focus() override { select_on_focus(); }
    void on_lost_focus() override {
        // A blinking box keeps its selection so that it goes on blinking after focus has gone.
        if (!Timer1.enabled()) Textbox.set_sel_length(0);
        if (chars_ & chars_flag::proper_case) Textbox.set_text(PCase(Textbox.text()));
    }
    void on_key_press(std::int16_t& KeyAscii) override;
    char16_t admitted_char(char16_t c, std::size_t length) const override;
    std::string accessible_description() const override;
    void on_click() override { host_.Click(); }
    void on_dbl_click() override { host_.DblClick(); }

    const Members* bound_members() const override;
    Variant invoke_member(std::string_view method, std::span<const Variant> args) override;

private:
    // Program-code assignment through the member `name`: cut to MaxChars, then upper case
    // when flag 1 is set, then announced.
    void assign(std::u16string_view text, std::string_view name);
    FilterSettings filter() const { return {chars_, char_table_, max_chars_}; }

    std::int16_t max_chars_ = 0;
    std::int16_t chars_ = 0;
    std::u16string char_table_;
    std::u16string stored_value_;
};

}  // namespace norvtext
