// The inner box's pass-through members as one table: each member's name (also its bag key),
// the one form every inner box keeps its value in, whether program code may write it, and
// the value a new box starts with, which is also the bag's default for a persisted member,
// and how the type library ordinarily publishes it. The controls' accessors, both inner
// boxes, the type library and the bag layouts read it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "norvtext/platform/variant.hpp"

namespace norvtext {

// What a member holds. A box converts every value written to this form, so a value that
// does not convert raises the conversion's error and leaves the member as it was.
enum class MemberKind : std::uint8_t {
    Colour,   // a Long's 32 bits
    Boolean,
    Integer,  // 16 bits
    Long,     // 32 bits
    Text,
    Char,     // one character at most: a longer text keeps its first
    Font,     // by reference
    Picture,  // by reference
};

struct InnerMemberInfo {
    std::string_view name;
    MemberKind kind;
    // The design value, in the member's kind: a number (Colour, Boolean, Integer, Long) or
    // a text (Text, Char). A Font starts as the host's ambient font, a Picture as none.
    std::int64_t number;
    std::u16string_view text;
    // The type and description the type library gives the member where a class keeps the
    // ordinary ones.
    std::string_view type;
    std::string_view description;
};

// One row per member, in InnerMember order: the members every control publishes, then the
// masked box's own, which no control publishes. Access is ReadWrite, or Design for a member
// set when the box is designed, of which the general box publishes only a reader.
#define NORVTEXT_INNER_MEMBERS(X) NORVTEXT_SHARED_INNER_MEMBERS(X) NORVTEXT_MASKED_INNER_MEMBERS(X)
#define NORVTEXT_SHARED_INNER_MEMBERS(X)                                                                          \
    X(BackColor, Colour, ReadWrite, system_window_background, u"", "Colour",                                      \
      "Returns/sets the background color used to display text and graphics in an object.")                        \
    X(ForeColor, Colour, ReadWrite, system_window_text, u"", "Colour",                                            \
      "Returns/sets the foreground color used to display text and graphics in an object.")                        \
    X(Enabled, Boolean, ReadWrite, 1, u"", "Boolean",                                                             \
      "Returns/sets a value that determines whether an object can respond to user-generated events.")             \
    X(MousePointer, Integer, ReadWrite, 0, u"", "Integer",                                                        \
      "Returns/sets the type of mouse pointer displayed when over part of an object.")                            \
    X(MouseIcon, Picture, ReadWrite, 0, u"", "Picture", "Sets a custom mouse icon.")                              \
    X(Font, Font, ReadWrite, 0, u"", "Font", "Returns a Font object.")                                            \
    X(PasswordChar, Char, ReadWrite, 0, u"", "String",                                                            \
      "Returns/sets a value that determines whether characters typed by a user or placeholder characters are "    \
      "displayed in a control.")                                                                                  \
    X(Locked, Boolean, ReadWrite, 0, u"", "Boolean", "Determines whether a control can be edited.")               \
    X(LinkItem, Text, ReadWrite, 0, u"", "String",                                                                \
      "Returns/sets the data passed to a destination control in a DDE conversation with another application.")    \
    X(LinkMode, Long, ReadWrite, 0, u"", "LinkModeEnum",                                                          \
      "Returns/sets the type of link used for a DDE conversation and activates the connection.")                  \
    X(LinkTimeout, Integer, ReadWrite, 50, u"", "Integer",                                                        \
      "Returns/sets the amount of time a control waits for a response to a DDE message.")                         \
    X(LinkTopic, Text, ReadWrite, 0, u"", "String",                                                               \
      "Returns/sets the source application and topic for a destination control.")                                 \
    X(ToolTipText, Text, ReadWrite, 0, u"", "String",                                                             \
      "Returns/sets the text displayed when the mouse is paused over the control.")                               \
    X(RightToLeft, Boolean, ReadWrite, 0, u"", "Boolean",                                                         \
      "Determines text display direction and control visual appearance on a bidirectional system.")               \
    X(OLEDragMode, Long, ReadWrite, 0, u"", "AutoManualEnum",                                                     \
      "Returns/Sets whether this object can act as an OLE drag/drop source, and whether this process is started " \
      "automatically or under programmatic control.")                                                             \
    X(OLEDropMode, Long, ReadWrite, 0, u"", "DragModeEnum",                                                       \
      "Returns/Sets whether this object can act as an OLE drop target, and whether this takes place "             \
      "automatically or under programmatic control.")                                                             \
    X(hWnd, Long, Design, 0, u"", "Long",                                                                         \
      "Returns a handle (from the windowing system) to an object's window.")                                      \
    X(Alignment, Long, Design, 0, u"", "AlignmentEnum",                                                           \
      "Returns/sets the alignment of a CheckBox or OptionButton, or a control's text.")                           \
    X(Appearance, Long, Design, 1, u"", "AppearanceEnum",                                                         \
      "Returns/sets whether or not an object is painted at run time with 3-D effects.")                           \
    X(BorderStyle, Long, Design, 1, u"", "BorderstyleEnum", "Returns/sets the border style for an object.")       \
    X(MultiLine, Boolean, Design, 0, u"", "Boolean",                                                              \
      "Returns/sets a value that determines whether a control can accept multiple lines of text.")                \
    X(ScrollBars, Long, Design, 0, u"", "ScrollBarEnum",                                                          \
      "Returns/sets a value indicating whether an object has vertical or horizontal scroll bars.")
#define NORVTEXT_MASKED_INNER_MEMBERS(X)                     \
    X(PromptChar, Char, ReadWrite, 0, u"_", "String", "")    \
    X(HideSelection, Boolean, Design, 1, u"", "Boolean", "")

enum class InnerMember : std::uint8_t {
#define NORVTEXT_INNER_ENUM(name, ...) name,
    NORVTEXT_INNER_MEMBERS(NORVTEXT_INNER_ENUM)
#undef NORVTEXT_INNER_ENUM
};

inline constexpr std::array inner_member_rows{
#define NORVTEXT_INNER_ROW(name, kind, access, number, text, type, description) \
    InnerMemberInfo{#name, MemberKind::kind, static_cast<std::int64_t>(number), text, type, description},
    NORVTEXT_INNER_MEMBERS(NORVTEXT_INNER_ROW)
#undef NORVTEXT_INNER_ROW
};

constexpr const InnerMemberInfo& inner_info(InnerMember m) { return inner_member_rows[static_cast<std::size_t>(m)]; }
// The member of that name, if there is one.
std::optional<InnerMember> find_inner_member(std::string_view name);

// The value converted to the member's kind.
Variant to_member_kind(InnerMember m, const Variant& value);
// The value a new box starts with; `font` stands for the Font member's design value.
Variant design_value(InnerMember m, const FontRef& font);

// The members an inner box keeps: those written since it was made, each converted to its
// kind, while the others read as their design values. A form of a thousand boxes keeps a
// few members each, not every one. The Font is an object the box keeps from the start, so
// that every read gives the same one.
class InnerMemberValues {
public:
    explicit InnerMemberValues(FontRef design_font) { values_.emplace_back(InnerMember::Font, Variant(std::move(design_font))); }
    Variant get(InnerMember m) const;
    // Converts first, so a value that does not convert raises and nothing changes.
    const Variant& set(InnerMember m, const Variant& value);

private:
    std::vector<std::pair<InnerMember, Variant>> values_;
};

}  // namespace norvtext
