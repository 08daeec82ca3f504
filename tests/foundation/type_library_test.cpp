// Checks the published interface description: member sets and access per class, slot and
// entry order, types, descriptions, events, look-ups and the printed text form.
#include "norvtext/foundation/type_library.hpp"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace norvtext {
namespace {

constexpr std::array<std::string_view, 7> control_names{
    "txtNorvText", "txtNorvDate",     "txtNorvTelephone", "txtNorvSocialSecurity",
    "txtNorvZip",  "txtNorvCurrency", "txtNorvPercent"};

const ClassInfo& cls(std::string_view name) {
    const ClassInfo* info = type_library().find_class(name);
    if (info == nullptr) throw std::runtime_error("no class " + std::string(name));
    return *info;
}

// A member as the published matrix writes it: access letters (G L S F) and type.
std::string matrix_cell(const ClassInfo& info, std::string_view member) {
    std::string access;
    std::string type;
    for (const char letter : std::string_view("GLSF")) {
        const Accessor accessor = letter == 'G'   ? Accessor::Get
                                  : letter == 'L' ? Accessor::Put
                                  : letter == 'S' ? Accessor::PutRef
                                                  : Accessor::Method;
        if (const Slot* slot = info.find(member, accessor)) {
            access += letter;
            if (!type.empty() && type != slot->type) return "mixed types";
            type = slot->type;
        }
    }
    return access.empty() ? "" : access + " " + type;
}

TEST(TypeLibrary, EveryControlHasExactlyTheMembersOfTheMatrix) {
    struct Row {
        std::string_view member;
        std::array<std::string_view, 7> cells;  // text, date, telephone, SSN, ZIP, currency, percent
    };
    const std::string_view b = "GL Boolean";
    const std::vector<Row> matrix{
        {"MaxChars", {"GL Integer", "", "", "", "", "GL Integer", "GL Integer"}},
        {"hWnd", {"G Long", "GL Long", "GL Long", "G Long", "GL Long", "G Long", "G Long"}},
        {"BackColor", {"GL Colour", "GL Colour", "GL Colour", "GL Colour", "GL Colour", "GL Colour", "GL Colour"}},
        {"ForeColor", {"GL Colour", "GL Colour", "GL Colour", "GL Colour", "GL Colour", "GL Colour", "GL Colour"}},
        {"Enabled", {b, b, b, "G Boolean", b, b, b}},
        {"MousePointer", {"GL Integer", "GL HostEnum", "", "G Integer", "", "GL Integer", "GL Integer"}},
        {"MouseIcon", {"GS Picture", "GS Picture", "", "G Picture", "", "GS Picture", "GS Picture"}},
        {"Font", {"GS Font", "GS Font", "GS Font", "GS Font", "GS Font", "GS Font", "GS Font"}},
        {"Text", {"GL String", "GL String", "GL String", "GL String", "GL String", "GL String", "GL String"}},
        {"Alignment", {"G AlignmentEnum", "", "", "", "", "", ""}},
        {"Appearance", {"G AppearanceEnum", "GL AppearanceEnum", "G Integer", "G Integer", "G Integer", "G AppearanceEnum", "G AppearanceEnum"}},
        {"PasswordChar", {"GL String", "", "", "", "", "", ""}},
        {"SelLength", {"GL Long", "G Long", "G Long", "G Long", "G Long", "GL Long", "GL Long"}},
        {"SelStart", {"GL Long", "G Long", "G Long", "G Long", "G Long", "GL Long", "GL Long"}},
        {"SelText", {"GL String", "G String", "G String", "G String", "G String", "GL String", "GL String"}},
        {"Value", {"GL String", "GL Variant", "GL Variant", "GL Variant", "GL Variant", "GL String", "GL String"}},
        {"Chars", {"GL Integer", "", "", "", "", "", ""}},
        {"BorderStyle", {"G BorderstyleEnum", "GL BorderstyleEnum", "GL HostEnum", "GL HostEnum", "GL HostEnum", "G BorderstyleEnum", "G BorderstyleEnum"}},
        {"LinkItem", {"GL String", "", "", "", "", "", ""}},
        {"LinkMode", {"GL LinkModeEnum", "", "", "", "", "", ""}},
        {"LinkTimeout", {"GL Integer", "", "", "", "", "", ""}},
        {"LinkTopic", {"GL String", "", "", "", "", "", ""}},
        {"Locked", {b, "", "", "", "", "", ""}},
        {"ToolTipText", {"GL String", "GL String", "GL String", "GL String", "GL String", "GL String", "GL String"}},
        {"ScrollBars", {"G ScrollBarEnum", "", "", "", "", "", ""}},
        {"RightToLeft", {b, "", "", "", "", "", ""}},
        {"OLEDragMode", {"GL AutoManualEnum", "GL HostEnum", "GL HostEnum", "GL HostEnum", "GL HostEnum", "GL AutoManualEnum", "GL AutoManualEnum"}},
        {"OLEDropMode", {"GL DragModeEnum", "GL HostEnum", "GL HostEnum", "GL HostEnum", "GL HostEnum", "GL DragModeEnum", "GL DragModeEnum"}},
        {"MultiLine", {"G Boolean", "", "", "", "", "", ""}},
        {"CharTable", {"GL String", "", "", "", "", "", ""}},
        {"FocusSelect", {b, b, b, b, b, b, b}},
        {"EscapeClear", {b, b, b, b, b, b, b}},
        {"ReadOnly", {b, b, b, b, b, b, b}},
        {"PCase", {"F String", "", "", "", "", "", ""}},
        {"Blink", {b, b, b, b, b, b, b}},
        {"About", {b, b, b, b, b, b, b}},
        {"FormatMask", {"", "GL DateFormatEnum", "GL FormatMaskEnum", "", "GL ZipFormatEnum", "", ""}},
        {"BlinkOnError", {"", b, "GL Variant", b, "GL Variant", b, b}},
        {"Zip_4", {"", "", "", "", "GL String", "", ""}},
        {"Zip_5", {"", "", "", "", "GL String", "", ""}},
    };
    for (std::size_t c = 0; c < control_names.size(); ++c) {
        const ClassInfo& info = cls(control_names[c]);
        std::set<std::string_view> expected;
        for (const Row& row : matrix) {
            SCOPED_TRACE(std::string(info.name) + "." + std::string(row.member));
            EXPECT_EQ(matrix_cell(info, row.member), row.cells[c]);
            if (!row.cells[c].empty()) expected.insert(row.member);
        }
        std::set<std::string_view> actual;
        for (const Slot& slot : info.slots) actual.insert(slot.member);
        EXPECT_EQ(actual, expected) << info.name << " has members the matrix does not give";
    }
}

TEST(TypeLibrary, EntriesFollowTheSlotOrder) {
    struct Case {
        std::string_view class_name;
        std::string_view entries;  // one member per entry, blank-separated
    };
    const std::string_view numeric =
        "Value MaxChars Text hWnd BackColor ForeColor Enabled MousePointer MouseIcon Font "
        "Appearance BorderStyle SelLength SelStart SelText OLEDragMode OLEDropMode ToolTipText "
        "FocusSelect EscapeClear Blink BlinkOnError ReadOnly About";
    const Case cases[] = {
        {"txtNorvText",
         "MaxChars hWnd BackColor ForeColor Enabled MousePointer MouseIcon Font Text Alignment "
         "Appearance PasswordChar SelLength SelStart SelText Value Chars BorderStyle LinkItem "
         "LinkMode LinkTimeout LinkTopic Locked ToolTipText ScrollBars RightToLeft OLEDragMode "
         "OLEDropMode MultiLine CharTable FocusSelect EscapeClear ReadOnly PCase Blink About"},
        {"txtNorvDate",
         "FocusSelect EscapeClear Text Appearance Value Font Appearance SelLength SelStart "
         "SelText BackColor BorderStyle Enabled ForeColor hWnd MouseIcon MousePointer "
         "OLEDragMode OLEDropMode ToolTipText FormatMask Blink BlinkOnError ReadOnly About"},
        {"txtNorvTelephone",
         "Text Value FormatMask Appearance SelLength SelStart SelText BackColor BorderStyle "
         "Enabled ForeColor Font ForeColor hWnd OLEDragMode OLEDropMode ToolTipText FocusSelect "
         "EscapeClear Blink BlinkOnError ReadOnly About"},
        {"txtNorvSocialSecurity",
         "FocusSelect EscapeClear Text Value hWnd BackColor ForeColor Enabled MousePointer "
         "MouseIcon Font Appearance SelLength SelStart SelText BorderStyle OLEDragMode "
         "OLEDropMode ToolTipText Blink BlinkOnError ReadOnly About"},
        {"txtNorvZip",
         "Text Value FormatMask Font Appearance SelLength SelStart SelText BackColor BorderStyle "
         "Enabled ForeColor hWnd OLEDragMode OLEDropMode ToolTipText FocusSelect EscapeClear "
         "Blink BlinkOnError ReadOnly Zip_4 Zip_5 About"},
        {"txtNorvCurrency", numeric},
        {"txtNorvPercent", numeric},
        {"Custom", "GetChars"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.class_name);
        std::vector<std::string> entries;
        std::istringstream in{std::string(c.entries)};
        for (std::string word; in >> word;) entries.push_back(word);

        const ClassInfo& info = cls(c.class_name);
        ASSERT_FALSE(info.slots.empty());
        EXPECT_EQ(info.entry_number(info.slots.size() - 1), static_cast<int>(entries.size()));
        for (std::size_t i = 0; i < info.slots.size(); ++i) {
            const int entry = info.entry_number(i);
            ASSERT_GE(entry, 1);
            ASSERT_LE(entry, static_cast<int>(entries.size()));
            EXPECT_EQ(info.slots[i].member, entries[entry - 1]) << "slot " << i;
            // Within one entry the reader comes first, except About, whose writer leads.
            if (i > 0 && info.entry_number(i - 1) == entry) {
                const Accessor leader = info.slots[i - 1].accessor;
                EXPECT_EQ(leader, info.slots[i].member == "About" ? Accessor::Put : Accessor::Get)
                    << info.slots[i].member;
            }
        }
        EXPECT_THROW((void)info.entry_number(info.slots.size()), std::out_of_range);
    }
}

TEST(TypeLibrary, AccessorsAndEntryNumbers) {
    struct Case {
        std::string_view class_name, member;
        Accessor accessor;
        int entry;  // 0: the accessor does not exist
    };
    const Case cases[] = {
        {"txtNorvText", "MaxChars", Accessor::Put, 1},
        {"txtNorvText", "PCase", Accessor::Method, 34},
        {"txtNorvText", "About", Accessor::Get, 36},
        {"txtNorvText", "Alignment", Accessor::Put, 0},
        {"txtNorvText", "Font", Accessor::Put, 0},  // objects are written by reference only
        {"txtNorvDate", "Appearance", Accessor::Put, 4},
        {"txtNorvDate", "Appearance", Accessor::Get, 7},
        {"txtNorvDate", "SelStart", Accessor::Put, 0},
        {"txtNorvTelephone", "ForeColor", Accessor::Get, 11},
        {"txtNorvTelephone", "ForeColor", Accessor::Put, 13},
        {"txtNorvSocialSecurity", "Enabled", Accessor::Put, 0},
        {"txtNorvZip", "MaxChars", Accessor::Get, 0},
        {"txtNorvCurrency", "Font", Accessor::PutRef, 10},
        {"Custom", "GetChars", Accessor::Method, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.class_name) + "." + std::string(c.member));
        const ClassInfo& info = cls(c.class_name);
        const Slot* slot = info.find(c.member, c.accessor);
        if (c.entry == 0) {
            EXPECT_EQ(slot, nullptr);
            continue;
        }
        ASSERT_NE(slot, nullptr);
        EXPECT_EQ(info.entry_number(static_cast<std::size_t>(slot - info.slots.data())), c.entry);
    }
    EXPECT_TRUE(cls("txtNorvSocialSecurity").has_member("Enabled"));
    EXPECT_FALSE(cls("txtNorvDate").has_member("MaxChars"));
    EXPECT_EQ(type_library().find_class("txtNorvMoney"), nullptr);
    EXPECT_EQ(type_library().find_enum("ColourEnum"), nullptr);
}

