// SPDX-License-Identifier: MIT
#pragma once

#include "editortext/EditHistory.h"
#include "editortext/EditedLines.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <utility>

class CustomPatchSource;

// The patch editor's text with its cursor, selection and undo history, and
// what typing, erasing and undoing do to them; the editor window shows it.
class EditedText {
public:
    using Position = EditedLines::Position;
    using Edit = EditHistory::Edit;

    // Each empties the undo history, leaves the text unmodified and puts the
    // cursor at the start.
    void reset(std::shared_ptr<const CustomPatchSource> source);
    void reset(QStringList lines);

    const EditedLines& lines() const { return lines_; }
    const EditHistory& history() const { return history_; }

    Position cursor() const { return cursor_; }
    Position anchor() const { return anchor_; }
    bool hasSelection() const { return cursor_ != anchor_; }
    std::pair<Position, Position> selection() const; // in text order
    QString selectedText() const;
    // The position inside the text nearest to `position`.
    Position clamped(Position position) const;
    Position end() const;

    // Moves the cursor (clamped); the anchor stays with keepAnchor, else it
    // follows and nothing is selected.
    void setCursor(Position position, bool keepAnchor = false);
    void selectAll();
    // Where a cursor key takes the cursor: Left and Right a character on
    // (across line breaks), Up, Down, Page Up and Page Down (page lines) to
    // another line, unclamped and at the same column (the window places it
    // under the same point), Home and End to the line's ends or with ctrl the
    // text's; nothing for another key.
    std::optional<Position> moved(int key, bool ctrl, std::int64_t page) const;

    // Replaces [from, to) with text, as an edit of the kind: a run of typing
    // or erasing on one line joins the last undo step. The cursor ends after
    // the new text. Returns false when there was nothing to change.
    bool replace(Position from, Position to, const QString& text, Edit kind = Edit::Other);
    // Each returns false when there was nothing to undo or redo.
    bool undo();
    bool redo();
    // A move or a click ends a run of typing.
    void endRun() { history_.endRun(); }

    bool isModified() const { return history_.isModified(); }
    void setModified(bool modified) { history_.setModified(modified); }

private:
    using Step = EditHistory::Step;

    bool joinsLastStep(Position from, Position to, const QString& text, Edit kind) const;
    Step apply(Step step); // returns the step that undoes it
    void afterReset();

    EditedLines lines_;
    Position cursor_;
    Position anchor_;
    EditHistory history_;
};
