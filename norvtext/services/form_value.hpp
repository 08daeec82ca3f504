// The form-file value format: one Variant as one JSON value, read strictly and written so
// that every Variant subtype reads back exactly.
#pragma once

#include <string_view>

#include <nlohmann/json.hpp>

#include "norvtext/platform/variant.hpp"

namespace norvtext::services {

// The value format. Plain JSON where it reads back as the same subtype: a string is a
// String, true/false a Boolean, null a Null, an integer an Integer when it fits 16 bits,
// else a Long when it fits 32 bits (a larger one is an error), a number with a fraction or
// exponent a Double. Every other value is a one-key object:
//   {"Integer": 5}  {"Long": 5}  {"Double": 5}  {"Double": "Infinity" | "-Infinity" | "NaN"}
//   {"Currency": "1234.5"}            exact text, up to four decimals
//   {"Date": "2026-12-05 13:07:09"}   iso_text; {"Date": 46361.5000001} a serial number for a
//                                     date that is not a whole second
//   {"Empty": null}  {"Nothing": null}
//   {"Font": {"name": "Arial", "size": 9, "bold": false, "italic": false,
//             "underline": false, "strikethrough": false}}   absent fields take Font's defaults
//   {"Picture": "<base64 of the image bytes>"}
//   {"String16": [72, 55296]}         a String's UTF-16 code units, for a text holding an
//                                     unpaired surrogate, which JSON text cannot carry
// A Font's name with an unpaired surrogate is written as such an array of code units too.
// A Date's serial must lie in the years 100..9999.

// Reads one value. `where` starts every error message ("form file f.json: key \"Text\"").
// Raises Error FileError "WHERE: WHAT" when the value is not in the format. Numbers are taken
// as the JSON holds them; text is best read through parse_bag_json, which also rejects
// integers beyond 64 bits that a plain JSON parse would quietly turn into Doubles.
Variant variant_from_json(const nlohmann::ordered_json& value, std::string_view where);
// Writes one value so that variant_from_json gives back an identical() one. Raises Error
// FileError "WHERE: WHAT" for a value no form file can hold: a Date outside the years
// 100..9999 or a Font whose size is not finite.
nlohmann::ordered_json variant_to_json(const Variant& value, std::string_view where = "value");

// Same subtype and same value, the sense in which a form file round trip is exact: Doubles
// and Date serials compare by bits (so -0 differs from 0) except that any NaN matches any
// NaN; Fonts and Pictures compare by content, not by reference.
bool identical(const Variant& a, const Variant& b);

}  // namespace norvtext::services