TEST(TypeLibrary, EveryTypeIsKnownAndEnumerationsAreInValueOrder) {
    const std::set<std::string_view> plain{"Integer", "Long",    "Boolean", "String",  "Variant",
                                           "Colour",  "Font",    "Picture", "HostEnum"};
    const TypeLibrary& lib = type_library();
    auto known = [&](std::string_view type) { return plain.count(type) || lib.find_enum(type); };
    for (const ClassInfo& info : lib.classes) {
        for (const Slot& slot : info.slots) {
            SCOPED_TRACE(std::string(info.name) + "." + std::string(slot.member));
            const bool void_method = slot.accessor == Accessor::Method && slot.type == "Void";
            EXPECT_TRUE(void_method || known(slot.type)) << slot.type;
            for (const Param& p : slot.params) EXPECT_TRUE(known(p.type)) << p.type;
        }
        for (const EventInfo& event : info.events) {
            for (const Param& p : event.params) EXPECT_TRUE(known(p.type)) << event.name;
        }
    }
    for (const EnumInfo& e : lib.enums) {
        SCOPED_TRACE(e.name);
        ASSERT_FALSE(e.members.empty());
        for (std::size_t i = 1; i < e.members.size(); ++i) {
            EXPECT_LT(e.members[i - 1].value, e.members[i].value);
        }
    }
}

