// txtNorvCurrency: one money amount typed as a bare number ("1234.5") and shown as
// "$#,##.00" ("$1,234.50") whenever the box does not have the focus. Every conversion goes
// through the platform's fixed-point amount, so amounts are exact to four decimal places.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "norvtext/controls/numeric_box.hpp"

namespace norvtext {

class txtNorvCurrency : public NumericBoxBase {
public:
    explicit txtNorvCurrency(Host& host);

    // The amount's plain form ("1234.5"), "0" for zero and for a text that is no amount.
    std::u16string Value() const override;
    // The display form ("$1,234.50"), also while the user edits the plain form.
    std::u16string Text() const override;
    void setText(std::u16string_view New_Text) override;

private:
    const BagLayout& bag_layout() const override;
    std::optional<std::u16string> shown_text(std::u16string_view number_text) const override;
    void unformat() override;
};

}  // namespace norvtext
