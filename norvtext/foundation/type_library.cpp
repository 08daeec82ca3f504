// NorvTextLib's published interface description as constant tables, plus its one-line-per-
// entry text form that the script host prints and docs/typelib.txt keeps.
#include "norvtext/foundation/type_library.hpp"

#include "norvtext/foundation/inner_members.hpp"

#include <array>
#include <cstdio>
#include <stdexcept>

namespace norvtext {

namespace {

using enum Accessor;

// ---------------------------------------------------------------------------------------------
// Enumerations, in the library's published order; members in value order.

constexpr std::array appearance_members{EnumMember{"Flat", 0}, EnumMember{"ThreeD", 1}};
constexpr std::array alignment_members{EnumMember{"Left_Justify", 0},
                                       EnumMember{"Right_Justify", 1}, EnumMember{"Center", 2}};
constexpr std::array borderstyle_members{EnumMember{"None", 0}, EnumMember{"Fixed_Single", 1}};
constexpr std::array auto_manual_members{EnumMember{"Manual", 0}, EnumMember{"Automatic", 1}};
constexpr std::array drag_mode_members{EnumMember{"None", 0}, EnumMember{"Manual", 1},
                                       EnumMember{"Automatic", 2}};
constexpr std::array link_mode_members{EnumMember{"None", 0}, EnumMember{"Manual", 1},
                                       EnumMember{"Automatic", 2}, EnumMember{"Notify", 3}};
constexpr std::array scroll_bar_members{EnumMember{"None", 0}, EnumMember{"Horizontal", 1},
                                        EnumMember{"Vertical", 2}, EnumMember{"Both", 3}};
constexpr std::array date_format_members{
    EnumMember{"MMDDYYYY", 0},       EnumMember{"MMMDDYYYY", 1},   EnumMember{"MMMDDYY", 2},
    EnumMember{"MMDDYYYYHHMMSS", 3}, EnumMember{"MMDDYYYYHHMM", 4}, EnumMember{"HHMM", 5},
    EnumMember{"HHMMSS", 6},         EnumMember{"MMYY", 7}};
constexpr std::array format_mask_members{EnumMember{"digit10", 0}, EnumMember{"digit7", 1},
                                         EnumMember{"digit11", 2}, EnumMember{"digit12", 3}};
constexpr std::array zip_format_members{EnumMember{"Zip5", 0}, EnumMember{"Zip4", 1},
                                        EnumMember{"Zip5Plus4", 2}};

constexpr std::array enums{
    EnumInfo{"AppearanceEnum", appearance_members},
    EnumInfo{"AlignmentEnum", alignment_members},
    EnumInfo{"BorderstyleEnum", borderstyle_members},
    EnumInfo{"AutoManualEnum", auto_manual_members},
    EnumInfo{"DragModeEnum", drag_mode_members},
    EnumInfo{"LinkModeEnum", link_mode_members},
    EnumInfo{"ScrollBarEnum", scroll_bar_members},
    EnumInfo{"DateFormatEnum", date_format_members},
    EnumInfo{"FormatMaskEnum", format_mask_members},
    EnumInfo{"ZipFormatEnum", zip_format_members},
};

// ---------------------------------------------------------------------------------------------
// Parameter lists shared by methods and events.

constexpr std::array pcase_params{Param{"psBuf", "String"}};
constexpr std::array key_code_params{Param{"KeyCode", "Integer"}, Param{"Shift", "Integer"}};
constexpr std::array key_ascii_params{Param{"KeyAscii", "Integer"}};

// ---------------------------------------------------------------------------------------------
// Descriptions. The pass-through members' ordinary wording is the inner-member table's; these
// are the other members' and the few a class words its own way.

namespace words {
constexpr std::string_view none = "";
constexpr std::string_view hwnd_short = "Returns a handle to a form or control.";
constexpr std::string_view font_short = "Font Property";
constexpr std::string_view text = "Returns/sets the text contained in the control.";
constexpr std::string_view text_textbox = "Returns/sets the text in the textbox.";
constexpr std::string_view sel_length = "Returns/sets the number of characters selected.";
constexpr std::string_view sel_start = "Returns/sets the starting point of text selected.";
constexpr std::string_view sel_text = "Returns/sets the string containing the currently selected text.";
}  // namespace words

// The behaviour members are worded per class.
namespace text_words {
constexpr std::string_view max_chars = "Maximum number of chars which can be entered into the field";
constexpr std::string_view chars =
    "This field can be set to allow only a specific set of characters to be entered into the field";
constexpr std::string_view char_table =
    "These are additional characters which may be allowed to be entered into the field, it works in conjunction "
    "with the Chars property";
constexpr std::string_view value = "returns the value of the text in the box";
constexpr std::string_view focus_select = "if set to True, the Field will be Automatically selected on Got_Focus";
constexpr std::string_view escape_clear =
    "When set to True, the field will be cleared if the user presses the escape key";
}  // namespace text_words

namespace date_words {
constexpr std::string_view value = "contains the date value";
constexpr std::string_view focus_select =
    "determines whether the got focus event will automatically select all text in the box";
constexpr std::string_view escape_clear = "determines whether or not the escape key will clear the box";
constexpr std::string_view format_mask = "Contains the date format to show in the box";
constexpr std::string_view blink = "When set to True the field will Blink";
constexpr std::string_view blink_on_error =
    "When Set to True, the field will Blink on Lost_Focus if the user enter Invalid Data";
}  // namespace date_words

namespace telephone_words {
constexpr std::string_view value = "this is the raw telephone number";
constexpr std::string_view focus_select = "Determines whether or not the Got Focus will select all the text in the box";
constexpr std::string_view escape_clear = "Determines whether or not the Escape key will clear the box";
constexpr std::string_view format_mask = "This is the format of the telephone number which will appear in the box";
constexpr std::string_view blink = "When set to True the Field will Blink";
constexpr std::string_view blink_on_error =
    "When set to True, the field will blink on Lost_focus if the user enters Invalid Data";
}  // namespace telephone_words

namespace ssn_words {
constexpr std::string_view value = "Social Security number ";  // the trailing blank is published
constexpr std::string_view focus_select = "Determines whether or not Got Focus will select the text in the box";
constexpr std::string_view escape_clear = "Determines whether or not the Escape key will clear the box";
constexpr std::string_view blink = "When set to true the field will Blink";
constexpr std::string_view blink_on_error =
    "When True, the field will blink on lost_focus if then user enters invalid data";
}  // namespace ssn_words

// Shared by the currency and percent boxes, which publish the same interface.
namespace numeric_words {
constexpr std::string_view value = "the currency value of the text in the textbox";
constexpr std::string_view max_chars = "Max number of characters in the field";
constexpr std::string_view focus_select =
    "When set to true, the field will be automatically selected when on Got_Focus";
constexpr std::string_view escape_clear =
    "When set to True, the field will clear if the user presses the Escape key";
}  // namespace numeric_words

// ---------------------------------------------------------------------------------------------
// Default interfaces as entries in slot order: a member's reader and writer side by side, one
// of them where the class publishes only one or sets them apart, or a run of members.

using M = InnerMember;

struct Entry {
    std::array<Slot, 6> slots{};
    std::size_t count = 0;

