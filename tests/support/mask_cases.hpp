// The mask rules as program code meets them through any masked inner box: assigning a text,
// replacing a selection, a new mask, a new prompt. The in-memory box and the Qt box run the
// same table, so the two cannot drift apart.
#pragma once

#include "norvtext/foundation/edit_box.hpp"
#include "tests/support/harness.hpp"

namespace norvtext::testing {

enum class MaskOp { SetText, SetMask, SetPrompt, Select, SetSelText };

struct MaskStep { MaskOp op; std::u16string_view arg = {}; std::int32_t start = 0, length = 0; };

// text: shown at the end; caret: selection start at the end; changes: Change notifications over all
// steps; refusals: steps refused with 380, each leaving the box as it was
struct MaskCase { const char* rule; std::u16string_view mask; std::vector<MaskStep> steps; std::u16string_view text;
    std::int32_t caret; int changes, refusals; };

inline MaskStep set_text(std::u16string_view t) { return {MaskOp::SetText, t}; }
inline MaskStep select(std::int32_t start, std::int32_t length) { return {MaskOp::Select, {}, start, length}; }

inline const std::vector<MaskCase>& mask_cases() {
    using enum MaskOp;
    constexpr std::u16string_view date = u"##/##/####";
    const MaskStep full = set_text(u"12/05/2026");
    static const std::vector<MaskCase> cases = {
        {"a full text fits", date, {full}, u"12/05/2026", 0, 1, 0},
        {"an empty text shows the prompts", date, {full, set_text(u"")}, u"__/__/____", 0, 2, 0},
        {"prompts stand for open positions", date, {set_text(u"12/__/2026")}, u"12/__/2026", 0, 1, 0},
        {"a refused text leaves text and selection", date, {full, select(3, 2), set_text(u"12/0a/2026")}, u"12/05/2026", 3, 1, 1},
        {"another literal is refused", date, {set_text(u"12-05-2026")}, u"__/__/____", 0, 0, 1},
        {"a short text is refused", date, {set_text(u"1/5/2026")}, u"__/__/____", 0, 0, 1},
        {"a long text is refused", date, {set_text(u"12/05/20261")}, u"__/__/____", 0, 0, 1},
        {"a digit of another script is refused", u"#####", {set_text(u"1234\u0663")}, u"_____", 0, 0, 1},
        {"any letter fits a letter position", u"??? ##, ####", {set_text(u"M\u00e4r 05, 2026")}, u"M\u00e4r 05, 2026", 0, 1, 0},
        {"the same text again is no change", u"##/##", {set_text(u""), set_text(u"__/__"), set_text(u"12/34"), set_text(u"12/34")},
         u"12/34", 0, 1, 0},
        {"a selection's text lays digits into positions", date, {full, select(0, 5), {SetSelText, u"0526"}}, u"05/26/2026", 6, 2, 0},
        {"what fits no position is skipped", date, {full, select(0, 2), {SetSelText, u"1x2"}}, u"12/05/2026", 3, 1, 0},
        {"an empty selection text puts prompts back", date, {full, select(3, 7), {SetSelText, u""}}, u"12/__/____", 3, 2, 0},
        {"a selection text stops at the end", date, {full, select(8, 0), {SetSelText, u"999"}}, u"12/05/2099", 10, 2, 0},
        {"a new mask keeps the entered digits in order", date, {full, {SetMask, u"(###) ###-####"}}, u"(120) 520-26__", 0, 2, 0},
        {"a new mask drops what does not fit", u"??? ##", {set_text(u"Dec 05"), {SetMask, u"##/##"}}, u"05/__", 0, 2, 0},
        {"literals are not carried into a new mask", u"#x#", {set_text(u"1x2"), {SetMask, u"???"}}, u"___", 0, 2, 0},
        {"prompts are not carried into a new mask", date, {set_text(u"1_/0_/____"), {SetMask, u"##-#"}}, u"10-_", 0, 2, 0},
        {"a longer mask leaves prompts", u"##/##", {set_text(u"12/26"), {SetMask, u"##/##/#### ##:##"}}, u"12/26/____ __:__", 0,
         2, 0},
        {"a new prompt replaces the old everywhere", u"##/##", {set_text(u"1_/_4"), {SetPrompt, u"*"}, set_text(u"1_/_4"),
                                                                  set_text(u"")},
         u"**/**", 0, 3, 1},
        {"a new prompt fills the first position too", u"##/##", {{SetPrompt, u"*"}}, u"**/**", 0, 1, 0},
        {"a digit cannot be the prompt", u"##/##", {set_text(u"1_/_4"), {SetPrompt, u"5"}}, u"1_/_4", 0, 1, 1},
        {"a letter cannot be the prompt", u"##/##", {{SetPrompt, u"a"}, {SetPrompt, u"\u00e9"}}, u"__/__", 0, 0, 2},
        {"the prompt is one character", u"##/##", {{SetPrompt, u""}, {SetPrompt, u"**"}}, u"__/__", 0, 0, 2},
        {"a negative start is refused", u"#####", {{Select, {}, -1, 0}}, u"_____", 0, 0, 1},
        {"a caret written onto a literal stays there", date, {full, select(8, 0), select(5, 0)}, u"12/05/2026", 5, 1, 0},
    };
    return cases;
}

// Runs one row against a masked box; 380 is the only refusal the rules allow.
inline void run_mask_case(const MaskCase& c, MaskedEditBox& box) {
    ChangeCounter counter;
    box.set_listener(&counter);
    int refusals = 0;
    for (const MaskStep& s : c.steps) {
        try {
            switch (s.op) {
                case MaskOp::SetText: box.set_text(s.arg); break;
                case MaskOp::SetMask: box.set_mask(s.arg); break;
                case MaskOp::SetPrompt: box.set_member(InnerMember::PromptChar, Variant(s.arg)); break;
                case MaskOp::Select:
                    box.set_sel_start(s.start);
                    box.set_sel_length(s.length);
                    break;
                case MaskOp::SetSelText: box.set_sel_text(s.arg); break;
            }
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), 380);
            ++refusals;
        }
    }
    box.set_listener(nullptr);
    EXPECT_EQ(to_utf8(box.text()), to_utf8(c.text));
    EXPECT_EQ(box.sel_start(), c.caret);
    EXPECT_EQ(counter.changes, c.changes);
    EXPECT_EQ(refusals, c.refusals);
}

}  // namespace norvtext::testing
