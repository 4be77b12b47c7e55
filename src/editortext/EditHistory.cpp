// SPDX-License-Identifier: MIT
#include "editortext/EditHistory.h"

namespace {

// Enough to undo a long session of typing without keeping it all.
constexpr std::size_t kUndoSteps = 10000;

} // namespace

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
    last_ = Edit::Other;
    cleanAt_ = 0;
}

bool EditHistory::undo(const Apply& apply) {
    return replay(undo_, redo_, apply);
}

bool EditHistory::redo(const Apply& apply) {
    return replay(redo_, undo_, apply);
}

bool EditHistory::replay(std::vector<Step>& from, std::vector<Step>& to, const Apply& apply) {
    last_ = Edit::Other;
    if (from.empty()) {
        return false;
    }
    Step step = std::move(from.back());
    from.pop_back();
    to.push_back(apply(std::move(step)));
    return true;
}

const EditHistory::Step* EditHistory::joinable(Edit kind) const {
    // Never across the saved text: undo must be able to stop there.
    if (kind == Edit::Other || kind != last_ || undo_.empty() || !isModified()) {
        return nullptr;
    }
    return &undo_.back();
}

void EditHistory::record(Step inverse, Edit kind, bool joins) {
    redo_.clear();
    last_ = kind;
    if (joins && !undo_.empty()) {
        // The last step already puts back the text as it was before the run.
        undo_.back().before = inverse.before;
        return;
    }
    if (cleanAt_ > std::ptrdiff_t(undo_.size())) {
        cleanAt_ = -1; // the saved text was in the redo steps just dropped
    }
    undo_.push_back(std::move(inverse));
    if (undo_.size() > kUndoSteps) {
        undo_.erase(undo_.begin());
        cleanAt_ = cleanAt_ > 0 ? cleanAt_ - 1 : -1;
    }
}

void EditHistory::setModified(bool modified) {
    cleanAt_ = modified ? -1 : std::ptrdiff_t(undo_.size());
    last_ = Edit::Other; // the next keystroke starts a step of its own
}