TEST(TypeLibrary, Descriptions) {
    // Every accessor of a member in one class carries the member's one description.
    for (const ClassInfo& info : type_library().classes) {
        for (const Slot& slot : info.slots) {
            const Slot* reader = info.find(slot.member, Accessor::Get);
            if (reader != nullptr) {
                EXPECT_EQ(slot.description, reader->description) << slot.member;
            }
            if (info.name == "txtNorvZip") {
                EXPECT_EQ(slot.description, "") << slot.member;
            }
        }
    }
    struct Case {
        std::string_view class_name, member, description;
    };
    const Case cases[] = {
        {"txtNorvSocialSecurity", "Value", "Social Security number "},
        {"txtNorvDate", "Font", "Font Property"},
        {"txtNorvTelephone", "Font", ""},
        {"txtNorvDate", "hWnd", "Returns a handle to a form or control."},
        {"txtNorvSocialSecurity", "hWnd",
         "Returns a handle (from the windowing system) to an object's window."},
        {"txtNorvPercent", "Text", "Returns/sets the text in the textbox."},
        {"txtNorvSocialSecurity", "OLEDropMode",
         "Returns/Sets whether this control can act as an OLE drop target."},
        {"txtNorvTelephone", "Blink", "When set to True the Field will Blink"},
        {"txtNorvCurrency", "Blink", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.class_name) + "." + std::string(c.member));
        const Slot* slot = cls(c.class_name).find(c.member, Accessor::Get);
        ASSERT_NE(slot, nullptr);
        EXPECT_EQ(slot->description, c.description);
    }
}

