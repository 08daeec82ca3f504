#include "norvtext/foundation/edit_history.hpp"

namespace norvtext {

void EditHistory::begin(std::u16string_view text, std::int32_t caret) {
    if (depth_++ > 0) return;
    before_.text.assign(text);  // into a buffer of its own or a spare one: no allocation once grown
    before_.caret = caret;
    unrecorded_ = false;
}

void EditHistory::end(std::u16string_view text) {
    if (depth_ == 0 || --depth_ > 0) return;
    if (unrecorded_ || text == before_.text) return;
    if (undo_.size() == max_steps) {
        spare_.push_back(std::move(undo_.front().text));
        undo_.erase(undo_.begin());
    }
    undo_.push_back(std::move(before_));
    before_.text = spare_text();
    drop_all(redo_);
}

void EditHistory::forget() {
    if (depth_ == 0) reset();
}

void EditHistory::reset() {
    drop_all(undo_);
    drop_all(redo_);
    unrecorded_ = true;
}

void EditHistory::drop_all(std::vector<State>& steps) {
    for (State& s : steps)
        if (spare_.size() < max_steps) spare_.push_back(std::move(s.text));
    steps.clear();
}

std::u16string EditHistory::spare_text() {
    if (spare_.empty()) return {};
    std::u16string t = std::move(spare_.back());
    spare_.pop_back();
    return t;
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
