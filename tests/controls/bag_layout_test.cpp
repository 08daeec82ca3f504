// Persistence is a contract with every form file already saved: the keys each class reads
// and writes, in order, with their defaults, are kept in docs/bag_layouts.txt, and form files
// saved by an earlier version load and save again byte for byte.
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "apps/script/value_text.hpp"
#include "norvtext/controls/registry.hpp"
#include "norvtext/services/form_file.hpp"
#include "norvtext/headless/memory_host.hpp"

namespace norvtext {
namespace {

using headless::MemoryForm;
using headless::MemoryHost;
using services::MemoryPropertyBag;

std::string source_file(const std::string& relative) {
    std::ifstream in(std::string(NORVTEXT_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// One class's load from an empty bag and save of what it loaded, as lines.
std::string layout_of(const ControlClass& cls) {
    MemoryForm form;
    std::string out = "class " + std::string(cls.name) + "\n";
    form.on_line = [&](const std::string& line) { out += "  " + line + "\n"; };
    MemoryHost host{form, "c"};
    auto control = cls.create(host);
    MemoryPropertyBag bag;
    bag.on_read = [&](std::string_view key, const Variant& def) {
        out += "  read " + std::string(key) + " default " + script::print_value(def) + "\n";
    };
    bag.on_write = [&](std::string_view key, const Variant& value, const std::optional<Variant>& def) {
        out += "  write " + std::string(key) + " = " + script::print_value(value) +
               (def ? " default " + script::print_value(*def) : std::string(" no default")) + "\n";
    };
    control->ReadProperties(bag);
    bag.begin_save();
    control->WriteProperties(bag);
    return out;
}

TEST(BagLayout, EveryClassReadsAndWritesThePublishedKeys) {
    std::string actual;
    for (const ControlClass& cls : control_classes()) actual += layout_of(cls);
    const std::string expected = source_file("docs/bag_layouts.txt");
    if (actual != expected) std::ofstream(std::string(NORVTEXT_SOURCE_DIR) + "/build/bag_layouts.actual") << actual;
    EXPECT_EQ(actual, expected) << "actual layout written to build/bag_layouts.actual";
}

// Files saved by version 2.1 before persistence became a table: each loads into a new
// control and saves to the same text, or, where loading itself changes the box (a saved
// selection is lost because SelLength is read before SelStart), to NAME.resaved.json.
TEST(BagLayout, EarlierFormFilesLoadAndSaveUnchanged) {
    for (const ControlClass& cls : control_classes()) {
        SCOPED_TRACE(cls.name);
        const std::string path = "tests/fixtures/forms/" + std::string(cls.name) + ".json";
        const std::string saved = source_file(path);
        ASSERT_FALSE(saved.empty()) << path;
        MemoryForm form;
        form.ambient_font = std::make_shared<Font>(Font{u"Arial", 10});
        MemoryHost host{form, "c"};
        auto control = cls.create(host);
        MemoryPropertyBag bag = services::parse_bag_json(saved, path);
        control->ReadProperties(bag);
        bag.begin_save();
        control->WriteProperties(bag);
        const std::string resaved = source_file("tests/fixtures/forms/" + std::string(cls.name) + ".resaved.json");
        EXPECT_EQ(services::bag_to_json(bag, true), resaved.empty() ? saved : resaved);
    }
}

}  // namespace
}  // namespace norvtext
