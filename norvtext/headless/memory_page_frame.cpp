// The headless property-page frame.
#include "norvtext/headless/memory_page_frame.hpp"

namespace norvtext::headless {

void MemoryPageFrame::show(PropertyPage& page, std::vector<Dispatch*> selection) {
    page_ = &page;
    changed_ = false;
    select(std::move(selection));
}

void MemoryPageFrame::select(std::vector<Dispatch*> selection) {
    selection_ = std::move(selection);
    if (page_) page_->SelectionChanged();
}

void MemoryPageFrame::mark_changed() {
    changed_ = true;
    form_.record("page: changed");
}

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
