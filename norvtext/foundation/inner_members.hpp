// The inner box's pass-through members as one table: each member's name (also its bag key),
// the one form every inner box keeps its value in, whether program code may write it, and
// the value a new box starts with, which is also the bag's default for a persisted member.
// The controls' accessors, both inner boxes, the type library and the bag layouts read it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

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

enum class MemberAccess : std::uint8_t {
    ReadWrite,
    // Set when the box is designed; the general box publishes only a reader.
    Design,
};

struct InnerMemberInfo {
    std::string_view name;
    MemberKind kind;
    MemberAccess access;
    bool persisted;  // kept in the bag under its name by the boxes that publish it
    // The design value, in the member's kind: a number (Colour, Boolean, Integer, Long) or
    // a text (Text, Char). A Font starts as the host's ambient font, a Picture as none.
    std::int64_t number;
    std::u16string_view text;
};

// One row per member, in InnerMember order.
#define NORVTEXT_INNER_MEMBERS(X)                                                       \
    X(BackColor, Colour, ReadWrite, true, system_window_background, u"")               \
    X(ForeColor, Colour, ReadWrite, true, system_window_text, u"")                     \
    X(Enabled, Boolean, ReadWrite, true, 1, u"")                                       \
    X(MousePointer, Integer, ReadWrite, true, 0, u"")                                  \
    X(MouseIcon, Picture, ReadWrite, true, 0, u"")                                     \
    X(Font, Font, ReadWrite, true, 0, u"")                                             \
    X(PasswordChar, Char, ReadWrite, true, 0, u"")                                     \
    X(Locked, Boolean, ReadWrite, true, 0, u"")                                        \
    X(LinkItem, Text, ReadWrite, true, 0, u"")                                         \
    X(LinkMode, Long, ReadWrite, true, 0, u"")                                         \
    X(LinkTimeout, Integer, ReadWrite, true, 50, u"")                                  \
    X(LinkTopic, Text, ReadWrite, true, 0, u"")                                        \
    X(ToolTipText, Text, ReadWrite, true, 0, u"")                                      \
    X(RightToLeft, Boolean, ReadWrite, true, 0, u"")                                   \
    X(OLEDragMode, Long, ReadWrite, true, 0, u"")                                      \
    X(OLEDropMode, Long, ReadWrite, true, 0, u"")                                      \
    X(hWnd, Long, Design, false, 0, u"")                                               \
    X(Alignment, Long, Design, false, 0, u"")                                          \
    X(Appearance, Long, Design, false, 1, u"")                                         \
    X(BorderStyle, Long, Design, false, 1, u"")                                        \
    X(MultiLine, Boolean, Design, false, 0, u"")                                       \
    X(ScrollBars, Long, Design, false, 0, u"")                                         \
    /* the masked box's own */                                                          \
    X(PromptChar, Char, ReadWrite, true, 0, u"_")                                      \
    X(HideSelection, Boolean, Design, false, 1, u"")

enum class InnerMember : std::uint8_t {
#define NORVTEXT_INNER_ENUM(name, ...) name,
    NORVTEXT_INNER_MEMBERS(NORVTEXT_INNER_ENUM)
#undef NORVTEXT_INNER_ENUM
};

std::span<const InnerMemberInfo> inner_members();
inline constexpr int inner_member_count = 24;
const InnerMemberInfo& inner_info(InnerMember m);
// The member of that name, or nullptr.
const InnerMember* find_inner_member(std::string_view name);

// The value converted to the member's kind.
Variant to_member_kind(InnerMember m, const Variant& value);
// The value a new box starts with; `font` stands for the Font member's design value.
Variant design_value(InnerMember m, const FontRef& font);

}  // namespace norvtext
