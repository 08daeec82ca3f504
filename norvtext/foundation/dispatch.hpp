// Late binding: read, write and invoke a control's members by name with Variant arguments.
// The type library decides whether a member exists, whether it may be written and what
// type an argument converts to; a control only binds names to its own accessors.
#pragma once

#include <functional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "norvtext/foundation/type_library.hpp"
#include "norvtext/platform/error.hpp"
#include "norvtext/platform/variant.hpp"

namespace norvtext {

class Dispatch {
public:
    virtual ~Dispatch() = default;

    virtual const ClassInfo& class_info() const = 0;

    // 438 when the class has no such member, 383 when writing a member without a writer.
    Variant get(std::string_view member);
    void put(std::string_view member, const Variant& value);
    void putref(std::string_view member, const Variant& value);
    Variant invoke(std::string_view method, std::span<const Variant> args);

protected:
    // Called after the type library's checks, with the value already converted to the
    // member's type.
    virtual Variant get_member(std::string_view member) = 0;
    virtual void put_member(std::string_view member, const Variant& value) = 0;
    virtual Variant invoke_member(std::string_view method, std::span<const Variant> args);
    // The locale text arguments are read with.
    virtual const Locale& argument_locale() const { return Locale::en_us(); }
};

// Converts a value to a member type named by the type library.
Variant convert_to_member_type(const Variant& value, std::string_view type_name, const Locale& loc);

// A name -> accessor table for one class.
template <class Box>
class MemberTable {
public:
    using Getter = std::function<Variant(Box&)>;
    using Putter = std::function<void(Box&, const Variant&)>;
    struct Row {
        std::string_view name;
        Getter get;
        Putter put;
    };

    MemberTable(std::initializer_list<Row> rows) {
        for (const Row& r : rows) add(r);
    }
    bool contains(std::string_view name) const { return rows_.count(name) != 0; }

    // A member the type library publishes but the class does not bind is a programming
    // error of the class; report it as unsupported rather than crash.
    Variant get(Box& box, std::string_view name) const {
        auto it = rows_.find(name);
        if (it == rows_.end() || !it->second.get) raise(ErrorCode::NotSupported);
        return it->second.get(box);
    }
    void put(Box& box, std::string_view name, const Variant& v) const {
        auto it = rows_.find(name);
        if (it == rows_.end() || !it->second.put) raise(ErrorCode::NotSupported);
        it->second.put(box, v);
    }

private:
    void add(const Row& r) { rows_.insert_or_assign(r.name, r); }
    std::unordered_map<std::string_view, Row> rows_;
};

}  // namespace norvtext
