// An in-memory masked edit box: "#" digit and "?" letter positions, literals shown and
// skipped by the caret, "_" prompts. Its text always has the mask's shape.
#pragma once

#include <cstdint>
#include <string>

#include "norvtext/foundation/mask_rules.hpp"
#include "norvtext/headless/memory_edit_box.hpp"

namespace norvtext::headless {

class MemoryMaskedEditBox : public MemoryBox<MaskedEditBox> {
public:
    MemoryMaskedEditBox(std::u16string_view mask, std::int32_t max_length) : mask_(mask), max_length_(max_length) {
        text_ = all_prompt_text(mask_, rules().prompt);
    }

    std::u16string_view mask() const override { return mask_; }
    void set_mask(std::u16string_view mask) override;
    // "" shows the all-prompt text; a text that does not fit the mask raises 380 and
    // changes nothing.
    void set_text(std::u16string_view text) override { change_text(rules().assigned(text), 0); }
    void set_sel_text(std::u16string_view text) override {
        std::int32_t caret = 0;
        const std::u16string t = rules().typed_over(text_, sel_start_, sel_length_, text, caret);
        change_text(t, caret);
    }
    // PromptChar is one character that fits no position; others raise 380.
    void set_member(InnerMember m, const Variant& value) override;
    std::int32_t max_length() const { return max_length_; }

protected:
    void insert_char(char16_t c) override;
    void backspace() override;
    void delete_forward() override;
    std::int32_t arrow_stop(std::int32_t to, bool forward) const override { return rules().caret_stop(to, forward); }

private:
    MaskRules rules() const { return {mask_, MaskRules::prompt_of(member(InnerMember::PromptChar))}; }

    std::u16string mask_;
    std::int32_t max_length_;
};

}  // namespace norvtext::headless