TEST(TypeLibrary, StandardFontIdentifierOnlyWhereTheBoxPublishesIt) {
    for (const ClassInfo& info : type_library().classes) {
        const bool ordinary_font = info.name == "txtNorvTelephone" || info.name == "txtNorvZip";
        for (const Slot& slot : info.slots) {
            SCOPED_TRACE(std::string(info.name) + "." + std::string(slot.member));
            EXPECT_EQ(slot.standard_font_id, slot.member == "Font" && !ordinary_font);
        }
    }
}

TEST(TypeLibrary, EventsInDeclaredOrder) {
    struct Case {
        std::string_view class_name, events;
        bool described;  // key and mouse events carry their wording
    };
    const std::string_view masked = "KeyDown KeyPress KeyUp Change Validate";
    const std::string_view numeric = "KeyUp Change KeyDown KeyPress";
    const Case cases[] = {
        {"txtNorvText", "Click DblClick KeyUp Change KeyDown KeyPress", true},
        {"txtNorvDate", masked, false},     {"txtNorvTelephone", masked, false},
        {"txtNorvSocialSecurity", masked, false}, {"txtNorvZip", masked, false},
        {"txtNorvCurrency", numeric, true}, {"txtNorvPercent", numeric, true},
        {"Custom", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.class_name);
        std::string names;
        for (const EventInfo& event : cls(c.class_name).events) {
            if (!names.empty()) names += ' ';
            names += event.name;
            std::string params;
            for (const Param& p : event.params) params += std::string(p.name) + ":" + std::string(p.type) + " ";
            const bool key_code = event.name == "KeyUp" || event.name == "KeyDown";
            EXPECT_EQ(params, key_code                       ? "KeyCode:Integer Shift:Integer "
                              : event.name == "KeyPress" ? "KeyAscii:Integer "
                                                         : "")
                << event.name;
            const bool silent = event.name == "Change" || event.name == "Validate";
            EXPECT_EQ(!event.description.empty(), c.described && !silent) << event.name;
        }
        EXPECT_EQ(names, c.events);
    }
}

