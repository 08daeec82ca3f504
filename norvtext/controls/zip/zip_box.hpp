// txtNorvZip: the ZIP code box. Five digits, four digits, or five and four joined by a
// dash; a five-digit entry in the long shape is completed with "-0000" on leaving.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "norvtext/controls/format_mask_box.hpp"

namespace norvtext {

// The published shapes; FormatMask keeps any value, and one outside these behaves as Zip5
// except for the two part properties, which then read "" and ignore writes.
enum class ZipFormatEnum : std::int32_t {
    Zip5 = 0,
    Zip4 = 1,
    Zip5Plus4 = 2,
};

class txtNorvZip : public FormatMaskBoxBase {
public:
    explicit txtNorvZip(Host& host);

    ZipFormatEnum FormatMask() const { return static_cast<ZipFormatEnum>(format_mask_); }
    void setFormatMask(ZipFormatEnum New_FormatMask) { set_format_mask(static_cast<std::int32_t>(New_FormatMask)); }

    // The five-digit part (Zip5, Zip5Plus4) and the four-digit part (Zip4, Zip5Plus4) of the
    // shown code. They leave the blink, the selection and the stored value alone.
    std::u16string Zip_5() const { return part_of(true); }
    void setZip_5(std::u16string_view New_Zip_5) { set_part(true, New_Zip_5); }
    std::u16string Zip_4() const { return part_of(false); }
    void setZip_4(std::u16string_view New_Zip_4) { set_part(false, New_Zip_4); }

protected:
    Variant completed(const Variant& digits) const override;
    bool complete_entry(std::u16string_view digits) override;
    void settle_without_digits() override {}  // a running blink keeps running

    const Members* bound_members() const override;

private:
    bool is(ZipFormatEnum f) const { return format_mask_ == static_cast<std::int32_t>(f); }
    // The shape has a five-digit part, a four-digit part.
    bool has_five() const { return is(ZipFormatEnum::Zip5) || is(ZipFormatEnum::Zip5Plus4); }
    bool has_four() const { return is(ZipFormatEnum::Zip4) || is(ZipFormatEnum::Zip5Plus4); }
    // A part read as a number and written with leading zeros ("00123").
    std::u16string part(std::u16string_view text, std::u16string_view pattern) const;
    // A part's reader and writer: the five-digit part or the four-digit one.
    std::u16string part_of(bool five_part) const;
    void set_part(bool five_part, std::u16string_view value);
};

}  // namespace norvtext
