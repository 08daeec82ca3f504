// Whole bags as JSON text: the strict reader (positions, limits, first of duplicate keys)
// and the writer, each value in the form-file value format.
#pragma once

#include <string>
#include <string_view>

#include "norvtext/services/memory_property_bag.hpp"

namespace norvtext::services {

// Reads a whole bag: one JSON object, keys in file order; of a key given twice the first
// stays. `source_name` starts every error message; read_form_file passes "form file PATH".
// A syntax error reads "SOURCE: line L, column C: WHAT" (column counts characters), a value
// not in the format "SOURCE: key \"KEY\": WHAT". Raises Error FileError; a bag is returned
// only when all of it was read.
MemoryPropertyBag parse_bag_json(std::string_view json_text, std::string_view source_name);
// The bag as JSON text, keys in entry order: one line, or one entry a line when `pretty`.
std::string bag_to_json(const MemoryPropertyBag& bag, bool pretty,
                        std::string_view source_name = "bag");

}  // namespace norvtext::services
