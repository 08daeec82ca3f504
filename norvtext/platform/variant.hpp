// Variant: the one tagged value type that crosses the controls' late-bound surface and the
// property bag, with the platform's conversion rules between its subtypes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "norvtext/platform/locale.hpp"

namespace norvtext {

// A font object; shared by reference between a control, its inner box and the host.
struct Font {
    std::u16string name = u"MS Sans Serif";
    double size = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// A picture object (a mouse icon); the bytes are the image file as stored (PNG).
struct Picture {
    std::vector<std::uint8_t> bytes;
    friend bool operator==(const Picture&, const Picture&) = default;
};

using FontRef = std::shared_ptr<Font>;
using PictureRef = std::shared_ptr<Picture>;

// 64-bit count of ten-thousandths: the platform's fixed-point money type.
struct Currency {
    std::int64_t ticks = 0;
    static constexpr std::int64_t scale = 10000;
    friend auto operator<=>(const Currency&, const Currency&) = default;
};

// Days since 1899-12-30 as a double; the fraction is the time of day.
struct DateSerial {
    double serial = 0;
    friend auto operator<=>(const DateSerial&, const DateSerial&) = default;
};

// A 32-bit colour; with the high bit set it names a system colour by index.
using Colour = std::uint32_t;
inline constexpr Colour system_window_background = 0x80000005u;
inline constexpr Colour system_window_text = 0x80000008u;

enum class VariantType : int {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,  // Nothing: an object reference that refers to nothing
    Boolean = 11,
    Font = 100,
    Picture = 101,
};

// The subtypes that hold no value, told apart by their type alone.
template <int Kind>
struct NoValue {
    friend bool operator==(NoValue, NoValue) = default;
};
using EmptyValue = NoValue<0>;
using NullValue = NoValue<1>;
using NothingValue = NoValue<2>;

class Variant {
public:
    Variant() = default;
    Variant(EmptyValue) {}
    Variant(NullValue v) : v_(v) {}
    Variant(NothingValue v) : v_(v) {}
    Variant(bool b) : v_(b) {}
    Variant(std::int16_t i) : v_(i) {}
    Variant(std::int32_t l) : v_(l) {}
    Variant(double d) : v_(d) {}
    Variant(Currency c) : v_(c) {}
    Variant(DateSerial d) : v_(d) {}
    Variant(std::u16string s) : v_(std::move(s)) {}
    Variant(std::u16string_view s) : v_(std::u16string(s)) {}
    Variant(const char16_t* s) : v_(std::u16string(s)) {}
    // A null pointer makes Nothing.
    Variant(FontRef f) : v_(f ? Storage(std::move(f)) : Storage(NothingValue{})) {}
    Variant(PictureRef p) : v_(p ? Storage(std::move(p)) : Storage(NothingValue{})) {}

    static Variant null() { return Variant(NullValue{}); }
    static Variant nothing() { return Variant(NothingValue{}); }

    VariantType type() const noexcept;
    bool is_empty() const noexcept { return std::holds_alternative<EmptyValue>(v_); }
    bool is_null() const noexcept { return std::holds_alternative<NullValue>(v_); }
    bool is_nothing() const noexcept { return std::holds_alternative<NothingValue>(v_); }
    bool is_string() const noexcept { return std::holds_alternative<std::u16string>(v_); }
    bool is_numeric_type() const noexcept;  // Integer, Long, Double, Currency, Boolean

    // Exact access; raise Type mismatch when the subtype differs.
    const std::u16string& string_ref() const;

    // Conversions by the platform's rules. Null raises Invalid use of Null (94), a text that
    // is not a number or date raises Type mismatch (13), an out-of-range number Overflow (6).
    // Integer and Long round halves to even.
    bool to_boolean(const Locale& loc = Locale::en_us()) const;
    std::int16_t to_integer(const Locale& loc = Locale::en_us()) const;
    std::int32_t to_long(const Locale& loc = Locale::en_us()) const;
    double to_double(const Locale& loc = Locale::en_us()) const;
    Currency to_currency(const Locale& loc = Locale::en_us()) const;
    DateSerial to_date(const Locale& loc = Locale::en_us()) const;
    std::u16string to_string(const Locale& loc = Locale::en_us()) const;
    Colour to_colour(const Locale& loc = Locale::en_us()) const;  // a Long's 32 bits
    // Object subtypes: Nothing gives nullptr; any other subtype raises Type mismatch.
    FontRef to_font() const;
    PictureRef to_picture() const;

    // Same subtype and same value (objects: same reference).
    friend bool operator==(const Variant& a, const Variant& b) { return a.v_ == b.v_; }

    using Storage = std::variant<EmptyValue, NullValue, NothingValue, bool, std::int16_t, std::int32_t,
                                 double, Currency, DateSerial, std::u16string, FontRef, PictureRef>;
    const Storage& storage() const noexcept { return v_; }

private:
    Storage v_;
};

// The subtype's name as the platform spells it ("Integer", "String", "Nothing", ...).
std::string_view type_name(VariantType t);

// A value as the C++ type of an accessor's parameter or a control's field: an enumeration
// through Long, a text as an owned string (so a text view parameter outlives the call).
template <class T>
auto variant_as(const Variant& v) {
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<U, Variant>) return v;
    else if constexpr (std::is_same_v<U, bool>) return v.to_boolean();
    else if constexpr (std::is_same_v<U, std::int16_t>) return v.to_integer();
    else if constexpr (std::is_same_v<U, std::int32_t>) return v.to_long();
    else if constexpr (std::is_enum_v<U>) return static_cast<U>(v.to_long());
    else return v.to_string();
}

// The value of an accessor's result or a field; an enumeration is a Long.
template <class T>
Variant to_variant(const T& value) {
    if constexpr (std::is_enum_v<T>) return Variant(static_cast<std::int32_t>(value));
    else return Variant(value);
}

}  // namespace norvtext
