// Late-bound member access checked against the type library.
#include "norvtext/foundation/dispatch.hpp"

namespace norvtext {

namespace {

// The type a member's writer takes; a member without that writer raises 383 when it has
// another accessor and 438 when the class has no such member.
std::string_view written_type(const ClassInfo& info, std::string_view member, const Slot* slot) {
    if (!slot) raise(info.has_member(member) ? ErrorCode::PropertyIsReadOnly : ErrorCode::NotSupported);
    return slot->type;
}

}  // namespace

Variant convert_to_member_type(const Variant& value, std::string_view type, const Locale& loc) {
    if (type == "Variant") return value;
    if (type == "Integer") return Variant(value.to_integer(loc));
    if (type == "Boolean") return Variant(value.to_boolean(loc));
    if (type == "String") return Variant(value.to_string(loc));
    if (type == "Double") return Variant(value.to_double(loc));
    if (type == "Colour") return Variant(static_cast<std::int32_t>(value.to_colour(loc)));
    if (type == "Font") return Variant(value.to_font());
    if (type == "Picture") return Variant(value.to_picture());
    // Long, the library's enumerations and the host's own enumerations are 32-bit numbers.
    return Variant(value.to_long(loc));
}

Variant Dispatch::get(std::string_view member) {
    if (!class_info().find(member, Accessor::Get)) raise(ErrorCode::NotSupported);
    Variant out;
    for (const Members* t = bound_members(); t; t = t->base)
        if (t->get(*this, member, out)) return out;
    return get_member(member);
}

void Dispatch::put_bound(std::string_view member, const Variant& value) {
    for (const Members* t = bound_members(); t; t = t->base)
        if (t->put(*this, member, value)) return;
    put_member(member, value);
}

void Dispatch::put(std::string_view member, const Variant& value) {
    const ClassInfo& info = class_info();
    // An object property is written by reference; a plain write of it is still accepted
    // when the value is an object, so callers need not know which is which.
    const Slot* slot = info.find(member, Accessor::Put);
    if (!slot) slot = info.find(member, Accessor::PutRef);
    put_bound(member, convert_to_member_type(value, written_type(info, member, slot), argument_locale()));
}

void Dispatch::putref(std::string_view member, const Variant& value) {
    const ClassInfo& info = class_info();
    const Slot* slot = info.find(member, Accessor::PutRef);
    // A member written by value is not written by reference: 438, not 383.
    if (!slot && info.find(member, Accessor::Put)) raise(ErrorCode::NotSupported);
    put_bound(member, convert_to_member_type(value, written_type(info, member, slot), argument_locale()));
}

Variant Dispatch::invoke(std::string_view method, std::span<const Variant> args) {
    const Slot* slot = class_info().find(method, Accessor::Method);
    if (!slot) raise(ErrorCode::NotSupported);
    if (args.size() != slot->params.size()) raise(ErrorCode::WrongArguments);
    std::vector<Variant> converted;
    converted.reserve(args.size());
    for (std::size_t i = 0; i < args.size(); ++i)
        converted.push_back(convert_to_member_type(args[i], slot->params[i].type, argument_locale()));
    return invoke_member(method, converted);
}

}  // namespace norvtext
