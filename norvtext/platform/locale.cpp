// The library's default locale and locales built from ICU's number and calendar data.
#include "norvtext/platform/locale.hpp"

#include <unicode/dcfmtsym.h>
#include <unicode/dtfmtsym.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstring>

#include "norvtext/platform/error.hpp"

namespace norvtext {

namespace {

[[noreturn]] void raise_unknown(std::string_view name) {
    raise(ErrorCode::InvalidPropertyValue, "unknown locale: " + std::string(name));
}

std::u16string to_u16(const icu::UnicodeString& s) {
    return std::u16string(s.getBuffer(), static_cast<std::size_t>(s.length()));
}

// ICU answers every name with some data, falling back to its root locale for names it has
// never heard of; only a name ICU lists as available is a locale the user can mean.
bool is_available(const icu::Locale& wanted) {
    std::int32_t count = 0;
    const icu::Locale* available = icu::Locale::getAvailableLocales(count);
    return std::any_of(available, available + count,
                       [&](const icu::Locale& l) { return std::strcmp(l.getBaseName(), wanted.getBaseName()) == 0; });
}

// The stand-alone forms: the controls show a month name as a word beside numbers, not inside
// a sentence. Abbreviations drop a closing period ("janv." -> "janv") so a date pattern's own
// punctuation is the only punctuation.
void read_months(const icu::DateFormatSymbols& symbols, Locale& out) {
    for (const auto width : {icu::DateFormatSymbols::WIDE, icu::DateFormatSymbols::ABBREVIATED}) {
        const bool wide = width == icu::DateFormatSymbols::WIDE;
        std::int32_t count = 0;
        const icu::UnicodeString* names = symbols.getMonths(count, icu::DateFormatSymbols::STANDALONE, width);
        if (names == nullptr || count < 12) return;
        for (std::size_t m = 0; m < 12; ++m) {
            std::u16string name = to_u16(names[m]);
            if (!wide && name.size() > 1 && name.back() == u'.') name.pop_back();
            (wide ? out.months : out.month_abbreviations)[m] = std::move(name);
        }
    }
}

}  // namespace

const Locale& Locale::en_us() {
    static const Locale locale{};
    return locale;
}

Locale Locale::from_name(std::string_view name) {
    // An empty name would make ICU pick the process's default locale, and an embedded NUL
    // would let ICU read only a prefix of the name.
    if (name.empty() || name.find('\0') != std::string_view::npos) raise_unknown(name);
    const std::string name_z(name);
    const icu::Locale icu_locale(name_z.c_str());
    if (icu_locale.isBogus() || !is_available(icu_locale)) raise_unknown(name);

    Locale out;
    out.name = name_z;

    // Each ICU constructor leaves a failure already in `status` as it is, so one check covers both.
    UErrorCode status = U_ZERO_ERROR;
    const icu::DecimalFormatSymbols numbers(icu_locale, status);
    const icu::DateFormatSymbols dates(icu_locale, status);
    if (U_FAILURE(status)) raise_unknown(name);
    out.decimal = to_u16(numbers.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol));
    out.grouping = to_u16(numbers.getSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol));
    read_months(dates, out);
    std::int32_t count = 0;
    const icu::UnicodeString* am_pm = dates.getAmPmStrings(count);
    if (am_pm != nullptr && count >= 2) {
        out.am = to_u16(am_pm[0]);
        out.pm = to_u16(am_pm[1]);
    }
    return out;
}

}  // namespace norvtext
