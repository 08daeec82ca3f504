// txtNorvSocialSecurity: the social security number box. Nine digits shown as three, two
// and four joined by dashes; checked for all nine on leaving.
#pragma once

#include <string>
#include <string_view>

#include "norvtext/controls/digits.hpp"

namespace norvtext {

class txtNorvSocialSecurity : public DigitBoxBase {
public:
    explicit txtNorvSocialSecurity(Host& host);

    void InitProperties() override;

    // The shown text once a digit has been typed (prompts included), otherwise "".
    std::u16string Text() const { return shown_text(); }
    // Exactly nine digit characters make a number; any other positive number clears the
    // box and, with BlinkOnError, blinks.
    void setText(std::u16string_view New_Text);
    Variant Value() const { return typed_number(); }
    // Any positive number up to 999999999, rounded to a whole number and padded with
    // leading zeros; a larger one or a value without digits clears the box and, with
    // BlinkOnError, blinks.
    void setValue(const Variant& New_Value);
    using BoxBase::BlinkOnError;
    using BoxBase::setBlinkOnError;

protected:
    const BagLayout& bag_layout() const override;
    const DigitRow& row() const override;

    const Members* bound_members() const override;

private:
    // A whole number from 1 to 999999999 shown with the pattern and stored; zero or less
    // clears the box quietly.
    void show_number(double number);
    // Unusable: the box empties and blinks when BlinkOnError says so.
    void clear_and_flag();
};

}  // namespace norvtext