    constexpr Entry(std::initializer_list<Slot> list) {
        for (const Slot& s : list) slots[count++] = s;
    }
    constexpr Entry(Slot s) : Entry{{s}} {}
    // The entry with one field of every slot set alike.
    template <class T>
    constexpr Entry with(T Slot::*field, T value) const {
        Entry e = *this;
        for (Slot& s : e.slots) s.*field = value;
        return e;
    }
    // A class that types or words a member its own way.
    constexpr Entry typed(std::string_view type) const { return with(&Slot::type, type); }
    constexpr Entry worded(std::string_view description) const { return with(&Slot::description, description); }
    // A class that publishes neither description nor the standard font identifier.
    constexpr Entry bare() const { return worded({}).with(&Slot::standard_font_id, false); }
};

// A member the class publishes itself, read and written.
constexpr Entry rw(std::string_view name, std::string_view type, std::string_view description = {}) {
    return {Slot{name, Get, type, description}, Slot{name, Put, type, description}};
}

// A pass-through member's reader or writer as the inner box ordinarily publishes it; an object
// is written by reference, and a Font carries the standard font identifier.
constexpr Entry pass(M m, Accessor accessor) {
    const InnerMemberInfo& info = inner_info(m);
    const bool object = info.kind == MemberKind::Font || info.kind == MemberKind::Picture;
    return Slot{info.name, accessor == Put && object ? PutRef : accessor, info.type, info.description,
                info.kind == MemberKind::Font};
}
constexpr Entry pass(M m) { return {pass(m, Get).slots[0], pass(m, Put).slots[0]}; }

// SelLength, SelStart and SelText side by side, read only or read and written.
constexpr Entry selection(bool writable) {
    Entry e{};
    for (Slot s : {Slot{"SelLength", Get, "Long", words::sel_length}, Slot{"SelStart", Get, "Long", words::sel_start},
                   Slot{"SelText", Get, "String", words::sel_text}}) {
        e.slots[e.count++] = s;
        if (writable) e.slots[e.count++] = Slot{s.member, Put, s.type, s.description};
    }
    return e;
}

// The entries every class or a family of classes publishes alike.
constexpr Entry read_only = rw("ReadOnly", "Boolean");
constexpr Entry about{Slot{"About", Put, "Boolean", words::none}, Slot{"About", Get, "Boolean", words::none}};
// The masked boxes take the drag and drop modes as the host's enumerations, worded for a control.
constexpr Entry masked_drag = pass(M::OLEDragMode).typed("HostEnum").worded(
    "Returns/Sets whether this control can act as an OLE drag/drop source, and whether this process is started "
    "automatically or under programmatic control.");
constexpr Entry masked_drop =
    pass(M::OLEDropMode).typed("HostEnum").worded("Returns/Sets whether this control can act as an OLE drop target.");
// The digit boxes (telephone, social security, ZIP) read Appearance as an Integer and take
// BorderStyle as the host's enumeration.
constexpr Entry digit_appearance = pass(M::Appearance, Get).typed("Integer");
constexpr Entry digit_border_style = pass(M::BorderStyle).typed("HostEnum");

constexpr std::size_t slot_count(std::span<const Entry> entries) {
    std::size_t n = 0;
    for (const Entry& e : entries) n += e.count;
    return n;
}

// A class's slots, laid out from its entries; a class that describes nothing is laid out bare.
template <const auto& entries, bool described = true>
constexpr auto slots_of = [] {
    std::array<Slot, slot_count(entries)> out{};
    std::size_t i = 0;
    for (const Entry& e : entries)
        for (std::size_t k = 0; k < e.count; ++k) out[i++] = (described ? e : e.bare()).slots[k];
    return out;
}();

constexpr Entry text_entries[]{
    rw("MaxChars", "Integer", text_words::max_chars), pass(M::hWnd, Get), pass(M::BackColor), pass(M::ForeColor),
    pass(M::Enabled), pass(M::MousePointer), pass(M::MouseIcon), pass(M::Font), rw("Text", "String", words::text),
    pass(M::Alignment, Get), pass(M::Appearance, Get), pass(M::PasswordChar), selection(true),
    rw("Value", "String", text_words::value), rw("Chars", "Integer", text_words::chars), pass(M::BorderStyle, Get),
    pass(M::LinkItem), pass(M::LinkMode), pass(M::LinkTimeout), pass(M::LinkTopic), pass(M::Locked),
    pass(M::ToolTipText), pass(M::ScrollBars, Get), pass(M::RightToLeft), pass(M::OLEDragMode), pass(M::OLEDropMode),
    pass(M::MultiLine, Get), rw("CharTable", "String", text_words::char_table),
    rw("FocusSelect", "Boolean", text_words::focus_select), rw("EscapeClear", "Boolean", text_words::escape_clear),
    read_only, Slot{"PCase", Method, "String", words::none, false, pcase_params}, rw("Blink", "Boolean"), about,
};

// The date box's Appearance writer sits early and its reader after Font: two entries.
constexpr Entry date_entries[]{
    rw("FocusSelect", "Boolean", date_words::focus_select), rw("EscapeClear", "Boolean", date_words::escape_clear),
    rw("Text", "String", words::text), pass(M::Appearance, Put), rw("Value", "Variant", date_words::value),
    pass(M::Font).worded(words::font_short), pass(M::Appearance, Get), selection(false), pass(M::BackColor),
    pass(M::BorderStyle), pass(M::Enabled), pass(M::ForeColor), pass(M::hWnd).worded(words::hwnd_short),
    pass(M::MouseIcon), pass(M::MousePointer).typed("HostEnum"), masked_drag, masked_drop, pass(M::ToolTipText),
    rw("FormatMask", "DateFormatEnum", date_words::format_mask), rw("Blink", "Boolean", date_words::blink),
    rw("BlinkOnError", "Boolean", date_words::blink_on_error), read_only, about,
};

// The telephone box's ForeColor reader and writer sit on either side of Font: two entries.
constexpr Entry telephone_entries[]{
    rw("Text", "String", words::text), rw("Value", "Variant", telephone_words::value),
    rw("FormatMask", "FormatMaskEnum", telephone_words::format_mask), digit_appearance, selection(false),
    pass(M::BackColor), digit_border_style, pass(M::Enabled), pass(M::ForeColor, Get), pass(M::Font).bare(),
    pass(M::ForeColor, Put), pass(M::hWnd).worded(words::hwnd_short), masked_drag, masked_drop, pass(M::ToolTipText),
    rw("FocusSelect", "Boolean", telephone_words::focus_select),
    rw("EscapeClear", "Boolean", telephone_words::escape_clear), rw("Blink", "Boolean", telephone_words::blink),
    rw("BlinkOnError", "Variant", telephone_words::blink_on_error), read_only, about,
};

constexpr Entry ssn_entries[]{
    rw("FocusSelect", "Boolean", ssn_words::focus_select), rw("EscapeClear", "Boolean", ssn_words::escape_clear),
    rw("Text", "String", words::text), rw("Value", "Variant", ssn_words::value), pass(M::hWnd, Get),
    pass(M::BackColor), pass(M::ForeColor), pass(M::Enabled, Get), pass(M::MousePointer, Get),
    pass(M::MouseIcon, Get), pass(M::Font), digit_appearance, selection(false), digit_border_style, masked_drag,
    masked_drop, pass(M::ToolTipText), rw("Blink", "Boolean", ssn_words::blink),
    rw("BlinkOnError", "Boolean", ssn_words::blink_on_error), read_only, about,
};

// The ZIP box publishes no descriptions at all.
constexpr Entry zip_entries[]{
    rw("Text", "String"), rw("Value", "Variant"), rw("FormatMask", "ZipFormatEnum"), pass(M::Font), digit_appearance,
    selection(false), pass(M::BackColor), digit_border_style, pass(M::Enabled), pass(M::ForeColor), pass(M::hWnd),
    masked_drag, masked_drop, pass(M::ToolTipText), rw("FocusSelect", "Boolean"), rw("EscapeClear", "Boolean"),
    rw("Blink", "Boolean"), rw("BlinkOnError", "Variant"), read_only, rw("Zip_4", "String"), rw("Zip_5", "String"),
    about,
};

// The currency and percent boxes share one interface layout and wording.
constexpr Entry numeric_entries[]{
    rw("Value", "String", numeric_words::value), rw("MaxChars", "Integer", numeric_words::max_chars),
    rw("Text", "String", words::text_textbox), pass(M::hWnd, Get), pass(M::BackColor), pass(M::ForeColor),
    pass(M::Enabled), pass(M::MousePointer), pass(M::MouseIcon), pass(M::Font), pass(M::Appearance, Get),
    pass(M::BorderStyle, Get), selection(true), pass(M::OLEDragMode), pass(M::OLEDropMode), pass(M::ToolTipText),
    rw("FocusSelect", "Boolean", numeric_words::focus_select),
    rw("EscapeClear", "Boolean", numeric_words::escape_clear), rw("Blink", "Boolean"), rw("BlinkOnError", "Boolean"),
    read_only, about,
};

constexpr std::array custom_slots{Slot{"GetChars", Method, "Void", words::none}};

// ---------------------------------------------------------------------------------------------
// Event interfaces, in declared order.

// The currency and percent boxes raise the text box's events less its first two, the mouse's.
constexpr std::array text_events{
    EventInfo{"Click", {}, "Occurs when the user presses and then releases a mouse button over an object."},
    EventInfo{"DblClick", {},
              "Occurs when the user presses and releases a mouse button and then presses and releases it again over "
              "an object."},
    EventInfo{"KeyUp", key_code_params, "Occurs when the user releases a key while an object has the focus."},
    EventInfo{"Change", {}, words::none},
    EventInfo{"KeyDown", key_code_params, "Occurs when the user presses a key while an object has the focus."},
    EventInfo{"KeyPress", key_ascii_params, "Occurs when the user presses and releases an ANSI key."},
};
constexpr auto numeric_events = std::span(text_events).subspan(2);

constexpr std::array masked_events{
    EventInfo{"KeyDown", key_code_params, words::none},
    EventInfo{"KeyPress", key_ascii_params, words::none},
    EventInfo{"KeyUp", key_code_params, words::none},
    EventInfo{"Change", {}, words::none},
    EventInfo{"Validate", {}, words::none},
};

// ---------------------------------------------------------------------------------------------

constexpr std::array classes{
    ClassInfo{"txtNorvText", "_txtNorvText", "__txtNorvText", ClassKind::Control, slots_of<text_entries>,
              text_events},
    ClassInfo{"txtNorvDate", "_txtNorvDate", "__txtNorvDate", ClassKind::Control, slots_of<date_entries>,
              masked_events},
    ClassInfo{"txtNorvTelephone", "_txtNorvTelephone", "__txtNorvTelephone", ClassKind::Control,
              slots_of<telephone_entries>, masked_events},
    ClassInfo{"txtNorvSocialSecurity", "_txtNorvSocialSecurity", "__txtNorvSocialSecurity",
              ClassKind::Control, slots_of<ssn_entries>, masked_events},
    ClassInfo{"txtNorvZip", "_txtNorvZip", "__txtNorvZip", ClassKind::Control, slots_of<zip_entries, false>,
              masked_events},
    ClassInfo{"txtNorvCurrency", "_txtNorvCurrency", "__txtNorvCurrency", ClassKind::Control,
              slots_of<numeric_entries>, numeric_events},
    ClassInfo{"txtNorvPercent", "_txtNorvPercent", "__txtNorvPercent", ClassKind::Control,
              slots_of<numeric_entries>, numeric_events},
    ClassInfo{"Custom", "_Custom", "", ClassKind::Page, custom_slots, {}},
};

constexpr TypeLibrary library{"NorvTextLib", "2.1", 0x409, enums, classes};

// ---------------------------------------------------------------------------------------------
// Text form.

// Each accessor's word, in Accessor order.
constexpr std::array<std::string_view, 4> accessor_words{"get", "put", "putref", "method"};

// An entry's description, which ends its line: quoted with the script host's literal
// escapes, so every entry stays on one line.
void append_description(std::string& out, std::string_view text) {
    out += " \"";
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        } else {
            if (c == '"' || c == '\\') out += '\\';
            out += c;
        }
    }
    out += "\"\n";
}

