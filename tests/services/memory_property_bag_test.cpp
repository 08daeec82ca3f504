// The headless property bag: what a save keeps and in what order, what a load reads, and
// failures injected at the Nth read or write, which reach the caller and stop there.
#include "norvtext/services/memory_property_bag.hpp"

#include "tests/support/harness.hpp"

namespace norvtext::services {
namespace {

std::string contents(const MemoryPropertyBag& bag) {
    std::string out;
    for (const auto& e : bag.entries()) out += e.key + "=" + testing::u8(e.value.to_string()) + "(" + std::string(type_name(e.value.type())) + ") ";
    return out;
}

TEST(MemoryPropertyBag, SavesKeepTheFirstWriteAndLeaveDefaultsOut) {
    const Variant five = std::int16_t{5};
    struct Write { std::string key; Variant value; std::optional<Variant> default_value; };
    struct Row { const char* rule; std::vector<Write> writes; const char* kept; };  // writes after the host set A=1, B=2, C=3
    const Row rows[] = {
        {"a value equal to its default goes", {{"B", five, five}}, "A=1(Integer) C=3(Integer) "},
        {"a value differing from its default stays", {{"B", five, std::int16_t{6}}}, "A=1(Integer) B=5(Integer) C=3(Integer) "},
        {"another subtype is not the default", {{"B", std::int32_t{5}, five}}, "A=1(Integer) B=5(Long) C=3(Integer) "},
        {"no default: always kept, new keys last", {{"Z", Variant(), std::nullopt}}, "A=1(Integer) B=2(Integer) C=3(Integer) Z=(Empty) "},
        {"the first write of a key is kept", {{"B", u"typed", {}}, {"B", u"assigned", {}}}, "A=1(Integer) B=typed(String) C=3(Integer) "},
        {"a left-out first write still blocks later ones", {{"B", u"", u""}, {"B", u"x", u""}}, "A=1(Integer) C=3(Integer) "},
        {"entries after a removed one stay in place", {{"A", five, five}, {"C", u"c", {}}}, "B=2(Integer) C=c(String) "},
    };
    for (const Row& row : rows) {
        MemoryPropertyBag bag;
        for (const char* key : {"A", "B", "C"}) bag.set(key, std::int16_t(key[0] - 'A' + 1));
        for (const Write& w : row.writes) bag.write(w.key, w.value, w.default_value);
        EXPECT_EQ(contents(bag), row.kept) << row.rule;
        for (const auto& e : bag.entries()) EXPECT_TRUE(bag.read(e.key, Variant()) == e.value) << row.rule << ": " << e.key;
    }
    // Each save starts empty and may write every key again; the host's set replaces in place.
    MemoryPropertyBag bag;
    bag.set("Old", true);
    for (const char16_t* text : {u"first", u"second"}) {
        bag.begin_save();
        bag.write("Text", text, std::nullopt);
        EXPECT_EQ(contents(bag), "Text=" + testing::u8(text) + "(String) ");
    }
    bag.set("N", std::int16_t{4});
    bag.set("Text", u"replaced");
    EXPECT_EQ(contents(bag), "Text=replaced(String) N=4(Integer) ");
    EXPECT_TRUE(bag.read("Missing", u"dflt") == Variant(u"dflt") && !bag.find("Missing"));
    bag.clear();
    EXPECT_TRUE(bag.empty());
}

TEST(MemoryPropertyBag, FailureAtTheNthCallAndTheHooks) {
    struct Row { const char* rule; bool writes; std::size_t n; int fails_at; };  // n armed after one call of each kind; 0: none fails
    const Row rows[] = {
        {"first write", true, 1, 1}, {"third write", true, 3, 3}, {"first read", false, 1, 1}, {"second read", false, 2, 2},
        {"beyond the calls made", true, 5, 0}, {"disarmed", false, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        MemoryPropertyBag bag;
        bag.write("Before", true, std::nullopt);
        bag.read("Before", Variant());
        std::string seen;  // the hooks run before the bag acts, and not for a refused call
        bag.on_write = [&](std::string_view key, const Variant& value, const std::optional<Variant>& def) {
            seen += std::string(key) + (def && value == *def ? "=default" : "") + (bag.find(key) ? " present " : " ");
        };
        bag.on_read = [&](std::string_view key, const Variant&) { seen += std::string(key) + "? "; };
        row.writes ? bag.fail_at_write(row.n) : bag.fail_at_read(row.n);
        std::string failed, expected_seen;
        for (int i = 1; i <= 4; ++i) {
            const std::string key = "K" + std::to_string(i);
            const int error = testing::error_of([&] { row.writes ? bag.write(key, std::int32_t{i}, std::int32_t{2}) : void(bag.read(key, Variant())); });
            if (error != 0) failed += std::to_string(i) + ":" + std::to_string(error);
            if (i != row.fails_at) expected_seen += key + (row.writes ? (i == 2 ? "=default " : " ") : "? ");
            EXPECT_EQ(bag.find(key).has_value(), row.writes && i != 2 && i != row.fails_at);
        }
        EXPECT_EQ(failed, row.fails_at == 0 ? "" : std::to_string(row.fails_at) + ":31036");
        EXPECT_EQ(seen, expected_seen);
    }
    MemoryPropertyBag bag;
    bag.fail_at_read(1);
    try {
        bag.read("Text", Variant());
        ADD_FAILURE() << "no failure";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "property bag: injected failure reading \"Text\"");
    }
}

}  // namespace
}  // namespace norvtext::services
