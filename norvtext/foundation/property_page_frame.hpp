// The contract between a design-time property page and the host's frame that shows it:
// the frame hands the page the selected controls and asks it to load and apply; the page
// tells the frame when it holds edits that are not applied yet.
#pragma once

#include <span>

#include "norvtext/foundation/dispatch.hpp"
#include "norvtext/platform/locale.hpp"

namespace norvtext {

// What the frame asks of a page.
class PropertyPage {
public:
    virtual ~PropertyPage() = default;
    // The page is shown, or the selection changed while it was shown: read the controls.
    virtual void SelectionChanged() = 0;
    // Apply or OK: write the page's values to the controls.
    virtual void ApplyChanges() = 0;
};

// What a page asks of its frame.
class PropertyPageFrame {
public:
    virtual ~PropertyPageFrame() = default;
    // The controls the page edits, in selection order; a page reads and writes them by name.
    virtual std::span<Dispatch* const> selected_controls() const = 0;
    // The page holds unapplied edits: the frame offers its apply command.
    virtual void mark_changed() = 0;
    // The locale the page reads the numbers typed into it with.
    virtual const Locale& locale() const = 0;
};

}  // namespace norvtext
