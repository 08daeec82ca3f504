// The headless form's host sites: they create in-memory constituents and record what the
// controls tell them.
#include "norvtext/headless/memory_host.hpp"

#include "norvtext/headless/memory_masked_edit_box.hpp"

namespace norvtext::headless {

std::unique_ptr<MaskedEditBox> MemoryHost::create_masked_edit_box(std::u16string_view mask, std::int32_t max_length) {
    return designed(std::make_unique<MemoryMaskedEditBox>(mask, max_length));
}

}  // namespace norvtext::headless
