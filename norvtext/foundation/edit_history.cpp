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
    undo_.push_back(std::move(before_));
    if (undo_.size() - oldest_ > max_steps) ++oldest_;
    if (oldest_ == max_steps) {
        for (std::size_t i = 0; i < oldest_; ++i)
            if (spare_.size() < max_steps) spare_.push_back(std::move(undo_[i].text));
        undo_.erase(undo_.begin(), undo_.begin() + static_cast<std::ptrdiff_t>(oldest_));
        oldest_ = 0;
    }
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
    if (&steps == &undo_) oldest_ = 0;
}

std::u16string EditHistory::spare_text() {
    if (spare_.empty()) return {};
    std::u16string t = std::move(spare_.back());
    spare_.pop_back();
    return t;
}

std::optional<EditHistory::State> EditHistory::step(std::vector<State>& from, std::size_t floor,
                                                    std::vector<State>& to, State current) {
    if (from.size() <= floor) return std::nullopt;
    State next = std::move(from.back());
    from.pop_back();
    to.push_back(std::move(current));
    unrecorded_ = true;
    return next;
}

}  // namespace norvtext
