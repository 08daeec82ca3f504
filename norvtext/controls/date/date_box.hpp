// txtNorvDate: the date box. One date, time of day, or date with time, typed into a masked
// box in one of eight fixed shapes; checked when the user leaves, converted on Text/Value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "norvtext/foundation/masked_box.hpp"

namespace norvtext {

// The published shapes of the box; FormatMask stores any value, and values outside these
// behave as MMDDYYYY.
enum class DateFormatEnum : std::int32_t {
    MMDDYYYY = 0,
    MMMDDYYYY = 1,
    MMMDDYY = 2,
    MMDDYYYYHHMMSS = 3,
    MMDDYYYYHHMM = 4,
    HHMM = 5,
    HHMMSS = 6,
    MMYY = 7,
};

class txtNorvDate : public MaskedControlBase {
public:
    explicit txtNorvDate(Host& host);

    void InitProperties() override;

    DateFormatEnum FormatMask() const { return format_mask_; }
    // Only the mask changes: a date already shown is not rewritten in the new pattern.
    void setFormatMask(DateFormatEnum New_FormatMask) {
        format_mask_ = New_FormatMask;
        SetMask();
        announce("FormatMask");
    }
    using BoxBase::BlinkOnError;
    using BoxBase::setBlinkOnError;
    // The shown text when it is a date, otherwise "".
    std::u16string Text() const;
    void setText(std::u16string_view New_Text);
    // The shown date as a Date, otherwise the Integer 0.
    Variant Value() const;
    void setValue(const Variant& New_Value);

    // Members the date box publishes with a writer.
    using BoxBase::setAppearance;
    using BoxBase::setBorderStyle;
    using BoxBase::sethWnd;

protected:
    const BagLayout& bag_layout() const override;
    void on_lost_focus() override;
    // Digits and the letters of AM and PM, the same for every shape; letters in upper case.
    char16_t admitted_char(char16_t c, std::size_t length) const override;
    std::string accessible_description() const override;

    const Members* bound_members() const override;

private:
    // The date test and conversion in one: the date a text denotes in the current shape.
    std::optional<DateSerial> date_of(std::u16string_view text) const;
    std::optional<DateSerial> date_of_value(const Variant& value) const;
    void SetMask();
    // Writes a date in the current shape's pattern, or the empty text when there is none.
    void ShowDate(const std::optional<DateSerial>& date);
    // The entry is no date in the current shape: it blinks when BlinkOnError says so.
    void refuse_entry();

    DateFormatEnum format_mask_ = DateFormatEnum::MMDDYYYY;
    Variant stored_value_;  // the bag's "Value" as the last load supplied it; only ever saved back
    std::u16string loaded_text_;  // the bag's "Text" until the loaded shape is known
};

}  // namespace norvtext
