// Reading dates and times as users of a locale type them, and writing a date value with the
// date box's display patterns.
#include "norvtext/platform/dates.hpp"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

#include "norvtext/platform/date_serial.hpp"

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
// The no-break spaces count because locale data puts them inside dates and designators.
bool is_blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u00A0' || c == u'\u202F'; }
bool is_separator(char16_t c) { return c == u'/' || c == u'-' || c == u'.' || c == u',' || c == u':'; }

std::u16string_view trim_blanks(std::u16string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

// Turkish and Azeri pair dotted and dotless i differently from every other language.
bool uses_turkic_i(const Locale& loc) {
    const std::string_view name = loc.name;
    const bool turkic = name.starts_with("tr") || name.starts_with("az");
    return turkic && (name.size() == 2 || name[2] == '_' || name[2] == '-');
}

UChar32 fold(UChar32 c, bool turkic) {
    // ASCII needs no table, except the Turkic capital I, which folds to the dotless i.
    if (c < 0x80 && !(turkic && c == 'I')) return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    return u_foldCase(c, turkic ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT);
}

// How many units of `text` from `pos` spell `word` under simple case folding; 0 when they
// do not. Folding compares code points, so "MÄR", "mär" and "Mär" are one word.
std::size_t folded_match(std::u16string_view text, std::size_t pos, std::u16string_view word, bool turkic) {
    std::size_t t = pos;
    std::size_t w = 0;
    while (w < word.size()) {
        if (t >= text.size()) return 0;
        UChar32 a = 0;
        UChar32 b = 0;
        U16_NEXT(text.data(), t, text.size(), a);
        U16_NEXT(word.data(), w, word.size(), b);
        if (fold(a, turkic) != fold(b, turkic)) return 0;
    }
    return t - pos;
}

// Whether a word may end here: "Decx" is not "Dec" followed by something.
bool ends_word(std::u16string_view text, std::size_t end) {
    return end == text.size() || is_blank(text[end]) || is_digit(text[end]) || is_separator(text[end]);
}

// A word of the locale found in the text, and how many units it covers there (0: none).
struct WordMatch {
    Token token;
    std::size_t length = 0;
};

// The longest month name, month abbreviation or AM/PM designator of the locale at `pos`,
// so that "Dezember" wins over "Dez".
WordMatch read_word(std::u16string_view text, std::size_t pos, const Locale& loc, bool turkic) {
    WordMatch best;
    const auto consider = [&](std::u16string_view word, TokenKind kind, int value) {
        if (word.empty()) return;
        const std::size_t n = folded_match(text, pos, word, turkic);
        if (n > best.length && ends_word(text, pos + n)) best = {Token{kind, value}, n};
    };
    for (std::size_t m = 0; m < 12; ++m) {
        consider(loc.months[m], TokenKind::Month, static_cast<int>(m) + 1);
        consider(loc.month_abbreviations[m], TokenKind::Month, static_cast<int>(m) + 1);
    }
    consider(loc.am, TokenKind::Meridiem, 0);
    consider(loc.pm, TokenKind::Meridiem, 12);
    return best;
}

// Token grammar (blanks around the whole text are already gone):
//   text      := token+
//   token     := blanks | word | number | separator      tried in this order at each position
//   blanks    := (' ' | TAB | NBSP | narrow NBSP)+
//   word      := a month name or abbreviation or an AM/PM designator of the locale, compared
//                without case, the longest that fits, ended by a blank, digit, separator or
//                the end of the text
//   number    := '0'..'9'{1,4}
//   separator := '/' | '-' | '.' | ',' | ':'
// Words come before numbers because some locales spell months with digits ("12月").
// Anything else (a stray letter, "_", a five-digit run) makes the text no date.
std::optional<std::vector<Token>> tokenize(std::u16string_view text, const Locale& loc) {
    const bool turkic = uses_turkic_i(loc);
    std::vector<Token> tokens;
    tokens.reserve(16);
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (is_blank(c)) {
            while (i < text.size() && is_blank(text[i])) ++i;
            tokens.push_back({TokenKind::Blanks});
        } else if (const WordMatch word = read_word(text, i, loc, turkic); word.length > 0) {
            tokens.push_back(word.token);
            i += word.length;
        } else if (is_digit(c)) {
            Token number{TokenKind::Number};
            while (i < text.size() && is_digit(text[i])) {
                if (++number.digits > most_field_digits) return std::nullopt;
                number.value = number.value * 10 + (text[i] - u'0');
                ++i;
            }
            tokens.push_back(number);
        } else if (is_separator(c)) {
            tokens.push_back({TokenKind::Separator, 0, 0, c});
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

bool is_separator_token(const Token& t, char16_t c) { return t.kind == TokenKind::Separator && t.separator == c; }
bool is_field(const Token& t) { return t.kind == TokenKind::Number || t.kind == TokenKind::Month; }

// The date's fields in written order, and what stood between them (a separator, or ' ' for
// blanks alone).
struct DateFields {
    Token field[3];
    char16_t gap[2] = {};
    int count = 0;
};

// date := field gap field [gap field]
// gap  := blanks | [blanks] separator [blanks]          any separator but ':'
std::optional<DateFields> read_date_fields(std::span<const Token> tokens) {
    enum class Expect { Field, Gap };
    DateFields out;
    Expect expect = Expect::Field;
    std::size_t i = 0;
    while (i < tokens.size()) {
        if (expect == Expect::Field) {
            if (!is_field(tokens[i])) return std::nullopt;
            out.field[out.count++] = tokens[i++];
            expect = Expect::Gap;
            continue;
        }
        // A third field ends the date: nothing may follow it.
        if (out.count == 3) return std::nullopt;
        char16_t gap = 0;
        if (tokens[i].kind == TokenKind::Blanks) {
            gap = u' ';
            ++i;
        }
        if (i < tokens.size() && tokens[i].kind == TokenKind::Separator && tokens[i].separator != u':') {
            gap = tokens[i].separator;
            ++i;
            if (i < tokens.size() && tokens[i].kind == TokenKind::Blanks) ++i;
        }
        if (gap == 0) return std::nullopt;
        out.gap[out.count - 1] = gap;
        expect = Expect::Field;
    }
    // Ending after a gap ("12/05/") leaves a field unwritten.
    if (expect == Expect::Field || out.count < 2) return std::nullopt;
    return out;
}

// A year of two digits lies in 1930..2029; four digits stand as written. Anything else
// (one or three digits) is no year.
std::optional<int> year_of(const Token& t) {
    if (t.kind != TokenKind::Number) return std::nullopt;
    if (t.digits == 4) return t.value;
    if (t.digits == 2) return t.value < 30 ? 2000 + t.value : 1900 + t.value;
    return std::nullopt;
}

// Orders of the fields (M month, D day, Y year; a month word is always M):
//   3 numbers                M D Y, or Y M D when the first has four digits
//   word, number, number     M D Y
//   number, word, number     D M Y, or Y M D when the first has four digits
//   2 numbers                M D of today's year, or M Y / Y M (day 1) when one has four digits
//   word, number             M D of today's year, or M Y (day 1) for a four-digit number
//   number, word             D M of today's year, or Y M (day 1) for a four-digit number
// All-numeric dates are month first, the order of the library's locale.
bool read_date(std::span<const Token> tokens, int today_year, DateTimeParts& parts) {
    const std::optional<DateFields> fields = read_date_fields(tokens);
    if (!fields) return false;
    const Token* const f = fields->field;
    const Token* year = nullptr;
    const Token* month = nullptr;
    const Token* day = nullptr;
    const auto order = [&](const Token* y, const Token* m, const Token* d) {
        year = y;
        month = m;
        day = d;
    };
    const bool word0 = f[0].kind == TokenKind::Month;
    const bool word1 = f[1].kind == TokenKind::Month;
    if (word0 && word1) return false;
    if (fields->count == 3) {
        if (f[2].kind == TokenKind::Month) return false;
        // "12/05-2026" mixes two ways of writing a date; neither is meant.
        if (!word0 && !word1 && fields->gap[0] != fields->gap[1]) return false;
        if (word0) order(&f[2], &f[0], &f[1]);
        else if (f[0].digits == 4) order(&f[0], &f[1], &f[2]);
        else if (word1) order(&f[2], &f[1], &f[0]);
        else order(&f[2], &f[0], &f[1]);
    } else if (word0 || word1) {
        const Token* const name = word0 ? &f[0] : &f[1];
        const Token* const number = word0 ? &f[1] : &f[0];
        if (number->digits == 4) order(number, name, nullptr);
        else order(nullptr, name, number);
    } else if (f[1].digits == 4) {
        order(&f[1], &f[0], nullptr);
    } else if (f[0].digits == 4) {
        order(&f[0], &f[1], nullptr);
    } else {
        order(nullptr, &f[0], &f[1]);
    }

    // A number standing for a month or a day has one or two digits.
    const auto small = [](const Token* t) { return t->kind != TokenKind::Number || t->digits <= 2; };
    if (!small(month) || (day != nullptr && !small(day))) return false;
    int y = today_year;
    if (year != nullptr) {
        const std::optional<int> written = year_of(*year);
        if (!written) return false;
        y = *written;
    }
    parts.year = y;
    parts.month = month->value;
    parts.day = day != nullptr ? day->value : 1;
    return true;
}

// time := hour ':' minute [':' second] [blanks] [meridiem] | hour [blanks] meridiem
// Each number has one or two digits. With a designator the hour runs 1..12 (12 AM is
// midnight), without one 0..23; the remaining ranges are checked with the date.
bool read_time(std::span<const Token> tokens, DateTimeParts& parts) {
    std::size_t i = 0;
    const auto number = [&](int& out) {
        if (i >= tokens.size() || tokens[i].kind != TokenKind::Number || tokens[i].digits > 2) return false;
        out = tokens[i++].value;
        return true;
    };
    const auto colon = [&] {
        if (i >= tokens.size() || !is_separator_token(tokens[i], u':')) return false;
        ++i;
        return true;
    };
    int hour = 0, minute = 0, second = 0;
    if (!number(hour)) return false;
    const bool has_minutes = colon();
    if (has_minutes && !number(minute)) return false;
    if (has_minutes && colon() && !number(second)) return false;
    if (i < tokens.size() && tokens[i].kind == TokenKind::Blanks) ++i;
    const bool has_meridiem = i < tokens.size() && tokens[i].kind == TokenKind::Meridiem;
    if (has_meridiem) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + tokens[i++].value;
    }
    // A bare number ("5") is a number, not five o'clock.
    if (!has_minutes && !has_meridiem) return false;
    if (i != tokens.size()) return false;
    parts.hour = hour;
    parts.minute = minute;
    parts.second = second;
    return true;
}

// Where the time begins: at the number before the first ':' or before the designator; the
// whole text when it has neither. Nothing when that place holds no number.
std::optional<std::size_t> time_start(std::span<const Token> tokens) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const bool colon = is_separator_token(tokens[i], u':');
        if (!colon && tokens[i].kind != TokenKind::Meridiem) continue;
        // "1 PM" may have blanks before its designator; "1:07" has none before its colon.
        std::size_t after_hour = i;
        if (!colon && after_hour > 0 && tokens[after_hour - 1].kind == TokenKind::Blanks) --after_hour;
        if (after_hour == 0 || tokens[after_hour - 1].kind != TokenKind::Number) return std::nullopt;
        return after_hour - 1;
    }
    return tokens.size();
}

