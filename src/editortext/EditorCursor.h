// SPDX-License-Identifier: MIT
#pragma once

#include "editortext/EditedText.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <utility>

// The patch editor's cursor in the terms of its view: pixels across a line,
// what a cursor key or a click reaches and what a double or triple click
// selects, and how far the view scrolls to show a place. It moves the
// EditedText's cursor and keeps the pixel column that up and down return to;
// the window measures text in its font and paints.
class EditorCursor {
public:
    using Position = EditedLines::Position;
    // The width in pixels of the first `column` characters of `line`.
    using Measure = std::function<int(const QString& line, int column)>;

    EditorCursor(EditedText& text, Measure measure);

    // The place on line `line` (clamped into the text) nearest to `x`
    // pixels from the line's start: the gap between characters closest to it.
    Position nearest(std::int64_t line, int x) const;
    // The cursor's distance in pixels from the start of its line.
    int cursorX() const;

    // Moves the cursor as a cursor key does, `page` lines for Page Up and
    // Page Down; up and down go to the column nearest the pixel column the
    // first of them started from. False for a key that moves nothing.
    bool move(int key, bool ctrl, bool keepAnchor, std::int64_t page);
    // Any other change of place ends the kept column.
    void forgetColumn() { wantedX_ = -1; }
    // What a double click at `at` selects, the run of like characters, or a
    // triple click, the whole line: as anchor and cursor.
    std::pair<Position, Position> around(Position at, bool wholeLine) const;

    // The first row to show of `rows` so that `line` is in view, from `top`.
    static std::int64_t topShowing(std::int64_t line, std::int64_t top, int rows);
    // The first pixel to show of `width` so that `x` is in view, from `left`.
    static int leftShowing(int x, int left, int width);

private:
    EditedText& text_;
    Measure measure_;
    int wantedX_ = -1; // kept across up and down moves
};