void append_params(std::string& out, std::span<const Param> params) {
    out += '(';
    for (std::size_t i = 0; i < params.size(); ++i)
        out.append(i > 0 ? ", " : "").append(params[i].name).append(" ").append(params[i].type);
    out += ')';
}

}  // namespace

int ClassInfo::entry_number(std::size_t slot_index) const {
    if (slot_index >= slots.size())
        throw std::out_of_range("entry_number: slot index past the end of " + std::string(name));
    int entry = 0;
    // A new member starts a new entry; accessors that sit apart are separate entries.
    for (std::size_t i = 0; i <= slot_index; ++i)
        if (i == 0 || slots[i].member != slots[i - 1].member) ++entry;
    return entry;
}

const TypeLibrary& type_library() { return library; }

std::string typelib_text(const TypeLibrary& lib) {
    std::string out;
    // One entry's words, space-separated, opening its line.
    const auto line = [&out](std::string_view kind, std::initializer_list<std::string_view> words) {
        out += kind;
        for (const std::string_view w : words) out.append(1, ' ').append(w);
    };
    char lcid[16];
    std::snprintf(lcid, sizeof lcid, "0x%x", static_cast<unsigned>(lib.lcid));
    line("library", {lib.name, lib.version, lcid});
    out += '\n';

    for (const EnumInfo& info : lib.enums) {
        line("enum", {info.name});
        for (const EnumMember& member : info.members)
            out += ' ' + std::string(member.name) + '=' + std::to_string(member.value);
        out += '\n';
    }

    for (const ClassInfo& info : lib.classes) {
        line("class", {info.name, info.default_interface, info.event_interface.empty() ? "-" : info.event_interface,
                       info.kind == ClassKind::Page ? "page" : "control"});
        out += '\n';
        for (std::size_t i = 0; i < info.slots.size(); ++i) {
            const Slot& slot = info.slots[i];
            line("slot", {info.name, std::to_string(info.entry_number(i)), slot.member,
                          accessor_words[static_cast<std::size_t>(slot.accessor)], slot.type});
            if (slot.accessor == Method) append_params(out, slot.params);
            if (slot.standard_font_id) out += " id=-512";
            append_description(out, slot.description);
        }
        for (std::size_t i = 0; i < info.events.size(); ++i) {
            const EventInfo& event = info.events[i];
            line("event", {info.name, std::to_string(i + 1), event.name});
            if (!event.params.empty()) append_params(out, event.params);
            append_description(out, event.description);
        }
    }
    return out;
}

}  // namespace norvtext
