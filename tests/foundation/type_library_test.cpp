// The published interface description: docs/typelib.txt pins every class, slot, entry,
// type and description; here only the look-ups late binding and hosts use on their own.
#include "norvtext/foundation/type_library.hpp"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>

namespace norvtext {
namespace {

TEST(TypelibText, MatchesThePublishedListing) {
    std::ifstream in(std::string(NORVTEXT_SOURCE_DIR) + "/docs/typelib.txt", std::ios::binary);
    ASSERT_TRUE(in) << "docs/typelib.txt is missing";
    std::ostringstream listing;
    listing << in.rdbuf();
    EXPECT_EQ(listing.str(), typelib_text());
}

// Entry numbers are in the listing; here what late binding finds and what it does not.
TEST(TypeLibrary, LookUps) {
    struct Row { const char* rule; std::string_view class_name, member; Accessor accessor; bool found; };
    const Row rows[] = {
        {"a method", "txtNorvText", "PCase", Accessor::Method, true},
        {"an object is written by reference only", "txtNorvText", "Font", Accessor::Put, false},
        {"a reference writer", "txtNorvCurrency", "Font", Accessor::PutRef, true},
        {"a member the class lacks", "txtNorvZip", "MaxChars", Accessor::Get, false},
    };
    for (const Row& row : rows) {
        const ClassInfo* info = type_library().find_class(row.class_name);
        ASSERT_NE(info, nullptr) << row.rule;
        EXPECT_EQ(info->find(row.member, row.accessor) != nullptr, row.found) << row.rule;
    }
    const ClassInfo& ssn = *type_library().find_class("txtNorvSocialSecurity");
    EXPECT_TRUE(ssn.has_member("Enabled"));
    EXPECT_FALSE(ssn.has_member("MaxChars"));
    EXPECT_THROW((void)ssn.entry_number(ssn.slots.size()), std::out_of_range);
    EXPECT_EQ(type_library().find_class("txtNorvMoney"), nullptr);
    EXPECT_EQ(type_library().find_enum("AppearanceEnum")->members.size(), 2u);
    EXPECT_EQ(type_library().find_enum("ColourEnum"), nullptr);
}

// The listing's quoting, which no published description needs all of.
TEST(TypelibText, QuotesDescriptions) {
    static constexpr std::array slots{Slot{"Tag", Accessor::Get, "String", "say \"hi\" \\ now\nplease"}};
    static constexpr std::array classes{ClassInfo{"Box", "_Box", "", ClassKind::Control, slots, {}}};
    const TypeLibrary lib{"Lib", "1.0", 0x40c, {}, classes};
    EXPECT_EQ(typelib_text(lib),
              "library Lib 1.0 0x40c\nclass Box _Box - control\n"
              "slot Box 1 Tag get String \"say \\\"hi\\\" \\\\ now\\u000Aplease\"\n");
}

}  // namespace
}  // namespace norvtext