TEST(TypelibText, StartsAsTheScriptHostDocumentsIt) {
    const std::string text = typelib_text();
    EXPECT_EQ(text.rfind("library NorvTextLib 2.1 0x409\nenum AppearanceEnum Flat=0 ThreeD=1\n", 0), 0u);
    const char* const lines[] = {
        "\nclass txtNorvText _txtNorvText __txtNorvText control\n"
        "slot txtNorvText 1 MaxChars get Integer \"Maximum number of chars which can be entered into the field\"\n"
        "slot txtNorvText 1 MaxChars put Integer \"Maximum number of chars which can be entered into the field\"\n",
        "\nslot txtNorvText 8 Font get Font id=-512 \"Returns a Font object.\"\n",
        "\nslot txtNorvText 34 PCase method String(psBuf String) \"\"\n",
        "\nevent txtNorvText 1 Click \"Occurs when the user presses and then releases a mouse button over an object.\"\n",
        "\nevent txtNorvText 3 KeyUp(KeyCode Integer, Shift Integer) \"Occurs when the user releases a key while an object has the focus.\"\n",
        "\nclass Custom _Custom - page\nslot Custom 1 GetChars method Void() \"\"\n",
    };
    for (const char* line : lines) EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST(TypelibText, QuotesDescriptionsAndKeepsOneEntryPerLine) {
    static constexpr std::array slots{
        Slot{"Tag", Accessor::Get, "String", "say \"hi\" \\ now\nplease"}};
    static constexpr std::array classes{ClassInfo{"Box", "_Box", "", ClassKind::Control, slots, {}}};
    const TypeLibrary lib{"Lib", "1.0", 0x40c, {}, classes};
    EXPECT_EQ(typelib_text(lib),
              "library Lib 1.0 0x40c\n"
              "class Box _Box - control\n"
              "slot Box 1 Tag get String \"say \\\"hi\\\" \\\\ now\\u000Aplease\"\n");
}

#ifdef NORVTEXT_SOURCE_DIR
// docs/typelib.txt is the published listing; it must not drift from the tables.
TEST(TypelibText, MatchesThePublishedListing) {
    std::ifstream in(std::string(NORVTEXT_SOURCE_DIR) + "/docs/typelib.txt", std::ios::binary);
    ASSERT_TRUE(in) << "docs/typelib.txt is missing";
    std::ostringstream listing;
    listing << in.rdbuf();
    EXPECT_EQ(listing.str(), typelib_text());
}
#endif

}  // namespace
}  // namespace norvtext
