// The library's published interface description (NorvTextLib 2.1, locale 0x409): classes,
// enumerations, members in slot order with type, access and description, and events. It is
// data: the late-bound dispatch, property browsers, the script host and the Qt adapter all
// read it, and nothing else repeats the member tables.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace norvtext {

// The row of a table of named rows (classes, enumerations, control classes) with that name,
// or nullptr.
template <class Rows>
auto find_named(const Rows& rows, std::string_view name) {
    const auto it = std::ranges::find(rows, name, &std::ranges::range_value_t<Rows>::name);
    return it == std::ranges::end(rows) ? nullptr : &*it;
}

enum class Accessor { Get, Put, PutRef, Method };

struct Param {
    std::string_view name;
    std::string_view type;
};

// One accessor of one member, in the default interface's slot order.
struct Slot {
    std::string_view member;
    Accessor accessor;
    // "Integer", "Long", "Boolean", "String", "Variant", "Colour", "Font", "Picture", an
    // enumeration's name, or "HostEnum"; for a method, its result type ("Void" for none).
    std::string_view type;
    std::string_view description;
    bool standard_font_id = false;  // carries the standard font member's identifier (-512)
    std::span<const Param> params = {};
};

struct EventInfo {
    std::string_view name;
    std::span<const Param> params;
    std::string_view description;
};

struct EnumMember {
    std::string_view name;
    std::int32_t value;
};

struct EnumInfo {
    std::string_view name;
    std::span<const EnumMember> members;  // in value order
};

enum class ClassKind { Control, Page };

struct ClassInfo {
    std::string_view name;
    std::string_view default_interface;
    std::string_view event_interface;  // empty: none
    ClassKind kind;
    std::span<const Slot> slots;
    std::span<const EventInfo> events;

    // The slot of a member with the given accessor, or nullptr.
    const Slot* find(std::string_view member, Accessor accessor) const {
        for (const Slot& slot : slots)
            if (slot.member == member && slot.accessor == accessor) return &slot;
        return nullptr;
    }
    bool has_member(std::string_view member) const {
        return std::ranges::find(slots, member, &Slot::member) != slots.end();
    }
    // 1-based entry number of slot index i: a reader and writer side by side are one entry.
    int entry_number(std::size_t slot_index) const;
};

struct TypeLibrary {
    std::string_view name;
    std::string_view version;
    std::uint32_t lcid;
    std::span<const EnumInfo> enums;
    std::span<const ClassInfo> classes;

    const ClassInfo* find_class(std::string_view class_name) const { return find_named(classes, class_name); }
    const EnumInfo* find_enum(std::string_view enum_name) const { return find_named(enums, enum_name); }
};

const TypeLibrary& type_library();

// The whole description as text, one line per library, enumeration, class, slot and event.
std::string typelib_text(const TypeLibrary& lib = type_library());

}  // namespace norvtext
