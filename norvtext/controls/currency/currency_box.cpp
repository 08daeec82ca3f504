// The currency box: its amount rules, its Text writer and its bag keys.
#include "norvtext/controls/currency/currency_box.hpp"

#include "norvtext/platform/numbers.hpp"

namespace norvtext {

namespace {
// "." and "," stand for the locale's decimal and grouping symbols; "$" is written as it is,
// whatever the locale's own currency sign.
constexpr std::u16string_view display_pattern = u"$#,##.00";
constexpr std::u16string_view zero_display = u"$0.00";
}  // namespace

txtNorvCurrency::txtNorvCurrency(Host& host)
    : NumericBoxBase(host, "txtNorvCurrency", zero_display, "amount in dollars and cents") {}

std::optional<std::u16string> txtNorvCurrency::shown_text(std::u16string_view number_text) const {
    // A number beyond the amount's range is no amount: it stays as typed and blinks like
    // any other text that is not a number.
    const std::optional<Currency> amount = parse_currency(number_text, locale());
    if (!amount) return std::nullopt;
    // An amount of exactly 0 shows the zero display; one that only rounds to 0 shows "$.00".
    if (amount->ticks == 0) return std::u16string(zero_display);
    return format_pattern(Decimal::from_currency(*amount), display_pattern, locale());
}

void txtNorvCurrency::unformat() {
    const std::optional<Decimal> number = parse_number(Textbox.text(), locale());
    if (!number) return;  // a text that is not a number stays for the user to mend
    // A number the amount cannot hold would only fail again on leaving: the box empties.
    const std::optional<Currency> amount = currency_from_decimal(*number);
    Textbox.set_text(amount ? currency_plain_text(*amount, locale()) : std::u16string());
}

std::u16string txtNorvCurrency::Value() const {
    const std::optional<Currency> amount = parse_currency(Textbox.text(), locale());
    return amount ? currency_plain_text(*amount, locale()) : u"0";  // zero ticks read "0" too
}

std::u16string txtNorvCurrency::Text() const {
    return shown_text(Textbox.text()).value_or(std::u16string(zero_display));
}

void txtNorvCurrency::setText(std::u16string_view New_Text) {
    if (std::optional<std::u16string> shown = shown_text(New_Text)) {
        show_assigned(*shown);
    } else {
        Textbox.set_text(zero_display);
        // Clearing the box through Text is no error; anything else blinks if the developer
        // asked for it.
        if (New_Text.empty())
            entry_valid();
        else
            refuse_entry();
        if (New_Text.empty() || !blink_on_error_)
            end_blink();
        else
            start_blink();
    }
    announce("Text");
}

const BagLayout& txtNorvCurrency::bag_layout() const {
    static const BagLayout layout = numeric_layout(
        zero_display, "BackColor Enabled Font MouseIcon MousePointer BackColor Enabled MousePointer",
        "BackColor Enabled Font MouseIcon MousePointer BackColor Enabled MousePointer MaxChars Text:shown ForeColor BackColor ForeColor Enabled MousePointer");
    return layout;
}

}  // namespace norvtext
