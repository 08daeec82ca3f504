// The masked box's empty text.
#include "norvtext/foundation/edit_box.hpp"

namespace norvtext {

std::u16string all_prompt_text(std::u16string_view mask, char16_t prompt) {
    std::u16string text(mask);
    for (char16_t& c : text)
        if (c == u'#' || c == u'?') c = prompt;
    return text;
}

}  // namespace norvtext
