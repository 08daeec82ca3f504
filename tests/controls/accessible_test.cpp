// What assistive technology learns of a control: the view of every class for an empty, a
// half-typed, a valid and an invalid entry, and the notifications that tell a screen reader
// what the blink and the beep tell a sighted user.
#include "tests/support/accessible_cases.hpp"
#include "tests/support/harness.hpp"

namespace norvtext::testing {
namespace {

using P = Placed<>;

TEST(Accessible, EveryClassForEmptyHalfTypedValidAndInvalidEntries) {
    for (const AccessibleCase& row : accessible_cases()) {
        SCOPED_TRACE(std::string(row.class_name) + " " + u8(row.typed));
        P p(row.class_name);
        for (const auto& [member, value] : row.settings) p.box.put(member, value);
        p.user().got_focus();
        p.type(row.typed);
        if (row.leave) p.user().lost_focus();
        const AccessibleView view = p.box.accessible();
        EXPECT_EQ(view.value, row.value);
        EXPECT_EQ(view.description, row.description);
        EXPECT_EQ(view.invalid, !row.reason.empty());
        EXPECT_EQ(view.reason, row.reason);
        EXPECT_EQ(view.read_only, row.read_only);
    }
}

// The notifications one box gives over a step, as "value V", "states R" (R the reason, ""
// when the entry stands) and "refused WHY".
struct Heard {
    P p;
    Lines lines;
    explicit Heard(const char* cls) : p(cls) {
        p.host.on_accessible_event = [this](AccessibleEvent e, std::string_view detail) {
            const AccessibleView v = p.box.accessible();
            if (e == AccessibleEvent::ValueChanged) lines.push_back("value " + u8(v.value));
            if (e == AccessibleEvent::StateChanged) lines.push_back("states " + v.reason + (v.read_only ? " read-only" : ""));
            if (e == AccessibleEvent::KeyRefused) lines.push_back("refused " + std::string(detail));
        };
    }
    Lines step(auto&& action) {
        lines.clear();
        action(p);
        return lines;
    }
};

TEST(Accessible, TheHostHearsOfEveryChangeOnceAndOfARefusedKey) {
    Heard date("txtNorvDate");
    EXPECT_EQ(date.step([](P& p) { p.enter(u"13"); }), (Lines{"value 1", "value 13", "states not a date"}));
    // Coming back stops the blink, but the entry is still refused until it is checked again.
    EXPECT_EQ(date.step([](P& p) { p.user().got_focus(); }), Lines{});
    EXPECT_EQ(date.step([](P& p) { p.user().lost_focus(); }), Lines{});
    EXPECT_EQ(date.step([](P& p) { p.escape(); }), (Lines{"value ", "states "}));
    // Refused without a blink as well: the blink is the sighted user's signal only.
    EXPECT_EQ(date.step([](P& p) {
        p.box.put("BlinkOnError", Variant(false));
        p.box.put("Value", Variant(u"no date"));
    }), (Lines{"states not a date"}));
    EXPECT_FALSE(date.p.blinking());
    EXPECT_EQ(date.step([](P& p) { p.box.put("Value", Variant(0)); }), (Lines{"states "}));
    EXPECT_EQ(date.step([](P& p) { p.box.put("Text", Variant(u"xyz")); }), (Lines{"states not a date"}));
    EXPECT_EQ(date.step([](P& p) { p.box.put("Text", Variant(u"12/05/2026")); }),
              (Lines{"value 12/05/2026", "states "}));

    Heard text("txtNorvText");
    EXPECT_EQ(text.step([](P& p) {
        p.box.put("MaxChars", Variant(std::int16_t{1}));
        p.type(u"ab");
    }), (Lines{"value a", "refused at most 1 character"}));
    EXPECT_EQ(text.step([](P& p) { p.box.put("ReadOnly", Variant(true)); }), (Lines{"states  read-only"}));
    EXPECT_EQ(text.step([](P& p) { p.box.put("ReadOnly", Variant(true)); }), Lines{});

    Heard zip("txtNorvZip");
    EXPECT_EQ(zip.step([](P& p) {
        p.form.clipboard = u"1x";
        p.user().paste();
    }), (Lines{"value 1", "refused some characters not taken; ZIP code, five digits"}));
    // A value too large for the row is refused twice over: by the blink and by error 380.
    EXPECT_EQ(zip.step([](P& p) { EXPECT_EQ(error_of([&] { p.box.put("Value", Variant(123456)); }), 380); }),
              (Lines{"states five digits needed"}));

}

}  // namespace
}  // namespace norvtext::testing
