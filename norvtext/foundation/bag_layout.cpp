// The one load and the one save: a class's bag layout walked name by name.
#include "norvtext/foundation/bag_layout.hpp"

#include <algorithm>
#include <stdexcept>

#include "norvtext/foundation/box_base.hpp"

namespace norvtext {

namespace {

template <class Each>
void for_each_name(std::string_view order, Each&& each) {
    // Written out, not with views::split: clang's fuzz build cannot take that over libstdc++.
    for (std::size_t start = order.find_first_not_of(' '); start != order.npos;
         start = order.find_first_not_of(' ', start)) {
        const std::size_t end = std::min(order.find(' ', start), order.size());
        each(order.substr(start, end - start));
        start = end;
    }
}

const BagKey* find_key(const std::vector<BagKey>& keys, std::string_view id) {
    const auto it = std::ranges::find(keys, id, &BagKey::id);
    return it == keys.end() ? nullptr : &*it;
}

std::string_view key_of(std::string_view id) { return id.substr(0, id.find(':')); }

// An inner member named in an order, with the kind it takes in the bag.
struct MemberInBag {
    InnerMember member;
    std::string_view key;
    std::string_view kind;  // "", "Long" or "Integer"

    Variant as_kind(const Variant& v) const {
        if (kind == "Long") return Variant(v.to_long());
        if (kind == "Integer") return Variant(v.to_integer());
        return v;
    }
};

MemberInBag member_in_bag(std::string_view name) {
    const std::string_view key = key_of(name);
    const auto m = find_inner_member(key);
    if (!m) throw std::logic_error("bag layout names no key or member: " + std::string(name));
    return {*m, key, name.size() > key.size() ? name.substr(key.size() + 1) : std::string_view{}};
}

}  // namespace

const std::vector<BagKey>& BoxBase::shared_bag_keys() {
    static const std::vector<BagKey> keys{
        field_key<&BoxBase::focus_select_>("FocusSelect", Variant(true)),
        field_key<&BoxBase::escape_clear_>("EscapeClear", Variant(true)),
        field_key<&BoxBase::blink_on_error_>("BlinkOnError", Variant(true)),
        field_key<&BoxBase::read_only_>("ReadOnly", Variant(false)),
        // Straight into the timer: loading does not run the Blink writer's selection step.
        {"Blink", Variant(false), [](BoxBase& b, const Variant& v) { b.Timer1.set_enabled(v.to_boolean()); },
         [](const BoxBase& b) { return Variant(b.Timer1.enabled()); }},
        {"SelLength", Variant(std::int32_t{0}), [](BoxBase& b, const Variant& v) { b.Textbox.set_sel_length(v.to_long()); },
         [](const BoxBase& b) { return Variant(b.Textbox.sel_length()); }},
        {"SelStart", Variant(std::int32_t{0}), [](BoxBase& b, const Variant& v) { b.Textbox.set_sel_start(v.to_long()); },
         [](const BoxBase& b) { return Variant(b.Textbox.sel_start()); }},
        {"SelText", Variant(u""), [](BoxBase& b, const Variant& v) { b.Textbox.set_sel_text(v.to_string()); },
         [](const BoxBase& b) { return Variant(b.Textbox.sel_text()); }},
    };
    return keys;
}

const BagKey* BoxBase::bag_key(std::string_view id) const {
    if (const BagKey* key = find_key(bag_layout().keys, id)) return key;
    return find_key(shared_bag_keys(), id);
}

void BoxBase::ReadProperties(PropertyBag& bag) {
    for_each_name(bag_layout().load, [&](std::string_view name) {
        const bool via_writer = name.back() == '!';
        if (via_writer) name.remove_suffix(1);
        if (const BagKey* key = bag_key(name)) {
            key->load(*this, name.front() == '*' ? Variant() : bag.read(key_of(key->id), key->read_default));
            return;
        }
        const MemberInBag m = member_in_bag(name);
        const Variant value = m.as_kind(bag.read(m.key, m.as_kind(design_value(m.member, host_.ambient_font()))));
        if (via_writer)
            put_bound(m.key, value);
        else
            Textbox.set_member(m.member, value);
    });
}

void BoxBase::WriteProperties(PropertyBag& bag) {
    for_each_name(bag_layout().save, [&](std::string_view name) {
        if (const BagKey* key = bag_key(name)) {
            using W = BagKey::WriteDefault;
            const Variant& written = key->write == W::Own ? key->write_default : key->read_default;
            bag.write(key_of(key->id), key->save(*this), key->write == W::None ? std::nullopt : std::optional(written));
            return;
        }
        const MemberInBag m = member_in_bag(name);
        bag.write(m.key, m.as_kind(Textbox.member(m.member)), m.as_kind(design_value(m.member, host_.ambient_font())));
    });
}

}  // namespace norvtext
