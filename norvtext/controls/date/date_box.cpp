// The date box: its eight shapes, key filter, the check on leaving, the Text and Value
// conversions, and persistence.
#include "norvtext/controls/date/date_box.hpp"

#include <array>

#include "norvtext/platform/date_serial.hpp"
#include "norvtext/platform/dates.hpp"
#include "norvtext/platform/numbers.hpp"

namespace norvtext {

namespace {

struct Shape {
    std::u16string_view mask;
    std::u16string_view pattern;  // the display pattern a date is written in
    std::string_view description;  // the expected entry in words, and why one is refused
    std::string_view reason;
};

// One row per DateFormatEnum value, in value order.
constexpr std::array<Shape, 8> shapes{{
    {u"##/##/####", u"MM/DD/YYYY", "date, month/day/year", "not a date"},
    {u"??? ##, ####", u"MMM DD, YYYY", "date, month name, day and year", "not a date"},
    {u"??? ##, ##", u"MMM DD, YY", "date, month name, day and two-digit year", "not a date"},
    {u"##/##/#### ##:##:##", u"MM/DD/YYYY HH:MM:SS", "date and time, month/day/year hours:minutes:seconds",
     "not a date and time"},
    {u"##/##/#### ##:## ??", u"MM/DD/YYYY HH:MM AM/PM", "date and time, month/day/year hours:minutes AM or PM",
     "not a date and time"},
    {u"##:## ??", u"HH:MM AM/PM", "time, hours:minutes AM or PM", "not a time"},
    {u"##:##:##", u"HH:MM:SS", "time, hours:minutes:seconds", "not a time"},
    {u"##/##", u"MM/YY", "month and year, month/two-digit year", "not a month and year"},
}};

const Shape& shape_of(DateFormatEnum format) {
    const auto row = static_cast<std::int32_t>(format);
    return shapes[row >= 0 && row < static_cast<std::int32_t>(shapes.size()) ? static_cast<std::size_t>(row) : 0];
}

// The untouched text of the design-time mask: what a new box loads and carries as "Value".
constexpr std::u16string_view design_empty_text = u"__/__/____";

bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool is_month_year_shape(std::u16string_view text) {
    return text.size() == 5 && is_digit(text[0]) && is_digit(text[1]) && text[2] == u'/' && is_digit(text[3]) &&
           is_digit(text[4]);
}

// "MM/YY" as month and two-digit year, at 00:00 on the first of the month. Read by the
// general recognition, "05/30" would be the 30th of May of this year and show as "05/26".
std::optional<DateSerial> month_year_date(std::u16string_view text) {
    const int month = (text[0] - u'0') * 10 + (text[1] - u'0');
    const int yy = (text[3] - u'0') * 10 + (text[4] - u'0');
    return serial_from_parts(DateTimeParts{yy < 30 ? 2000 + yy : 1900 + yy, month, 1, 0, 0, 0});
}

// Equal to the number 0 as a comparison with 0 would find: Empty, Null, a zero number, a
// text that reads as zero. Any other value, a text that is not a number included, is not.
bool equals_zero(const Variant& value, const Locale& loc) {
    if (value.is_empty() || value.is_null()) return true;
    if (value.is_numeric_type()) return value.to_double(loc) == 0;
    if (value.is_string()) {
        const auto number = parse_number(value.string_ref(), loc);
        return number && number->is_zero();
    }
    return false;
}

}  // namespace

txtNorvDate::txtNorvDate(Host& host)
    : MaskedControlBase(host, "txtNorvDate", shapes[0].mask, static_cast<std::int32_t>(shapes[0].mask.size())),
      stored_value_(design_empty_text) {}

std::optional<DateSerial> txtNorvDate::date_of(std::u16string_view text) const {
    if (format_mask_ == DateFormatEnum::MMYY && is_month_year_shape(text)) return month_year_date(text);
    return recognise_date(text, host_.locale(), host_.today());
}

std::optional<DateSerial> txtNorvDate::date_of_value(const Variant& value) const {
    if (value.type() == VariantType::Date) return value.to_date();
    if (value.is_string()) return date_of(std::u16string_view(value.string_ref()));
    return std::nullopt;
}

void txtNorvDate::SetMask() { masked().set_mask(shape_of(format_mask_).mask); }

void txtNorvDate::ShowDate(const std::optional<DateSerial>& date) {
    if (date)
        masked().set_text(format_date(*date, shape_of(format_mask_).pattern, host_.locale()));
    else
        ClearText();
}

void txtNorvDate::refuse_entry() {
    entry_invalid(shape_of(format_mask_).reason);
    if (blink_on_error_) start_blink();
}

std::string txtNorvDate::accessible_description() const { return std::string(shape_of(format_mask_).description); }

void txtNorvDate::InitProperties() {
    masked().set_mask(shapes[0].mask);
    reset_switches();
    stored_value_ = Variant(design_empty_text);
    format_mask_ = DateFormatEnum::MMDDYYYY;
}

std::u16string txtNorvDate::Text() const {
    const std::u16string_view shown = Textbox.text();
    return date_of(shown) ? std::u16string(shown) : std::u16string();
}

void txtNorvDate::setText(std::u16string_view New_Text) {
    const auto date = date_of(New_Text);
    ShowDate(date);  // the empty text when it is no date
    if (date)
        accept_entry();
    else if (New_Text.empty())  // a plain clearing; a running blink goes on
        entry_valid();
    else
        refuse_entry();
    announce("Text");
}

Variant txtNorvDate::Value() const {
    if (const auto date = date_of(Textbox.text())) return Variant(*date);
    return Variant(std::int16_t{0});
}

void txtNorvDate::setValue(const Variant& New_Value) {
    const auto date = date_of_value(New_Value);
    ShowDate(date);
    // Zero in any form is how program code empties the box, so it is no error.
    if (date || equals_zero(New_Value, host_.locale())) {
        accept_entry();
    } else {
        refuse_entry();
        if (!blink_on_error_) end_blink();
    }
    announce("Value");
}

void txtNorvDate::on_lost_focus() {
    Textbox.set_sel_length(0);
    // An untouched box is no error.
    if (date_of(Textbox.text()) || is_untouched()) return entry_valid();
    // The invalid text stays so that the user can correct it.
    refuse_entry();
    host_.Validate();
}

char16_t txtNorvDate::admitted_char(char16_t c, std::size_t) const {
    if (c >= u'0' && c <= u'9') return c;
    const char16_t upper = c == u'a' || c == u'p' || c == u'm' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
    return upper == u'A' || upper == u'P' || upper == u'M' ? upper : u'\0';
}

const BagLayout& txtNorvDate::bag_layout() const {
    // The Font and MouseIcon writers run while loading, so both are announced (twice). The
    // selection lands on the design-time text; the loaded text is shown in the loaded shape
    // once FormatMask is read (a stored date; anything else shows the empty text).
    // Appearance comes last, so a bag saved before it was kept loads the same. Numbers go
    // in as Longs whatever the inner box keeps them as.
    static const BagLayout layout{
        "BackColor Font! MouseIcon! MousePointer:Long FocusSelect EscapeClear Enabled ForeColor Enabled Text "
        "SelLength SelStart SelText Font! BackColor BorderStyle Enabled ForeColor MouseIcon! MousePointer:Long "
        "OLEDragMode OLEDropMode PromptChar ToolTipText Value FormatMask *show Blink BlinkOnError ReadOnly "
        "Appearance",
        "BackColor Enabled Font MouseIcon MousePointer:Long FocusSelect EscapeClear Text ForeColor SelLength "
        "SelStart SelText BackColor BorderStyle Enabled ForeColor HideSelection hWnd MousePointer:Long "
        "OLEDragMode OLEDropMode PromptChar ToolTipText Value FormatMask Blink BlinkOnError ReadOnly Appearance",
        {
            {"Text", Variant(design_empty_text),
             [](BoxBase& b, const Variant& v) { as<txtNorvDate>(b).loaded_text_ = v.to_string(); },
             [](const BoxBase& b) { return Variant(b.textbox().text()); }, BagKey::WriteDefault::Own,
             Variant(never_shown_text)},
            field_key<&txtNorvDate::stored_value_>("Value", Variant(design_empty_text)),
            field_key<&txtNorvDate::format_mask_>("FormatMask", Variant(std::int32_t{0})),
            {"*show", {}, [](BoxBase& b, const Variant&) {
                 auto& d = as<txtNorvDate>(b);
                 d.SetMask();
                 d.ShowDate(d.date_of(d.loaded_text_));
             }},
            {"HideSelection", {}, nullptr,
             [](const BoxBase& b) { return Variant(b.textbox().member(InnerMember::HideSelection).to_boolean()); },
             BagKey::WriteDefault::Own, Variant(false)},
            // Written but never read back: a window handle means nothing in the next session.
            {"hWnd", {}, nullptr, [](const BoxBase& b) { return Variant(b.hWnd()); }, BagKey::WriteDefault::Own,
             Variant(std::int32_t{2236})},
            // A designer's Appearance survives the save and load, kept as an Integer where it fits.
            {"Appearance", Variant(std::int16_t{1}),
             [](BoxBase& b, const Variant& v) { b.textbox().set_member(InnerMember::Appearance, v); },
             [](const BoxBase& b) {
                 const std::int32_t appearance = b.Appearance();
                 const auto as_integer = round_to_integer(appearance);
                 return as_integer ? Variant(*as_integer) : Variant(appearance);
             }},
        }};
    return layout;
}

const Members* txtNorvDate::bound_members() const {
    using T = MemberTable<txtNorvDate>;
    return T::once_with_text_and_value({T::bind("FormatMask", &txtNorvDate::FormatMask, &txtNorvDate::setFormatMask)},
                                       BoxBase::bound_members());
}

}  // namespace norvtext
