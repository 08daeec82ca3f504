// The undo and redo history of an inner box, one rule for every host: each user action that
// changes the text (a key, a paste, a drop, an input-method commit, a cut) is one step; a
// change by program code (an assignment, a new mask, the formatting step on leaving the box)
// ends the history, so undo never brings back a text the program has since replaced.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvtext {

class EditHistory {
public:
    struct State {
        std::u16string text;
        std::int32_t caret = 0;
    };

    // Around one user action; actions inside another (a paste from Ctrl+V) are part of it.
    void begin(std::u16string_view text, std::int32_t caret);
    void end(std::u16string_view text);
    // A change of the text by program code: ignored inside a user action, where it is the
    // control's own answer to the user (a paste laid in, Escape clearing).
    void forget() {
        if (depth_ == 0) reset();
    }
    // A new mask or prompt: no earlier text fits any more, even inside a user action.
    void reset();

    // The state to show instead of `current`, which becomes the other direction's next
    // step; nothing when there is no step.
    std::optional<State> undo(State current) { return step(undo_, oldest_, redo_, std::move(current)); }
    std::optional<State> redo(State current) { return step(redo_, 0, undo_, std::move(current)); }
    bool can_undo() const { return undo_.size() > oldest_; }
    bool can_redo() const { return !redo_.empty(); }

private:
    // A step from the top of `from`, down to its position `floor`.
    std::optional<State> step(std::vector<State>& from, std::size_t floor, std::vector<State>& to, State current);
    // Drops the first `count` steps. The texts of dropped steps keep their buffers for the
    // next ones, so that typing in a box that has been edited before allocates nothing.
    void drop(std::vector<State>& steps, std::size_t count);
    std::u16string spare_text();

    // Enough for any single-line entry; the oldest steps go first.
    static constexpr std::size_t max_steps = 100;
    std::vector<State> undo_, redo_;
    // The steps below this one in undo_ are out of reach. They go all at once when there
    // are as many of them as steps are kept, so that no keystroke moves the whole history.
    std::size_t oldest_ = 0;
    std::vector<std::u16string> spare_;
    State before_;
    int depth_ = 0;
    bool unrecorded_ = false;  // this action was an undo or redo itself, or reset the history
};

}  // namespace norvtext
