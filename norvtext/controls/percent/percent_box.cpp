// The percent box: its number rules, its Text writer and its bag keys.
#include "norvtext/controls/percent/percent_box.hpp"

#include "norvtext/platform/numbers.hpp"

namespace norvtext {

namespace {
// "." stands for the locale's decimal symbol; no grouping. The "%" is a literal to the
// pattern formatter, so the whole display form is written in one pass.
constexpr std::u16string_view display_pattern = u"#.00%";
constexpr std::u16string_view zero_display = u"0.00%";

// The number part of a shown or assigned text: one trailing "%" is not part of a number.
std::u16string_view without_percent(std::u16string_view text) {
    if (!text.empty() && text.back() == u'%') text.remove_suffix(1);
    return text;
}
}  // namespace

txtNorvPercent::txtNorvPercent(Host& host) : NumericBoxBase(host, "txtNorvPercent", zero_display, "percentage") {}

std::optional<std::u16string> txtNorvPercent::shown_text(std::u16string_view number_text) const {
    const std::optional<double> number = parse_double(number_text, locale());
    if (!number) return std::nullopt;
    if (*number == 0) return std::u16string(zero_display);
    // Halves round away from zero on the number's shortest decimal text, so 1.005 shows
    // 1.01% as typed rather than as its binary value would round.
    return format_pattern(*number, display_pattern, locale());
}

void txtNorvPercent::unformat() {
    // Only the sign comes off: the user edits the two decimals as shown ("12.50").
    const std::u16string_view text = Textbox.text();
    if (!text.empty() && text.back() == u'%') Textbox.set_text(std::u16string(without_percent(text)));
}

std::u16string_view txtNorvPercent::number_text_for_max_chars() const {
    // A shown percentage is a number here: setting the limit must not flag "12.50%".
    return without_percent(Textbox.text());
}

std::u16string txtNorvPercent::Value() const {
    // The same number whether it is shown ("-3.00%") or being edited ("-3.00").
    const std::optional<double> number = parse_double(without_percent(Textbox.text()), locale());
    return number ? general_number_text(*number, locale()) : u"0";
}

std::u16string txtNorvPercent::Text() const {
    const std::optional<double> number = parse_double(without_percent(Textbox.text()), locale());
    return number ? format_pattern(*number, display_pattern, locale()) : std::u16string(zero_display);
}

void txtNorvPercent::setText(std::u16string_view New_Text) {
    if (std::optional<std::u16string> shown = shown_text(without_percent(New_Text))) {
        show_assigned(*shown);
    } else if (New_Text.empty()) {
        // An empty assignment keeps the text and ends any blinking; it checks nothing, so
        // the entry keeps its standing.
        end_blink();
    } else {
        // Not a number: the text stays and blinks, whatever BlinkOnError says.
        Textbox.set_sel_length(0);
        refuse_entry();
        start_blink();
    }
    remember_assigned();
    announce("Text");
}

const BagLayout& txtNorvPercent::bag_layout() const {
    // The font and the mouse icon go through the box's own writers, which announce them.
    static const BagLayout layout = numeric_layout(
        zero_display, "BackColor Enabled Font! MousePointer BackColor Enabled MousePointer MouseIcon! Font!",
        "BackColor Enabled Font MouseIcon MousePointer BackColor Enabled MousePointer MouseIcon MaxChars Text:shown ForeColor BackColor ForeColor Enabled MousePointer Font");
    return layout;
}

}  // namespace norvtext
