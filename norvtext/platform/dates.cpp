// Reading dates and times, one reader for every caller, and writing a date value with the
// date box's display patterns.
#include "norvtext/platform/dates.hpp"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "norvtext/platform/date_serial.hpp"
#include "norvtext/platform/text_case.hpp"

namespace norvtext {

namespace {

namespace chr = std::chrono;

// No date anyone types comes near this length ("September 30, 2026 12:59:59 PM" is 31
// units); the cap keeps the work on a pasted page of text small.
constexpr std::size_t longest_date_text = 256;
// A date field has at most four digits (the year); a longer digit run is no date field.
constexpr int most_field_digits = 4;

enum class TokenKind { Number, Month, Meridiem, Separator, Blanks };

struct Token {
    TokenKind kind = TokenKind::Blanks;
    int value = 0;   // Number: its value; Month: 1..12; Meridiem: hours added (0 AM, 12 PM)
    int digits = 0;  // Number: how many digits were written
    char16_t separator = 0;
};

bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool is_separator(char16_t c) { return c == u'/' || c == u'-' || c == u'.' || c == u',' || c == u':'; }
bool is_separator_token(const Token& t, char16_t c) { return t.kind == TokenKind::Separator && t.separator == c; }

// What a text is read with: the caller's rules and the locale's words.
struct Reading {
    const DateRules& rules;
    const Locale& loc;
    // Case folding takes only a lower-case language code ("tr", not "TR") as Turkic.
    bool turkic = uses_turkic_i(loc) && loc.name[0] >= 'a';
};

UChar32 fold(UChar32 c, bool turkic) {
    // ASCII needs no table, except the Turkic capital I, which folds to the dotless i.
    if (c < 0x80 && !(turkic && c == 'I')) return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    return u_foldCase(c, turkic ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT);
}

// How many units of `text` from `pos` spell `word` without regard to case; 0 when they do
// not. Folding compares code points, so "MÄR", "mär" and "Mär" are one word.
std::size_t matched_length(std::u16string_view text, std::size_t pos, std::u16string_view word, const Reading& r) {
    if (r.rules.upper_case_designators) {
        // Upper case keeps every code point's length, so a match is as long as the word.
        return to_upper(text.substr(pos, word.size()), r.loc) == to_upper(word, r.loc) ? word.size() : 0;
    }
    std::size_t t = pos;
    std::size_t w = 0;
    while (w < word.size()) {
        if (t >= text.size()) return 0;
        UChar32 a = 0;
        UChar32 b = 0;
        U16_NEXT(text.data(), t, text.size(), a);
        U16_NEXT(word.data(), w, word.size(), b);
        if (fold(a, r.turkic) != fold(b, r.turkic)) return 0;
    }
    return t - pos;
}

// A word of the locale found in the text, and how many units it covers there (0: none).
struct WordMatch {
    Token token;
    std::size_t length = 0;
};

WordMatch read_word(std::u16string_view text, std::size_t pos, const Reading& r) {
    WordMatch best;
    const auto consider = [&](std::u16string_view word, TokenKind kind, int value) {
        if (word.empty()) return;
        const std::size_t n = matched_length(text, pos, word, r);
        const std::size_t end = pos + n;
        // A word ends at a blank, digit, separator or the end: "Decx" is not "Dec" and more.
        const bool ends = end == text.size() || r.rules.is_blank(text[end]) || is_digit(text[end]) ||
                          is_separator(text[end]);
        if (n > best.length && ends) best = {Token{kind, value}, n};
    };
    for (std::size_t m = 0; r.rules.any_shape && m < 12; ++m) {
        consider(r.loc.months[m], TokenKind::Month, static_cast<int>(m) + 1);
        consider(r.loc.month_abbreviations[m], TokenKind::Month, static_cast<int>(m) + 1);
    }
    consider(r.loc.am, TokenKind::Meridiem, 0);
    consider(r.loc.pm, TokenKind::Meridiem, 12);
    return best;
}

std::optional<std::vector<Token>> tokenize(std::u16string_view text, const Reading& r) {
    std::vector<Token> tokens;
    tokens.reserve(16);
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (r.rules.is_blank(c)) {
            while (i < text.size() && r.rules.is_blank(text[i])) ++i;
            tokens.push_back({TokenKind::Blanks});
        } else if (const WordMatch word = read_word(text, i, r); word.length > 0) {
            tokens.push_back(word.token);
            i += word.length;
        } else if (is_digit(c)) {
            Token number{TokenKind::Number};
            while (i < text.size() && is_digit(text[i])) {
                if (++number.digits > most_field_digits) return std::nullopt;
                number.value = number.value * 10 + (text[i++] - u'0');
            }
            tokens.push_back(number);
        } else if (is_separator(c)) {
            tokens.push_back({TokenKind::Separator, 0, 0, text[i++]});
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

// The time begins at a number right before ':', or before the designator, blanks between.
bool starts_time(const std::vector<Token>& t, std::size_t i) {
    if (i >= t.size() || t[i].kind != TokenKind::Number) return false;
    std::size_t next = i + 1;
    if (next < t.size() && is_separator_token(t[next], u':')) return true;
    if (next < t.size() && t[next].kind == TokenKind::Blanks) ++next;
    return next < t.size() && t[next].kind == TokenKind::Meridiem;
}

// The date's fields in written order, and what stood between them (a separator, or ' ' for
// blanks alone).
struct DateFields {
    Token field[3];
    char16_t gap[2] = {};
    int count = 0;
};

// The year, month and day of the fields by the orders of the grammar; false when no order fits.
bool date_of(const DateFields& fields, const DateRules& rules, int today_year, DateTimeParts& parts) {
    const Token* const f = fields.field;
    struct {
        const Token* year;
        const Token* month;
        const Token* day;  // none: the first of the month
    } order{};
    const bool word0 = f[0].kind == TokenKind::Month;
    const bool word1 = f[1].kind == TokenKind::Month;
    if (word0 && word1) return false;
    if (fields.count == 3) {
        if (f[2].kind == TokenKind::Month) return false;
        // "12/05-2026" mixes two ways of writing a date; neither is meant.
        if (!word0 && !word1 && fields.gap[0] != fields.gap[1]) return false;
        // A month word has no digits, so only a number can be a leading four-digit year.
        if (f[0].digits == 4 && rules.any_shape) order = {&f[0], &f[1], &f[2]};
        else if (word1) order = {&f[2], &f[1], &f[0]};
        else order = {&f[2], &f[0], &f[1]};
    } else {
        // The month is the word, or else the first number unless that one has four digits (when
        // both have, the month is too long either way). The other field is a four-digit year or
        // the day.
        const Token* const month = word1 || f[0].digits == 4 ? &f[1] : &f[0];
        const Token* const other = month == &f[0] ? &f[1] : &f[0];
        if (other->digits == 4) order = {other, month, nullptr};
        else order = {nullptr, month, other};
    }

    // A number standing for a month or a day has one or two digits.
    const auto small = [](const Token* t) { return t->kind != TokenKind::Number || t->digits <= 2; };
    if (!small(order.month) || (order.day != nullptr && !small(order.day))) return false;
    parts.year = today_year;
    if (const Token* const year = order.year) {
        if (year->digits == 4) parts.year = year->value;
        else if (year->digits == 2 && rules.any_shape) parts.year = (year->value < 30 ? 2000 : 1900) + year->value;
        else return false;
    }
    parts.month = order.month->value;
    parts.day = order.day != nullptr ? order.day->value : 1;
    return true;
}

// The grammar of a date-and-time text, for every caller (blanks around it are gone first):
//
//   text      := date | time | [date] join time
//   date      := field gap field [gap field]
//   field     := number | month
//   gap       := blanks | [blanks] separator [blanks]          any separator but ':'
//   join      := [','] blanks
//   time      := hour ':' minute [':' second] [blanks] [meridiem] | hour [blanks] meridiem
//   hour, minute, second, and a month or day written as a number: one or two digits
//
// The time begins at the number right before the first ':' or, blanks between, before the
// designator. The text is first cut into tokens, at each position the first that fits:
//   blanks    := a run of the rules' blank characters
//   word      := a month name or abbreviation (month) or an AM/PM designator (meridiem) of the
//                locale, compared without case, the longest that fits, ended by a blank,
//                digit, separator or the end of the text
//   number    := '0'..'9'{1,4}
//   separator := '/' | '-' | '.' | ',' | ':'
// Words come before numbers because some locales spell months with digits ("12月"). Anything
// else (a stray letter, "_", a five-digit run) makes the text no date.
//
// Orders of the date fields (M month, D day, Y year; a month word is always M), month first
// when all are numbers, as the library's locale writes them:
//   3 numbers                M D Y, or Y M D when the first has four digits
//   word, number, number     M D Y
//   number, word, number     D M Y, or Y M D when the first has four digits
//   2 numbers                M D of today's year, or M Y / Y M (day 1) when one has four digits
//   word, number             M D of today's year, or M Y (day 1) for a four-digit number
//   number, word             D M of today's year, or Y M (day 1) for a four-digit number
// A year has four digits, or two: 00-29 is 20xx, 30-99 19xx. With a designator the hour runs
// 1..12 (12 AM is midnight), without one 0..23; a bare number ("5") is no time.
//
// Where a rule is off, the grammar narrows:
//   any_shape off  date := number '/' number '/' number in M D Y order, a four-digit year;
//                  join := blanks; a time has minutes, and minutes and seconds two digits;
//                  no month words
//   typing         no "_" anywhere and at most 256 units
//   one_picture    the text is also one of YYYY-MM-DD, HH:MM:SS, YYYY-MM-DD HH:MM:SS
//
// The fields go into a scratch value that serial_from_parts checks as a whole (month 13,
// Feb 29 of a common year, minute 60, a year outside 100..9999): a text is a date only when
// every field of it is right.
bool read_tokens(const std::vector<Token>& t, const DateRules& rules, int today_year, DateTimeParts& parts) {
    DateFields date;
    std::size_t i = 0;
    const auto take = [&](TokenKind kind) { return i < t.size() && t[i].kind == kind && (++i, true); };
    const auto take_colon = [&] { return i < t.size() && is_separator_token(t[i], u':') && (++i, true); };
    // A time number has at most two digits; minutes and seconds exactly two outside any shape.
    const auto take_number = [&](int& out, bool time_field) {
        const int least = time_field && !rules.any_shape ? 2 : 1;
        if (i >= t.size() || t[i].kind != TokenKind::Number || t[i].digits > 2 || t[i].digits < least) return false;
        out = t[i++].value;
        return true;
    };
    // The date: each field after its gap, the gap before the first one empty.
    while (i < t.size()) {
        const std::size_t start = i;
        const bool before = take(TokenKind::Blanks);
        const bool has_separator = i < t.size() && t[i].kind == TokenKind::Separator && t[i].separator != u':';
        const char16_t separator = has_separator ? t[i++].separator : 0;
        const bool after = has_separator && take(TokenKind::Blanks);
        // Ending after a gap ("12/05/") leaves a field unwritten.
        if (i == t.size()) return false;
        if (starts_time(t, i)) {
            // A time alone needs no join; one with no date before it (", 1 PM") reads as the time.
            const bool alone = date.count == 0 && i == start;
            const bool blanks_only = before && !has_separator;
            const bool comma = rules.any_shape && !before && separator == u',' && after;
            if (!alone && !blanks_only && !comma) return false;
            break;
        }
        // A third field ends the date: only the time may follow it.
        if (date.count == 3) return false;
        if (date.count == 0) {
            if (i != start) return false;
        } else {
            const bool fits = rules.any_shape ? before || has_separator : separator == u'/' && !before && !after;
            if (!fits) return false;
            date.gap[date.count - 1] = has_separator ? separator : u' ';
        }
        if (t[i].kind != TokenKind::Number && t[i].kind != TokenKind::Month) return false;
        date.field[date.count++] = t[i++];
    }
    // The time, when the date left tokens over: it ends the text.
    if (i < t.size()) {
        if (!take_number(parts.hour, false)) return false;
        // "1:07:" ends where a number is due.
        const bool minutes = take_colon();
        if (minutes && !take_number(parts.minute, true)) return false;
        if (minutes && take_colon() && !take_number(parts.second, true)) return false;
        take(TokenKind::Blanks);
        const int meridiem = take(TokenKind::Meridiem) ? t[i - 1].value : -1;
        if (i < t.size()) return false;
        if (!minutes && (meridiem < 0 || !rules.any_shape)) return false;
        if (meridiem >= 0) {
            if (parts.hour < 1 || parts.hour > 12) return false;
            parts.hour = parts.hour % 12 + meridiem;
        }
    }
    if (date.count == 1 || (date.count == 2 && !rules.any_shape)) return false;
    return date.count == 0 || date_of(date, rules, today_year, parts);
}

// The exact form's pictures: '0' stands for a digit, anything else for itself.
bool fits_picture(std::u16string_view text) {
    constexpr std::u16string_view pictures[] = {u"0000-00-00", u"00:00:00", u"0000-00-00 00:00:00"};
    return std::any_of(std::begin(pictures), std::end(pictures), [&](std::u16string_view picture) {
        return std::equal(picture.begin(), picture.end(), text.begin(), text.end(),
                          [](char16_t p, char16_t c) { return p == u'0' ? is_digit(c) : p == c; });
    });
}

void append_digits(std::u16string& out, int value, int width) {
    char16_t buffer[4];
    for (int i = width - 1; i >= 0; --i) {
        buffer[i] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    }
    out.append(buffer, static_cast<std::size_t>(width));
}

}  // namespace

std::optional<DateSerial> read_date_time(std::u16string_view text, const DateRules& rules, const Locale& loc,
                                         chr::sys_days today) {
    if (rules.one_picture && !fits_picture(text)) return std::nullopt;
    if (rules.typing && (text.size() > longest_date_text || text.find(u'_') != std::u16string_view::npos))
        return std::nullopt;
    const std::optional<std::vector<Token>> tokens = tokenize(trim_blanks(text, rules.is_blank), Reading{rules, loc});
    if (!tokens || tokens->empty()) return std::nullopt;
    DateTimeParts scratch;  // day 0 at midnight until the text says otherwise
    const int today_year = static_cast<int>(chr::year_month_day{today}.year());
    if (!read_tokens(*tokens, rules, today_year, scratch)) return std::nullopt;
    return serial_from_parts(scratch);
}

// A serial outside the platform's dates raises Overflow, as every reader of a serial does.
std::u16string format_date(DateSerial value, std::u16string_view pattern, const Locale& loc) {
    const DateTimeParts p = parts_from_serial(value);
    const bool twelve_hour = pattern.find(u"AM/PM") != std::u16string_view::npos;
    std::u16string out;
    std::size_t i = 0;
    const auto take = [&](std::u16string_view code) {
        return pattern.substr(i).starts_with(code) && (i += code.size(), true);
    };
    while (i < pattern.size()) {
        // "HH:MM" is hours and minutes; the pattern has no other way to ask for minutes.
        const bool minute = pattern.substr(0, i).ends_with(u"HH:");
        // Longest first, so "MMM" is never read as "MM" followed by a literal "M".
        if (take(u"AM/PM")) out += p.hour < 12 ? loc.am : loc.pm;
        else if (take(u"YYYY")) append_digits(out, p.year, 4);
        else if (take(u"MMM")) out += loc.month_abbreviations[static_cast<std::size_t>(p.month - 1)];
        else if (take(u"MM")) append_digits(out, minute ? p.minute : p.month, 2);
        else if (take(u"DD")) append_digits(out, p.day, 2);
        else if (take(u"YY")) append_digits(out, p.year % 100, 2);
        else if (take(u"HH")) append_digits(out, twelve_hour ? (p.hour + 11) % 12 + 1 : p.hour, 2);
        else if (take(u"SS")) append_digits(out, p.second, 2);
        else out += pattern[i++];
    }
    return out;
}

}  // namespace norvtext
