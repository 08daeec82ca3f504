// The inner box's pass-through members: the look-up by name and the conversions every box shares.
#include "norvtext/foundation/inner_members.hpp"

namespace norvtext {

std::optional<InnerMember> find_inner_member(std::string_view name) {
    for (std::size_t i = 0; i < inner_member_rows.size(); ++i)
        if (inner_member_rows[i].name == name) return static_cast<InnerMember>(i);
    return std::nullopt;
}

Variant to_member_kind(InnerMember m, const Variant& value) {
    switch (inner_info(m).kind) {
        case MemberKind::Colour: return Variant(static_cast<std::int32_t>(value.to_colour()));
        case MemberKind::Boolean: return Variant(value.to_boolean());
        case MemberKind::Integer: return Variant(value.to_integer());
        case MemberKind::Long: return Variant(value.to_long());
        case MemberKind::Text: return Variant(value.to_string());
        case MemberKind::Char: {
            std::u16string s = value.to_string();
            if (s.size() > 1) s.resize(1);
            return Variant(std::move(s));
        }
        case MemberKind::Font: return Variant(value.to_font());
        case MemberKind::Picture: return Variant(value.to_picture());
    }
    return value;
}

Variant design_value(InnerMember m, const FontRef& font) {
    const InnerMemberInfo& info = inner_info(m);
    switch (info.kind) {
        case MemberKind::Colour:
        case MemberKind::Long: return Variant(static_cast<std::int32_t>(info.number));
        case MemberKind::Boolean: return Variant(info.number != 0);
        case MemberKind::Integer: return Variant(static_cast<std::int16_t>(info.number));
        case MemberKind::Text:
        case MemberKind::Char: return Variant(info.text);
        case MemberKind::Font: return Variant(font);
        case MemberKind::Picture: return Variant::nothing();
    }
    return {};
}

Variant InnerMemberValues::get(InnerMember m) const {
    for (const auto& [which, value] : values_)
        if (which == m) return value;
    return design_value(m, nullptr);
}

const Variant& InnerMemberValues::set(InnerMember m, const Variant& value) {
    Variant kept = to_member_kind(m, value);
    for (auto& [which, v] : values_)
        if (which == m) return v = std::move(kept);
    return values_.emplace_back(m, std::move(kept)).second;
}

}  // namespace norvtext
