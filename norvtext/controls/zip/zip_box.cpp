// The ZIP box: its three shapes, the completion of a short long-shape entry, and the part
// properties Zip_5 and Zip_4.
#include "norvtext/controls/zip/zip_box.hpp"

#include <algorithm>
#include <array>

#include "norvtext/platform/numbers.hpp"

namespace norvtext {

namespace {
constexpr std::array<DigitRow, 3> rows{{
    {u"#####", u"00000", 5, "ZIP code, five digits", "five digits needed"},
    {u"####", u"0000", 4, "ZIP code extension, four digits", "four digits needed"},
    // Five digits are completed with a zero extension on leaving, so both counts stand.
    {u"#####-####", u"00000-0000", 9, "ZIP+4 code, five digits and four more", "five or nine digits needed"},
}};
constexpr std::u16string_view five = u"00000";
constexpr std::u16string_view four = u"0000";
}  // namespace

txtNorvZip::txtNorvZip(Host& host) : FormatMaskBoxBase(host, "txtNorvZip", rows, u"#####", 5) {}

Variant txtNorvZip::completed(const Variant& digits) const {
    // A long-shape code given with fewer than nine characters is its first five digits and
    // a zero extension: '1234' is 01234-0000, '1234567' is 12345-0000.
    if (!is(ZipFormatEnum::Zip5Plus4) || digits.to_string(locale()).size() >= 9) return digits;
    return Variant(format_pattern(digits.to_double(locale()), five, locale()).substr(0, 5) + std::u16string(four));
}

bool txtNorvZip::complete_entry(std::u16string_view digits) {
    if (!is(ZipFormatEnum::Zip5Plus4) || digits.size() != 5) return false;
    masked().set_text(std::u16string(digits) + u"-0000");
    return true;
}

std::u16string txtNorvZip::part(std::u16string_view text, std::u16string_view pattern) const {
    return format_pattern(leading_number(text), pattern, locale());
}

// Each part is the shown code's first five or last four characters, the whole code in
// the short shapes.
std::u16string txtNorvZip::part_of(bool five_part) const {
    if (!(five_part ? has_five() : has_four()) || is_untouched()) return {};
    const std::u16string_view text = Textbox.text();
    if (five_part) return part(text.substr(0, 5), five);
    return part(text.substr(text.size() - std::min<std::size_t>(text.size(), 4)), four);
}

void txtNorvZip::set_part(bool five_part, std::u16string_view value) {
    if (!(five_part ? has_five() : has_four())) return;
    if (!is_numeric(value, locale())) {
        ClearText();  // in the long shape both parts go
    } else {
        std::u16string text = part(value, five_part ? five : four);
        // The long shape keeps the other part as shown, or a zero part in an untouched box.
        if (is(ZipFormatEnum::Zip5Plus4)) {
            const std::u16string_view shown = is_untouched() ? std::u16string_view(u"00000-0000") : Textbox.text();
            text = five_part ? text + std::u16string(shown.substr(5)) : std::u16string(shown.substr(0, 6)) + text;
        }
        masked().set_text(text);  // a part too long for the mask is refused (380)
    }
    announce(five_part ? "Zip_5" : "Zip_4");
}

const Members* txtNorvZip::bound_members() const {
    using B = txtNorvZip;
    using T = MemberTable<B>;
    return T::once({
        T::bind("Zip_5", &B::Zip_5, &B::setZip_5),
        T::bind("Zip_4", &B::Zip_4, &B::setZip_4),
    }, FormatMaskBoxBase::bound_members());
}

}  // namespace norvtext
