// Persistence is a contract with every form file already saved: the keys each class reads
// and writes, in order, with their defaults, are kept in docs/bag_layouts.txt, and form files
// saved by an earlier version load and save again byte for byte.
#include <fstream>
#include <sstream>

#include "norvtext/services/form_file.hpp"
#include "tests/support/harness.hpp"

namespace norvtext::testing {
namespace {

std::string source_file(const std::string& relative) {
    std::ostringstream text;
    text << std::ifstream(std::string(NORVTEXT_SOURCE_DIR) + "/" + relative, std::ios::binary).rdbuf();
    return text.str();
}

TEST(BagLayout, EveryClassReadsAndWritesThePublishedKeys) {
    std::string actual;
    for (const ControlClass& cls : control_classes()) {
        Placed<> p(cls.name, false, "c");
        actual += "class " + std::string(cls.name) + "\n";
        p.form.on_line = [&](const std::string& line) { actual += "  " + line + "\n"; };
        services::MemoryPropertyBag bag;
        bag.on_read = [&](std::string_view key, const Variant& def) {
            actual += "  read " + std::string(key) + " default " + script::print_value(def) + "\n";
        };
        p.box.ReadProperties(bag);
        bag.on_write = [&](std::string_view key, const Variant& value, const std::optional<Variant>& def) {
            actual += "  write " + std::string(key) + " = " + script::print_value(value) +
                      (def ? " default " + script::print_value(*def) : std::string(" no default")) + "\n";
        };
        bag.begin_save();
        p.box.WriteProperties(bag);
    }
    if (actual != source_file("docs/bag_layouts.txt"))
        std::ofstream(std::string(NORVTEXT_SOURCE_DIR) + "/build/bag_layouts.actual") << actual;
    EXPECT_EQ(actual, source_file("docs/bag_layouts.txt")) << "actual layout written to build/bag_layouts.actual";
}

// Files saved by version 2.1 before persistence became a table: each loads into a new
// control and saves to the same text, or, where loading itself changes the box (a saved
// selection is lost because SelLength is read before SelStart), to NAME.resaved.json.
TEST(BagLayout, EarlierFormFilesLoadAndSaveUnchanged) {
    for (const ControlClass& cls : control_classes()) {
        SCOPED_TRACE(cls.name);
        const std::string path = "tests/fixtures/forms/" + std::string(cls.name);
        const std::string file = source_file(path + ".json");
        ASSERT_FALSE(file.empty()) << path;
        Placed<> p(cls.name, false, "c");
        p.form.ambient_font = std::make_shared<Font>(Font{u"Arial", 10});
        services::MemoryPropertyBag bag = services::parse_bag_json(file, path + ".json");
        p.box.ReadProperties(bag);
        const std::string resaved = source_file(path + ".resaved.json");
        EXPECT_EQ(services::bag_to_json(saved(p.box), true), resaved.empty() ? file : resaved);
    }
}

}  // namespace
}  // namespace norvtext::testing
