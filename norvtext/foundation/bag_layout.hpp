// A control class's persistence as data: the keys a load reads and a save writes, in their
// fixed orders, with the defaults of each. One routine walks a layout for every class.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "norvtext/platform/variant.hpp"

namespace norvtext {

class BoxBase;

// The reading and writing default of a text key that no box ever shows, so the shown text
// is in effect always written.
inline constexpr std::u16string_view never_shown_text = u"Krovint";

// A key a class keeps in a field of its own, or keeps its own way.
struct BagKey {
    enum class WriteDefault { AsRead, Own, None };

    // The key, or "KEY:role" where one key is read or written for two things.
    std::string_view id;
    Variant read_default;
    void (*load)(BoxBase& box, const Variant& value) = nullptr;
    Variant (*save)(const BoxBase& box) = nullptr;
    WriteDefault write = WriteDefault::AsRead;
    Variant write_default = {};  // with WriteDefault::Own
};

// The orders are names separated by blanks. A name is an id of `keys`, a key every control
// keeps alike (FocusSelect, EscapeClear, ReadOnly, Blink, BlinkOnError, SelLength, SelStart,
// SelText), or
// an inner member, kept as the inner box keeps it with its design value as the default:
//   NAME:Long, NAME:Integer   the member goes into the bag as that kind (read and written)
//   NAME!                     loading goes through the property writer, which announces it
// In `load`, "*STEP" runs the key "*STEP", which reads nothing.
struct BagLayout {
    std::string load;
    std::string save;
    std::vector<BagKey> keys;
};

// A key the class keeps in the field `F` (a pointer to a data member) as it is; the class and
// the field's type are read off the pointer's own type.
template <auto F>
BagKey field_key(std::string_view id, Variant read_default) {
    return [&]<class Box, class T>(T Box::*) -> BagKey {
        return {id, std::move(read_default),
                [](BoxBase& b, const Variant& v) { static_cast<Box&>(b).*F = variant_as<T>(v); },
                [](const BoxBase& b) { return to_variant(static_cast<const Box&>(b).*F); }};
    }(F);
}

// The concrete class behind a layout's key functions, const where the box is.
template <class Box, class Base>
auto& as(Base& box) {
    return static_cast<std::conditional_t<std::is_const_v<Base>, const Box, Box>&>(box);
}

}  // namespace norvtext
