// Form files: a property bag stored as one JSON object, each value in the form-file value
// format, read strictly and written so that every Variant subtype reads back exactly.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "norvtext/headless/memory_property_bag.hpp"
#include "norvtext/platform/variant.hpp"

namespace norvtext::headless {

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

// Reads a whole bag: one JSON object, keys in file order; of a key given twice the first
// stays. `source_name` starts every error message; read_form_file passes "form file PATH".
// A syntax error reads "SOURCE: line L, column C: WHAT" (column counts characters), a value
// not in the format "SOURCE: key \"KEY\": WHAT". Raises Error FileError; a bag is returned
// only when all of it was read.
MemoryPropertyBag parse_bag_json(std::string_view json_text, std::string_view source_name);
// The bag as JSON text, keys in entry order: one line, or one entry a line when `pretty`.
std::string bag_to_json(const MemoryPropertyBag& bag, bool pretty,
                        std::string_view source_name = "bag");

// The largest form file read; anything longer is taken as hostile.
inline constexpr std::uintmax_t max_form_file_size = 16u * 1024u * 1024u;

MemoryPropertyBag read_form_file(const std::filesystem::path& path);
// Writes the whole text to a new file beside `path` and renames it over `path`, so a failed
// save leaves the previous file exactly as it was (and no temporary file behind).
void write_form_file(const std::filesystem::path& path, const MemoryPropertyBag& bag);

// Same subtype and same value, the sense in which a form file round trip is exact: Doubles
// and Date serials compare by bits (so -0 differs from 0) except that any NaN matches any
// NaN; Fonts and Pictures compare by content, not by reference.
bool identical(const Variant& a, const Variant& b);

}  // namespace norvtext::headless
