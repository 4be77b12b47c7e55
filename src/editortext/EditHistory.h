// SPDX-License-Identifier: MIT
#pragma once

#include "editortext/EditedLines.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// The patch editor's undo and redo steps, and where its text was last set or
// saved, so that undoing back there leaves the text unmodified again.
class EditHistory {
public:
    using Position = EditedLines::Position;
    // One change: splicing `lines` over `count` lines from `first`.
    struct Step {
        std::int64_t first = 0;
        std::int64_t count = 0;
        EditedLines::Span lines;
        Position before; // where the cursor goes when the step is undone
        Position after;
    };
    // Runs of typing or of erasing on one line go back in one step.
    enum class Edit { Other, Typing, Erasing, Deleting };
    // Makes a step and returns the step that undoes it.
    using Apply = std::function<Step(Step)>;

    void clear(); // nothing to undo or redo; the text as it is counts as saved
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    bool undo(const Apply& apply);
    bool redo(const Apply& apply);

    // The last step, when an edit of `kind` may join it: the run goes on.
    const Step* joinable(Edit kind) const;
    // Records the step that undoes an edit; an edit that joins the last step
    // only moves where that step's cursor came from.
    void record(Step inverse, Edit kind, bool joins);
    // A move or a click ends a run of typing.
    void endRun() { last_ = Edit::Other; }

    bool isModified() const { return cleanAt_ != std::ptrdiff_t(undo_.size()); }
    void setModified(bool modified);

private:
    // Makes the last step of `from` and keeps the step that undoes it in `to`.
    bool replay(std::vector<Step>& from, std::vector<Step>& to, const Apply& apply);

    std::vector<Step> undo_;
    std::vector<Step> redo_;
    Edit last_ = Edit::Other;
    // The length of undo_ where the text was set or saved; -1 when no undo
    // or redo can reach that text again.
    std::ptrdiff_t cleanAt_ = 0;
};
