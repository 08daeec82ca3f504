// The host's property bag as the controls see it: lent to a control for one load or save.
#pragma once

#include <optional>
#include <string_view>

#include "norvtext/platform/variant.hpp"

namespace norvtext {

class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    // The stored value, or the default when the key is absent.
    virtual Variant read(std::string_view key, const Variant& default_value) = 0;
    // Stores the value; the bag may leave it out when it equals the default. A key written
    // with no default (std::nullopt) is always stored.
    virtual void write(std::string_view key, const Variant& value,
                       const std::optional<Variant>& default_value) = 0;
};

}  // namespace norvtext
