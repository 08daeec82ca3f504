#include "norvtext/foundation/edit_history.hpp"

namespace norvtext {

void EditHistory::begin(std::u16string_view text, std::int32_t caret) {
    if (depth_++ > 0) return;
    before_ = {std::u16string(text), caret};
    unrecorded_ = false;
}

void EditHistory::end(std::u16string_view text) {
    if (depth_ == 0 || --depth_ > 0) return;
    if (unrecorded_ || text == before_.text) return;
    if (undo_.size() == max_steps) undo_.erase(undo_.begin());
    undo_.push_back(std::move(before_));
    redo_.clear();
}

void EditHistory::forget() {
    if (depth_ == 0) reset();
}

void EditHistory::reset() {
    undo_.clear();
    redo_.clear();
    unrecorded_ = true;
}

std::optional<EditHistory::State> EditHistory::step(std::vector<State>& from, std::vector<State>& to,
                                                    State current) {
    if (from.empty()) return std::nullopt;
    State next = std::move(from.back());
    from.pop_back();
    to.push_back(std::move(current));
    unrecorded_ = true;
    return next;
}

}  // namespace norvtext