int calendar_year(chr::sys_days day) { return static_cast<int>(chr::year_month_day{day}.year()); }

}  // namespace

// text := date | time | date [','] blanks time
// The fields go into a scratch value that serial_from_parts checks as a whole (month 13,
// Feb 29 of a common year, minute 60, a year outside 100..9999): a text is a date only when
// every field of it is right.
std::optional<DateSerial> recognise_date(std::u16string_view text, const Locale& loc, chr::sys_days today) {
    if (text.size() > longest_date_text) return std::nullopt;
    // A prompt character means the user has not finished typing, whatever the rest reads as.
    if (text.find(u'_') != std::u16string_view::npos) return std::nullopt;
    const std::optional<std::vector<Token>> tokens = tokenize(trim_blanks(text), loc);
    if (!tokens || tokens->empty()) return std::nullopt;
    const std::span<const Token> all(*tokens);

    const std::optional<std::size_t> start = time_start(all);
    if (!start) return std::nullopt;
    std::span<const Token> date = all.first(*start);
    const std::span<const Token> time = all.subspan(*start);
    if (!date.empty() && !time.empty()) {
        if (date.back().kind != TokenKind::Blanks) return std::nullopt;
        date = date.first(date.size() - 1);
        if (!date.empty() && is_separator_token(date.back(), u',')) date = date.first(date.size() - 1);
    }

    DateTimeParts scratch;  // day 0 at midnight until the text says otherwise
    if (!date.empty() && !read_date(date, calendar_year(today), scratch)) return std::nullopt;
    if (!time.empty() && !read_time(time, scratch)) return std::nullopt;
    return serial_from_parts(scratch);
}

