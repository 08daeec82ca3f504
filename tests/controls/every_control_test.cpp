// What every control class does alike, checked once over the registry: the key filter's
// read-only step, Escape clearing, focus selection, the blink tick, the event relays, the
// writers' announcements, late-bound readers and persistence. Where a class differs, the
// difference is a column of `columns`.
#include <map>

#include "tests/support/harness.hpp"

namespace norvtext::testing {
namespace {

// bag_text: a text the class shows in its FormatMask 1 shape, as a bag holds it; cleared: what
// Escape leaves; selected: what focus arrival selects after the user typed "5" and left
struct Columns { std::u16string bag_text, cleared, selected; };
const std::map<std::string_view, Columns> columns{
    {"txtNorvText", {u"abc", u"", u"5"}},
    {"txtNorvDate", {u"Dec 05, 2026", u"__/__/____", u"5_/__/____"}},
    {"txtNorvTelephone", {u"123-4567", u"(___) ___-____", u"(5__) ___-____"}},
    {"txtNorvSocialSecurity", {u"123-45-6789", u"___-__-____", u"5__-__-____"}},
    {"txtNorvZip", {u"1234", u"_____", u"5____"}},
    {"txtNorvCurrency", {u"$5.00", u"", u"5"}},
    {"txtNorvPercent", {u"5.00%", u"", u"5.00"}},
};

// Runs the check once per class, with the class's columns. That the registry holds every
// control class the type library publishes is pinned by docs/typelib.txt and
// docs/bag_layouts.txt together.
void each_class(const auto& check) {
    for (const ControlClass& cls : control_classes()) {
        SCOPED_TRACE(cls.name);
        check(cls.name, columns.at(cls.name));
    }
}

// The keys a load reads, each once, with the default it first reads it with.
std::vector<std::pair<std::string, Variant>> keys_read(std::string_view name) {
    std::vector<std::pair<std::string, Variant>> keys;
    services::MemoryPropertyBag bag;
    bag.on_read = [&](std::string_view key, const Variant& def) {
        for (const auto& k : keys)
            if (k.first == key) return;
        keys.emplace_back(key, def);
    };
    Placed<> p(name, false);
    p.box.ReadProperties(bag);
    return keys;
}

TEST(EveryControl, TypedKeysGoThroughReadOnlyAndTheHostsKeyPress) {
    // host_key: what the host's KeyPress leaves in KeyAscii; lands: 0 when the text stays as it was
    struct Row { const char* rule; bool read_only; std::optional<std::int16_t> host_key; Lines lines; char16_t lands; };
    // Typing relayed to the host and changing the text is in the tour's transcript for every class.
    const Row rows[] = {
        {"the host's KeyAscii goes in", false, u'7', {"b1: KeyDown 53 0", "b1: KeyPress 53", "b1: Change", "b1: KeyUp 53 0"}, u'7'},
        {"read-only swallows before KeyPress", true, {}, {"b1: KeyDown 53 0", "b1: KeyUp 53 0"}, 0},
    };
    each_class([&](std::string_view name, const Columns&) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.rule);
            Placed<> p(name);
            p.box.setReadOnly(row.read_only);
            p.host.key_press_override = row.host_key;
            p.user().got_focus();
            const std::u16string before = p.text();
            p.take();
            p.user().type(u'5', 53, 0);
            EXPECT_EQ(p.take(), row.lines);
            EXPECT_TRUE(row.lands ? p.text().find(row.lands) != std::u16string::npos : p.text() == before) << u8(p.text());
            EXPECT_EQ(p.text().find(u'5') != std::u16string::npos, row.lands == u'5') << u8(p.text());
        }
    });
}

// Focus arrival selects all of what the box shows, or puts the caret at the start; Escape
// clears on release, after KeyDown and KeyPress have passed, or leaves the text alone.
TEST(EveryControl, FocusSelectAndEscapeClearOnAndOff) {
    each_class([](std::string_view name, const Columns& col) {
        for (const bool on : {true, false}) {
            SCOPED_TRACE(on ? "switched on" : "switched off");
            Placed<> p(name);
            p.box.setFocusSelect(on);
            p.box.setEscapeClear(on);
            p.enter(u"5");
            p.box.setSelStart(1);
            p.user().got_focus();
            EXPECT_EQ(p.box.SelStart(), 0);
            EXPECT_EQ(p.box.SelText(), on ? col.selected : u"");
            const std::u16string before = p.text();
            p.take();
            p.escape();
            EXPECT_EQ(p.text(), on ? col.cleared : before);
            const Lines lines = p.take();
            ASSERT_GE(lines.size(), 2u);
            EXPECT_EQ(lines.front(), "b1: KeyDown 27 0");
            EXPECT_EQ(lines.back(), "b1: KeyUp 27 0");
            EXPECT_EQ(lines[lines.size() - 2] == "b1: Change", on);
        }
    });
}

TEST(EveryControl, TheBlinkTickTogglesTheWholeSelection) {
    each_class([](std::string_view name, const Columns&) {
        Placed<> p(name);
        p.user().got_focus();
        p.type(u"5");
        p.box.setBlink(true);
        const auto all = static_cast<std::int32_t>(p.text().size());
        std::vector<std::int32_t> seen;
        for (int i = 0; i < 3; ++i) seen.push_back((p.tick(), p.box.SelLength()));
        EXPECT_EQ(seen, (std::vector<std::int32_t>{all, 0, all}));
        p.box.setBlink(false);
        EXPECT_EQ(p.box.SelLength(), 0);
        p.tick();
        EXPECT_EQ(p.box.SelLength(), 0) << "a stopped timer does not tick";
    });
}

