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

class Dispatch;

// One class's bound accessors, chained to its base class's: a member this table does not
// name is looked up in the base's.
class Members {
public:
    const Members* const base;
    // false when this table does not name the member; a named member without the accessor
    // raises 438, a programming error of the class rather than a crash.
    virtual bool get(Dispatch& box, std::string_view name, Variant& out) const = 0;
    virtual bool put(Dispatch& box, std::string_view name, const Variant& value) const = 0;

protected:
    explicit Members(const Members* base) : base(base) {}
    ~Members() = default;
};

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
    // The accessors the class binds itself, most derived first (see MemberTable); null when
    // every member is left to get_member and put_member.
    virtual const Members* bound_members() const { return nullptr; }
    // After the type library's checks, with the value already converted to the member's
    // type: the bound writer of the member, else put_member (get reads the same way).
    void put_bound(std::string_view member, const Variant& value);
    // What no bound table names: 438 unless a class says otherwise.
    virtual Variant get_member(std::string_view) { raise(ErrorCode::NotSupported); }
    virtual void put_member(std::string_view, const Variant&) { raise(ErrorCode::NotSupported); }
    virtual Variant invoke_member(std::string_view, std::span<const Variant>) { raise(ErrorCode::NotSupported); }
    // The locale text arguments are read with.
    virtual const Locale& argument_locale() const { return Locale::en_us(); }
};

// Converts a value to a member type named by the type library.
Variant convert_to_member_type(const Variant& value, std::string_view type_name, const Locale& loc);

// A name -> accessor table for one class.
template <class Box>
class MemberTable : public Members {
public:
    struct Row {
        std::string_view name;
        std::function<Variant(Box&)> get;
        std::function<void(Box&, const Variant&)> put;
    };

    // A row of the class's reader and writer, the value converted to and from their types.
    template <class R, class C, class A, class D>
    static Row bind(std::string_view name, R (C::*reader)() const, void (D::*writer)(A)) {
        return {name, [reader](Box& b) { return to_variant((b.*reader)()); },
                [writer](Box& b, const Variant& v) { (b.*writer)(variant_as<A>(v)); }};
    }

    // Rows of `more` replace rows of the same name in `rows`.
    MemberTable(std::initializer_list<Row> rows, const Members* base = nullptr, std::initializer_list<Row> more = {})
        : Members(base) {
        for (const Row& r : rows) rows_.insert_or_assign(r.name, r);
        for (const Row& r : more) rows_.insert_or_assign(r.name, r);
    }
    // The class's table, built on its first use. Each class's bound_members() is the one caller
    // for its Box, so every class keeps one table however many boxes it makes.
    static const Members* once(std::initializer_list<Row> rows, const Members* base = nullptr) {
        static const MemberTable table(rows, base);
        return &table;
    }
    // The same, with Text and Value bound as well: every control publishes both, each class
    // with its own types, so a class names only its other members.
    static const Members* once_with_text_and_value(std::initializer_list<Row> rows = {},
                                                   const Members* base = nullptr) {
        static const MemberTable table(
            rows, base, {bind("Text", &Box::Text, &Box::setText), bind("Value", &Box::Value, &Box::setValue)});
        return &table;
    }

    bool get(Dispatch& box, std::string_view name, Variant& out) const override {
        const auto it = rows_.find(name);
        if (it == rows_.end()) return false;
        if (!it->second.get) raise(ErrorCode::NotSupported);
        out = it->second.get(static_cast<Box&>(box));
        return true;
    }
    bool put(Dispatch& box, std::string_view name, const Variant& v) const override {
        const auto it = rows_.find(name);
        if (it == rows_.end()) return false;
        if (!it->second.put) raise(ErrorCode::NotSupported);
        it->second.put(static_cast<Box&>(box), v);
        return true;
    }

private:
    std::unordered_map<std::string_view, Row> rows_;
};

}  // namespace norvtext