namespace {

enum class Code { Meridiem, Year4, MonthAbbreviation, Month, Day, Year2, Hour, Second };

struct PatternCode {
    std::u16string_view text;
    Code code;
};

// Longest first, so "MMM" is never read as "MM" followed by a literal "M".
constexpr PatternCode pattern_codes[] = {
    {u"AM/PM", Code::Meridiem}, {u"YYYY", Code::Year4}, {u"MMM", Code::MonthAbbreviation},
    {u"MM", Code::Month},       {u"DD", Code::Day},     {u"YY", Code::Year2},
    {u"HH", Code::Hour},        {u"SS", Code::Second},
};

void append_digits(std::u16string& out, int value, int width) {
    char16_t buffer[4];
    for (int i = width - 1; i >= 0; --i) {
        buffer[i] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    }
    out.append(buffer, static_cast<std::size_t>(width));
}

}  // namespace

// A serial outside the platform's dates raises Overflow, as every reader of a serial does.
std::u16string format_date(DateSerial value, std::u16string_view pattern, const Locale& loc) {
    const DateTimeParts p = parts_from_serial(value);
    const bool twelve_hour = pattern.find(u"AM/PM") != std::u16string_view::npos;
    std::u16string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const std::u16string_view rest = pattern.substr(i);
        const auto* code = std::find_if(std::begin(pattern_codes), std::end(pattern_codes),
                                        [&](const PatternCode& c) { return rest.starts_with(c.text); });
        if (code == std::end(pattern_codes)) {
            out += pattern[i++];
            continue;
        }
        switch (code->code) {
            case Code::Meridiem: out += p.hour < 12 ? loc.am : loc.pm; break;
            case Code::Year4: append_digits(out, p.year, 4); break;
            case Code::MonthAbbreviation: out += loc.month_abbreviations[static_cast<std::size_t>(p.month - 1)]; break;
            case Code::Month: {
                // "HH:MM" is hours and minutes; the pattern has no other way to ask for minutes.
                const bool minute = i >= 3 && pattern.substr(i - 3, 3) == u"HH:";
                append_digits(out, minute ? p.minute : p.month, 2);
                break;
            }
            case Code::Day: append_digits(out, p.day, 2); break;
            case Code::Year2: append_digits(out, p.year % 100, 2); break;
            case Code::Hour: append_digits(out, twelve_hour ? (p.hour + 11) % 12 + 1 : p.hour, 2); break;
            case Code::Second: append_digits(out, p.second, 2); break;
        }
        i += code->text.size();
    }
    return out;
}

}  // namespace norvtext
