// txtNorvPercent: one percentage typed as a bare number ("12.5", never scaled by 100) and
// shown with two decimals and a trailing "%" ("12.50%") whenever the box does not have the
// focus. Numbers are double precision.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "norvtext/controls/numeric_box.hpp"

namespace norvtext {

class txtNorvPercent : public NumericBoxBase {
public:
    explicit txtNorvPercent(Host& host);

    // The number's general text ("12.5", "-3"), shown or being edited alike; "0" for a text
    // that is not a number.
    std::u16string Value() const override;
    // The display form ("12.50%"); a number equal to 0 reads ".00%", a text that is not a
    // number "0.00%".
    std::u16string Text() const override;
    void setText(std::u16string_view New_Text) override;

private:
    const BagLayout& bag_layout() const override;
    std::optional<std::u16string> shown_text(std::u16string_view number_text) const override;
    void unformat() override;
    std::u16string_view number_text_for_max_chars() const override;
    void remember_assigned() override { stored_text_ = Textbox.text(); }
};

}  // namespace norvtext
