// The digit boxes (telephone, social security, ZIP): a row of digits laid into a fixed
// masked shape. The digit extraction, the layout of a number into a row and the typing and
// leaving rules they share live here once; each box brings its own rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "norvtext/foundation/masked_box.hpp"
#include "norvtext/platform/locale.hpp"
#include "norvtext/platform/variant.hpp"

namespace norvtext {

// One shape of a digit box: its input mask, the number pattern that lays a number into the
// mask's shape ("0" a digit position with leading zeros, everything else literal), how
// many digits a complete entry has, and in words the entry expected and why one is refused.
struct DigitRow {
    std::u16string_view mask;
    std::u16string_view pattern;
    std::size_t digits;
    std::string_view description;
    std::string_view reason;

    // The largest number the row holds: all of its positions nines.
    double largest() const;
};

// The numeric test on a value: numbers (Boolean included) and Empty are numeric,
// a text when it reads as a number as a whole; dates, Null and objects are not.
bool is_numeric_value(const Variant& value, const Locale& loc);

// The numeric reading: the number a text begins with (0 when none); a number is itself.
double numeric_reading(const Variant& value, const Locale& loc);

// The value itself when it is numeric as a whole, otherwise a String of the decimal digits of
// its text in their order (empty when there is none). Null raises Invalid use of Null.
// Positions are counted in a 16-bit signed counter: a text of 32,767 characters or more that
// is not numeric raises Overflow before anything is collected.
Variant DigitsOnly(const Variant& value, const Locale& loc);

class DigitBoxBase : public MaskedControlBase {
public:
    // Members the digit boxes publish with a writer.
    using BoxBase::setBorderStyle;

    // The last number assigned through Text or Value, or loaded; only ever saved.
    const Variant& stored_value() const { return stored_value_; }

protected:
    using MaskedControlBase::MaskedControlBase;

    // The row the box shows now.
    virtual const DigitRow& row() const = 0;

    Variant DigitsOnly(const Variant& value) const { return norvtext::DigitsOnly(value, locale()); }
    bool is_number(const Variant& value) const { return is_numeric_value(value, locale()); }

    // The masked text for a value: the row's empty text for anything that is not a number
    // or is zero, else the number laid into the row's pattern, rounded to a whole number.
    // A number with more digits than the row puts the surplus in front of the leftmost
    // position, a text the masked box refuses (380); it starts the blink first, so the user
    // sees the refusal too.
    std::u16string FormatDigits(const Variant& value);

    std::string accessible_description() const override { return std::string(row().description); }
    // The entry has not as many digits as the row needs.
    void refuse_entry() { entry_invalid(row().reason); }

    // Text reading: the inner text as shown once a digit has been typed, otherwise "".
    std::u16string shown_text() const {
        return is_number(DigitsOnly(Variant(Textbox.text()))) ? std::u16string(Textbox.text()) : std::u16string();
    }
    // Value reading: the digits in the box as one number (Double), or the Integer 0.
    Variant typed_number() const {
        const Variant digits = DigitsOnly(Variant(Textbox.text()));
        return is_number(digits) ? Variant(digits.to_double(locale())) : Variant(std::int16_t{0});
    }

    // Empties the box and stores the Integer 0.
    void clear_stored() {
        ClearText();
        stored_value_ = Variant(std::int16_t{0});
    }
    // The same for a number of zero or below: any blink stops and the selection goes.
    void clear_quietly() {
        clear_stored();
        accept_entry();
    }

    // Typing: digits and Backspace are offered to the host, every other key is dropped.
    char16_t admitted_char(char16_t c, std::size_t) const override { return c >= u'0' && c <= u'9' ? c : u'\0'; }
    // Leaving: an entry with digits, but not as many as the row holds, blinks and raises
    // Validate whatever BlinkOnError says; the text stays as typed.
    void on_lost_focus() override;
    // Whether leaving the box checks the entry at all.
    virtual bool checks_entry() const { return true; }
    // A chance to complete a short entry on leaving; true when it counts as complete.
    virtual bool complete_entry(std::u16string_view /*digits*/) { return false; }

    // The digit boxes read a saved selection's text in the host's locale.
    static BagKey sel_text_in_host_locale();
    // "Value": the stored value as saved, the Integer 0 by default.
    static BagKey stored_value_key() {
        return field_key<&DigitBoxBase::stored_value_>("Value", Variant(std::int16_t{0}));
    }

    const Members* bound_members() const override;

    Variant stored_value_ = Variant(std::int16_t{0});
};

}  // namespace norvtext
