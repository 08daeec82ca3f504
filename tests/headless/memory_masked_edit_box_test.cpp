// The in-memory masked box as a user and program code drive it: what typing, deleting and
// assigning leave shown, where the caret ends, and when Change is raised.
#include "norvtext/headless/memory_masked_edit_box.hpp"

#include "tests/support/harness.hpp"
#include "tests/support/mask_cases.hpp"

namespace norvtext::headless {
namespace {

using namespace testing;

TEST(MemoryMaskedEditBoxTyping, SequencesLeaveTextCaretAndChanges) {
    // start "" leaves the all-prompt text; the keys as play() takes them
    struct Case { const char* name; std::u16string mask, start; std::int32_t sel_start, sel_length; std::u16string keys, text;
        std::int32_t caret; int changes; };
    const std::vector<Case> cases = {
        {"digits fill positions and skip literals", u"##/##/####", u"", 0, 0, u"12052026", u"12/05/2026", 10, 8},
        {"a letter in a digit position is rejected", u"##/##/####", u"", 0, 0, u"1x2", u"12/__/____", 3, 2},
        {"punctuation is rejected, even a literal", u"##/##/####", u"", 0, 0, u"1/2", u"12/__/____", 3, 2},
        {"letters fill letter positions", u"??? ##, ####", u"", 0, 0, u"Dec05", u"Dec 05, ____", 8, 5},
        {"a digit in a letter position is rejected", u"??? ##", u"", 0, 0, u"1", u"___ __", 0, 0},
        {"keys past the last position are rejected", u"##/##", u"", 0, 0, u"123456", u"12/34", 5, 4},
        {"typing overwrites what is there", u"##/##", u"12/34", 0, 0, u"9", u"92/34", 1, 1},
        {"the same character again is no change", u"##/##", u"12/34", 0, 0, u"1", u"12/34", 1, 0},
        {"a caret on a literal types into the next position", u"##/##", u"", 2, 0, u"5", u"__/5_", 4, 1},
        {"backspace puts the prompt back", u"##/##", u"12/34", 5, 0, u"\b", u"12/3_", 4, 1},
        {"backspace steps back over literals", u"##/##", u"12/34", 3, 0, u"\b", u"1_/34", 1, 1},
        {"backspace at the start does nothing", u"##/##", u"12/34", 0, 0, u"\b", u"12/34", 0, 0},
        {"backspace on a prompt changes nothing", u"##/##", u"", 1, 0, u"\b", u"__/__", 0, 0},
        {"backspace clears a selection", u"##/##", u"12/34", 1, 3, u"\b", u"1_/_4", 1, 1},
        {"delete clears the next position", u"##/##", u"12/34", 2, 0, {key::del}, u"12/_4", 2, 1},
        {"delete at the end does nothing", u"##/##", u"12/34", 5, 0, {key::del}, u"12/34", 5, 0},
        {"delete clears a selection", u"##/##/####", u"12/05/2026", 0, 10, {key::del}, u"__/__/____", 0, 1},
        {"a selection typed over is cleared first", u"##/##/####", u"12/05/2026", 0, 10, u"9", u"9_/__/____", 1, 1},
        {"a selection is cleared only where it lies", u"##/##/####", u"12/05/2026", 3, 2, u"1", u"12/1_/2026", 4, 1},
        {"a rejected key keeps the selection's text", u"##/##/####", u"12/05/2026", 0, 10, u"x", u"12/05/2026", 0, 0},
        {"left passes a literal by", u"##/##", u"12/34", 5, 0, {key::left, key::left, key::left, u'7'}, u"17/34", 3, 1},
        {"home then retype", u"##:## ??", u"01:07 PM", 8, 0, {key::home, u'1', u'2'}, u"12:07 PM", 3, 2},
        {"left over a selection from a literal goes back past it", u"##/##", u"12/34", 2, 3, {key::left, u'9'}, u"19/34", 3, 1},
        {"right over a selection up to a literal goes on past it", u"##/##", u"12/34", 0, 2, {key::right, key::del}, u"12/_4", 3, 1},
        {"right passes a literal by", u"##/##", u"", 0, 0, {key::right, key::right, key::right, u'4'}, u"__/_4", 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryMaskedEditBox box(c.mask, static_cast<std::int32_t>(c.mask.size()));
        if (!c.start.empty()) box.set_text(c.start);
        box.user_select(c.sel_start, c.sel_length);
        ChangeCounter counter;
        box.set_listener(&counter);
        play(box, c.keys);
        EXPECT_EQ(to_utf8(box.text()), to_utf8(c.text));
        EXPECT_EQ(box.sel_start(), c.caret);
        EXPECT_EQ(counter.changes, c.changes);
        if (c.changes == 0) { EXPECT_EQ(box.sel_length(), c.sel_length) << "nothing changed, so the selection stays"; }
    }
}

TEST(MemoryMaskedEditBoxRules, EveryMaskRule) {
    for (const MaskCase& c : mask_cases()) {
        SCOPED_TRACE(c.rule);
        MemoryMaskedEditBox box(c.mask, static_cast<std::int32_t>(c.mask.size()));
        run_mask_case(c, box);
        EXPECT_EQ(box.max_length(), static_cast<std::int32_t>(box.mask().size()));
    }
}

}  // namespace
}  // namespace norvtext::headless
