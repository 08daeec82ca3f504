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
    if (oldest_ == max_steps) drop(undo_, oldest_);
    before_.text = spare_text();
    drop(redo_, redo_.size());
}

void EditHistory::reset() {
    drop(undo_, undo_.size());
    drop(redo_, redo_.size());
    unrecorded_ = true;
}

void EditHistory::drop(std::vector<State>& steps, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (spare_.size() < max_steps) spare_.push_back(std::move(steps[i].text));
    steps.erase(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(count));
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
