// What the telephone and ZIP boxes share: a row chosen by FormatMask, Text and Value
// writers that lay out the digits given, a Variant BlinkOnError, and the same bag keys in
// the same order.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "norvtext/controls/digits.hpp"

namespace norvtext {

class FormatMaskBoxBase : public DigitBoxBase {
public:
    // First placement, the same for both boxes.
    void InitProperties() override;

    std::u16string Text() const { return shown_text(); }
    void setText(std::u16string_view New_Text);
    Variant Value() const { return typed_number(); }
    void setValue(const Variant& New_Value);
    // Any value that converts to a Boolean is accepted and kept as it was given.
    const Variant& BlinkOnError() const { return blink_on_error_value_; }
    // Any other is refused now (13, 94) rather than when a Value assignment consults it.
    void setBlinkOnError(const Variant& New_BlinkOnError) {
        (void)New_BlinkOnError.to_boolean(locale());
        blink_on_error_value_ = New_BlinkOnError;
        announce("BlinkOnError");
    }

    using BoxBase::sethWnd;

protected:
    // rows: the box's shapes by FormatMask value; any other value uses the first.
    FormatMaskBoxBase(Host& host, std::string_view class_name, std::span<const DigitRow> rows,
                      std::u16string_view design_mask, std::int32_t design_max_length)
        : DigitBoxBase(host, class_name, design_mask, design_max_length), rows_(rows) {}

    const DigitRow& row() const override {
        return in_range() ? rows_[static_cast<std::size_t>(format_mask_)] : rows_.front();
    }
    bool in_range() const { return format_mask_ >= 0 && static_cast<std::size_t>(format_mask_) < rows_.size(); }

    // Stores a new FormatMask and applies its mask; the inner box keeps the digits that fit.
    // Any number is kept; one without a row of its own uses the first row.
    void set_format_mask(std::int32_t New_FormatMask) {
        format_mask_ = New_FormatMask;
        SetMask();
        announce("FormatMask");
    }
    // Writes the current row's mask into the inner box.
    void SetMask() { masked().set_mask(row().mask); }

    // A positive number of digits, as the Text and Value writers and loading are about to
    // lay it out; a box may fill it up first. The result is what the box stores.
    virtual Variant completed(const Variant& digits) const { return digits; }
    // What Value written without a digit does beyond clearing, when BlinkOnError is false.
    virtual void settle_without_digits() = 0;

    const BagLayout& bag_layout() const override;
    const Members* bound_members() const override;

    std::int32_t format_mask_ = 0;
    Variant blink_on_error_value_ = Variant(true);  // kept as written, the Boolean switch unused

private:
    // Shows a positive number and stores it; the blink stops and the selection goes.
    void show_number(const Variant& digits);
    bool has_positive_number(const Variant& digits) const {
        return is_number(digits) && numeric_reading(digits, locale()) > 0;
    }

    std::span<const DigitRow> rows_;
    std::u16string loaded_text_;  // the bag's "Text" until the loaded FormatMask is known
};

}  // namespace norvtext
