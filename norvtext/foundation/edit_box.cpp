// Names of the inner box's pass-through members and the masked box's empty text.
#include "norvtext/foundation/edit_box.hpp"

#include <array>

namespace norvtext {

std::string_view inner_member_name(InnerMember m) {
    static constexpr std::array<std::string_view, inner_member_count> names{
        "BackColor",   "ForeColor",   "Enabled",     "MousePointer", "MouseIcon",   "Font",
        "PasswordChar", "Locked",     "LinkItem",    "LinkMode",     "LinkTimeout", "LinkTopic",
        "ToolTipText", "RightToLeft", "OLEDragMode", "OLEDropMode",  "hWnd",        "Alignment",
        "Appearance",  "BorderStyle", "MultiLine",   "ScrollBars",   "PromptChar",  "HideSelection"};
    return names[static_cast<std::size_t>(m)];
}

std::u16string all_prompt_text(std::u16string_view mask, char16_t prompt) {
    std::u16string text(mask);
    for (char16_t& c : text)
        if (c == u'#' || c == u'?') c = prompt;
    return text;
}

}  // namespace norvtext
