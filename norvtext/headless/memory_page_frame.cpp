// The headless property-page frame.
#include "norvtext/headless/memory_page_frame.hpp"

namespace norvtext::headless {

bool MemoryPageFrame::apply() {
    if (!page_ || !changed_) {
        form_.record("page: nothing to apply");
        return false;
    }
    form_.record("page: apply");
    page_->ApplyChanges();
    changed_ = false;
    return true;
}

}  // namespace norvtext::headless
