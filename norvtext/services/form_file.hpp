// Form files: a property bag stored as one JSON object (bag_json.hpp), each value in the
// form-file value format (form_value.hpp), saved so that a failed save never damages the
// previous file. A user of form files gets both formats with this header.
#pragma once

#include <cstdint>
#include <filesystem>

#include "norvtext/services/bag_json.hpp"
#include "norvtext/services/form_value.hpp"
#include "norvtext/services/memory_property_bag.hpp"

namespace norvtext::services {

// The largest form file read; anything longer is taken as hostile.
inline constexpr std::uintmax_t max_form_file_size = 16u * 1024u * 1024u;

MemoryPropertyBag read_form_file(const std::filesystem::path& path);
// Writes the whole text to a new file beside `path` and renames it over `path`, so a failed
// save leaves the previous file exactly as it was (and no temporary file behind).
void write_form_file(const std::filesystem::path& path, const MemoryPropertyBag& bag);

}  // namespace norvtext::services