// Every writer announces its member once, given the value its reader gives; every reader
// is bound and announces nothing. In the five-digit shape the ZIP box has no four-digit
// part to write.
TEST(EveryControl, WritersAnnounceAndReadersDoNot) {
    each_class([](std::string_view name, const Columns&) {
        Placed<> p(name);
        ASSERT_EQ(&p.box.class_info(), type_library().find_class(name));
        for (const Slot& slot : p.box.class_info().slots) {
            SCOPED_TRACE(std::string(slot.member));
            if (slot.accessor == Accessor::Get && slot.member != "About") {
                EXPECT_EQ(error_of([&] { p.box.get(slot.member); }), 0);
                EXPECT_EQ(p.take(), Lines{});
            }
            if (slot.accessor != Accessor::Put && slot.accessor != Accessor::PutRef) continue;
            if (name == "txtNorvZip" && slot.member == "Zip_4") continue;
            const Variant value = p.box.get(slot.member);
            slot.accessor == Accessor::Put ? p.box.put(slot.member, value) : p.box.putref(slot.member, value);
            Lines announced;
            for (const std::string& line : p.take())
                if (line.find("changed") != std::string::npos) announced.push_back(line);
            EXPECT_EQ(announced, Lines{"b1: changed " + std::string(slot.member)});
        }
    });
}

TEST(EveryControl, ALoadFromAnEmptyBagTakesTheFirstPlacementValues) {
    each_class([](std::string_view name, const Columns& col) {
        Placed<> placed(name);
        Placed<> loaded(name, false);
        services::MemoryPropertyBag empty;
        loaded.box.ReadProperties(empty);
        EXPECT_EQ(writes_of(loaded.box), writes_of(placed.box));
        EXPECT_EQ(loaded.text(), placed.text());
        loaded.enter(u"5");
        loaded.user().got_focus();
        EXPECT_EQ(loaded.box.SelText(), col.selected) << "typing and focus selection work after the load";
    });
}

// A value of the key's own kind other than its default; texts are the class's bag text.
Variant other_than(const std::string& key, const Variant& def, const Columns& col) {
    switch (def.type()) {
        case VariantType::Boolean: return Variant(!def.to_boolean());
        case VariantType::Integer: return Variant(static_cast<std::int16_t>(def.to_integer() + 1));
        case VariantType::Long: return Variant(def.to_long() + 1);
        case VariantType::Font: return Variant(std::make_shared<Font>(Font{u"Arial", 10}));
        case VariantType::Object: return Variant(std::make_shared<Picture>(Picture{{1, 2, 3}}));
        default: return Variant(key == "Text" || key == "Value" ? col.bag_text : u"*");
    }
}

// Every key a load reads holds a value other than its default; a save writes each back as
// it was. A saved selection is not kept: the text keys read after it replace the text.
TEST(EveryControl, EveryKeyReadIsSavedAgainAsLoaded) {
    each_class([](std::string_view name, const Columns& col) {
        services::MemoryPropertyBag bag;
        const auto keys = keys_read(name);
        for (const auto& [key, def] : keys) bag.set(key, other_than(key, def, col));
        Placed<> p(name, false);
        ASSERT_EQ(error_of([&] { p.box.ReadProperties(bag); }), 0);
        const services::MemoryPropertyBag out = saved(p.box);
        for (const auto& [key, def] : keys) {
            if (key.starts_with("Sel")) continue;
            SCOPED_TRACE(key);
            const std::optional<Variant> written = out.find(key);
            ASSERT_TRUE(written.has_value());
            EXPECT_EQ(script::print_value(*written), script::print_value(*bag.find(key)));
        }
    });
}

// A wrongly typed bag value: a text where a number, switch or object belongs raises Type
// mismatch (13), a number too wide for an Integer key Overflow (6), except where the class
// keeps the key as a Variant; a text key takes any value (a masked box may refuse a text it
// cannot show, 380). Either way the box still takes typing afterwards.
TEST(EveryControl, AWronglyTypedBagValueFailsAsItShouldAndLeavesAWorkingBox) {
    each_class([](std::string_view name, const Columns&) {
        const ClassInfo& info = *type_library().find_class(name);
        for (const auto& [key, def] : keys_read(name)) {
            const Slot* slot = info.find(key, Accessor::Get);
            const bool variant = slot && slot->type == "Variant";
            const bool text = def.type() == VariantType::String;
            const bool wide_kept = name == "txtNorvDate" && key == "Appearance";  // a designer's enumeration value
            std::vector<std::pair<Variant, int>> rows{{Variant(u"lots"), text || variant ? 0 : 13}};
            if (def.type() == VariantType::Integer) rows.emplace_back(Variant(std::int32_t{70000}), variant || wide_kept ? 0 : 6);
            for (const auto& [value, expected] : rows) {
                SCOPED_TRACE(key + " <- " + script::print_value(value));
                services::MemoryPropertyBag bag;
                bag.set(key, value);
                Placed<> p(name, false);
                const int error = error_of([&] { p.box.ReadProperties(bag); });
                const bool masked_refusal = text && error == 380 && !columns.at(name).cleared.empty();
                EXPECT_EQ(masked_refusal ? expected : error, expected);
                p.user().got_focus();
                p.type(u"5");
                EXPECT_NE(p.text().find(u'5'), std::u16string::npos) << u8(p.text());
            }
        }
    });
}

}  // namespace
}  // namespace norvtext::testing
