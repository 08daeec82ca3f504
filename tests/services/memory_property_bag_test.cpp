// The headless property bag: what a save keeps, in what order, and how injected failures
// and the hosts' hooks see the calls.
#include "norvtext/services/memory_property_bag.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "norvtext/platform/error.hpp"

namespace norvtext::services {
namespace {

struct Write {
    std::string key;
    Variant value;
    std::optional<Variant> default_value;
};

struct Stored {
    std::string key;
    Variant value;
};

std::vector<Stored> contents(const MemoryPropertyBag& bag) {
    std::vector<Stored> out;
    for (const auto& e : bag.entries()) out.push_back({e.key, e.value});
    return out;
}

void expect_contents(const MemoryPropertyBag& bag, const std::vector<Stored>& expected) {
    const auto actual = contents(bag);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        EXPECT_EQ(actual[i].key, expected[i].key);
        EXPECT_TRUE(actual[i].value == expected[i].value);
    }
}

TEST(MemoryPropertyBagSave, WriteRules) {
    const Variant five = std::int16_t{5};
    const Variant five_long = std::int32_t{5};
    struct Case {
        const char* name;
        std::vector<Write> writes;
        std::vector<Stored> expected;
    };
    const Case cases[] = {
        {"value equal to its default is left out", {{"A", five, five}}, {}},
        {"value differing from its default is stored", {{"A", five, std::int16_t{6}}}, {{"A", five}}},
        {"same number of another subtype is not the default", {{"A", five_long, five}}, {{"A", five_long}}},
        {"no default: always stored", {{"A", Variant(), std::nullopt}}, {{"A", Variant()}}},
        {"keys kept in write order",
         {{"Z", five, std::nullopt}, {"A", u"x", std::nullopt}, {"M", true, false}},
         {{"Z", five}, {"A", u"x"}, {"M", true}}},
        {"the first write of a key wins",
         {{"Value", u"typed", std::nullopt}, {"Value", u"assigned", std::nullopt}},
         {{"Value", u"typed"}}},
        {"a left-out first write still blocks later writes",
         {{"Value", u"", u""}, {"Value", u"assigned", u""}},
         {}},
        {"an ignored rewrite keeps the first key's position",
         {{"A", five, std::nullopt}, {"B", five, std::nullopt}, {"A", true, std::nullopt}},
         {{"A", five}, {"B", five}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryPropertyBag bag;
        bag.begin_save();
        for (const Write& w : c.writes) bag.write(w.key, w.value, w.default_value);
        expect_contents(bag, c.expected);
    }
}

TEST(MemoryPropertyBagSave, BeginSaveReplacesContentsAndForgetsWrittenKeys) {
    MemoryPropertyBag bag;
    bag.set("Old", std::int16_t{1});
    bag.begin_save();
    bag.write("Text", u"first save", std::nullopt);
    expect_contents(bag, {{"Text", u"first save"}});

    // A second save may write the same key again: the first-write rule is per save.
    bag.begin_save();
    bag.write("Text", u"second save", std::nullopt);
    expect_contents(bag, {{"Text", u"second save"}});
}

TEST(MemoryPropertyBagSave, LeftOutWriteRemovesAValueAlreadyThere) {
    // Without begin_save a host-filled value would otherwise outlive a save that left the key
    // out, and loading would not fall back to the default.
    MemoryPropertyBag bag;
    bag.set("A", std::int16_t{1});
    bag.set("B", std::int16_t{2});
    bag.set("C", std::int16_t{3});
    bag.write("B", u"d", u"d");
    expect_contents(bag, {{"A", std::int16_t{1}}, {"C", std::int16_t{3}}});
    EXPECT_TRUE(bag.read("C", Variant()) == Variant(std::int16_t{3}));
}

TEST(MemoryPropertyBagLoad, ReadGivesStoredValueOrDefault) {
    MemoryPropertyBag bag;
    bag.set("Text", u"abc");
    bag.set("Text", u"replaced");  // set replaces in place
    bag.set("MaxChars", std::int16_t{4});
    EXPECT_TRUE(bag.read("Text", u"dflt") == Variant(u"replaced"));
    EXPECT_TRUE(bag.read("Missing", u"dflt") == Variant(u"dflt"));
    EXPECT_FALSE(bag.find("Missing").has_value());
    expect_contents(bag, {{"Text", u"replaced"}, {"MaxChars", std::int16_t{4}}});
}

TEST(MemoryPropertyBagHooks, ObserversSeeEveryCallBeforeTheBagActs) {
    MemoryPropertyBag bag;
    std::vector<std::string> seen;
    bag.on_write = [&](std::string_view key, const Variant& value, const std::optional<Variant>& def) {
        // Called before the bag's own handling: the key is not yet in the bag.
        seen.push_back("write " + std::string(key) + (def ? (value == *def ? " =default" : " set") : " nodefault") +
                       (bag.find(key) ? " present" : ""));
    };
    bag.on_read = [&](std::string_view key, const Variant&) { seen.push_back("read " + std::string(key)); };
    bag.begin_save();
    bag.write("A", true, false);
    bag.write("B", false, false);
    bag.write("A", false, std::nullopt);
    bag.read("A", false);
    const std::vector<std::string> expected{"write A set", "write B =default", "write A nodefault present", "read A"};
    EXPECT_EQ(seen, expected);
    expect_contents(bag, {{"A", true}});
}

TEST(MemoryPropertyBagFailures, InjectedFailureHitsTheNthCallOnce) {
    struct Case {
        const char* name;
        bool on_write;
        std::size_t n;
        std::size_t calls;
    };
    const Case cases[] = {
        {"first write", true, 1, 3}, {"third write", true, 3, 4}, {"second read", false, 2, 3},
        {"beyond the calls made", true, 5, 3}, {"disarmed", false, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryPropertyBag bag;
        bag.set("K1", std::int16_t{7});
        bag.write("Before", true, std::nullopt);  // calls before arming do not count
        bag.read("K1", Variant());
        int hooked = 0;
        bag.on_write = [&](std::string_view, const Variant&, const std::optional<Variant>&) { ++hooked; };
        bag.on_read = [&](std::string_view, const Variant&) { ++hooked; };
        c.on_write ? bag.fail_at_write(c.n) : bag.fail_at_read(c.n);
        int failures = 0;
        for (std::size_t i = 1; i <= c.calls; ++i) {
            const std::string key = "K" + std::to_string(i);
            try {
                if (c.on_write) {
                    bag.write(key, std::int32_t{70000}, std::nullopt);
                } else {
                    bag.read(key, Variant());
                }
            } catch (const Error& e) {
                ++failures;
                EXPECT_EQ(i, c.n);
                EXPECT_EQ(e.number(), static_cast<int>(ErrorCode::FileError));
                EXPECT_EQ(std::string(e.what()), std::string("property bag: injected failure ") +
                                                     (c.on_write ? "writing" : "reading") + " \"" + key + "\"");
                // A refused write stores nothing.
                if (c.on_write) {
                    EXPECT_FALSE(bag.find(key) == Variant(std::int32_t{70000}));
                }
            }
        }
        const bool fires = c.n >= 1 && c.n <= c.calls;
        EXPECT_EQ(failures, fires ? 1 : 0);
        EXPECT_EQ(hooked, static_cast<int>(c.calls) - failures);
    }
}

}  // namespace
}  // namespace norvtext::services
