// txtNorvTelephone: the telephone box. A number of 7, 10, 11 or 12 digits typed into a
// masked box with bracketed area code and dash; checked for completeness on leaving.
#pragma once

#include <cstdint>

#include "norvtext/controls/format_mask_box.hpp"

namespace norvtext {

// The published shapes; FormatMask keeps any value, and one outside these shows the ten-digit
// shape and is not checked on leaving.
enum class FormatMaskEnum : std::int32_t {
    digit10 = 0,
    digit7 = 1,
    digit11 = 2,
    digit12 = 3,
};

class txtNorvTelephone : public FormatMaskBoxBase {
public:
    explicit txtNorvTelephone(Host& host);

    FormatMaskEnum FormatMask() const { return static_cast<FormatMaskEnum>(format_mask_); }
    void setFormatMask(FormatMaskEnum New_FormatMask) { set_format_mask(static_cast<std::int32_t>(New_FormatMask)); }

protected:
    bool checks_entry() const override { return in_range(); }
    // Value written without a digit and no blink asked for: whatever blinked stops.
    void settle_without_digits() override { end_blink(); }
};

}  // namespace norvtext
