// A whole Qt form's controls in one JSON form file: each control's bag keys stored under
// its object name ("txtDate.FormatMask"), in the form-file value format.
#pragma once

#include <filesystem>
#include <span>

namespace norvtext::qt {

class ControlWidget;

// Saves every control; the file is replaced only when the whole text was written. Raises
// Error (FileError) when the file cannot be written; false when a control failed to save
// (reported by the control), in which case nothing is written.
bool save_form(const std::filesystem::path& path, std::span<ControlWidget* const> controls);
// Reads the whole file first: a damaged file raises Error (FileError) naming the file and
// position and changes no control. False when a control failed to load (reported).
bool load_form(const std::filesystem::path& path, std::span<ControlWidget* const> controls);

}  // namespace norvtext::qt
