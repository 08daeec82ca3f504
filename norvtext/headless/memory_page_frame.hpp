// A headless property-page frame: holds the selected controls, shows one page, records on
// the form's transcript when the page marks itself changed, and offers Apply only then.
#pragma once

#include <vector>

#include "norvtext/foundation/property_page_frame.hpp"
#include "norvtext/headless/memory_host.hpp"

namespace norvtext::headless {

class MemoryPageFrame : public PropertyPageFrame {
public:
    explicit MemoryPageFrame(MemoryForm& form) : form_(form) {}

    // Shows the page for a selection: nothing is pending yet, and the page loads.
    void show(PropertyPage& page, std::vector<Dispatch*> selection) {
        page_ = &page;
        changed_ = false;
        select(std::move(selection));
    }
    // The selection changes while the page is shown: the page loads again.
    void select(std::vector<Dispatch*> selection) {
        selection_ = std::move(selection);
        if (page_) page_->SelectionChanged();
    }
    // The frame's Apply: only while the page is marked changed ("page: apply", the page
    // writes, the mark is cleared); otherwise "page: nothing to apply". True when applied.
    bool apply();
    bool changed() const { return changed_; }

    std::span<Dispatch* const> selected_controls() const override { return selection_; }
    void mark_changed() override {
        changed_ = true;
        form_.record("page: changed");
    }
    const Locale& locale() const override { return form_.locale; }

private:
    MemoryForm& form_;
    PropertyPage* page_ = nullptr;
    std::vector<Dispatch*> selection_;
    bool changed_ = false;
};

}  // namespace norvtext::headless
