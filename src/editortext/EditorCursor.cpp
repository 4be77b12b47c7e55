// SPDX-License-Identifier: MIT
#include "editortext/EditorCursor.h"

#include <climits>

EditorCursor::EditorCursor(EditedText& text, Measure measure)
    : text_(text), measure_(std::move(measure)) {}

EditorCursor::Position EditorCursor::nearest(std::int64_t line, int x) const {
    Position p = text_.clamped(Position{line, 0});
    const QString text = text_.lines().line(p.line);
    int left = 0;
    while (p.column < text.size()) {
        const int right = measure_(text, p.column + 1);
        if (x < (left + right) / 2) {
            break;
        }
        left = right;
        ++p.column;
    }
    return p;
}

int EditorCursor::cursorX() const {
    const Position cursor = text_.cursor();
    return measure_(text_.lines().line(cursor.line), cursor.column);
}

bool EditorCursor::move(int key, bool ctrl, bool keepAnchor, std::int64_t page) {
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                          key == Qt::Key_PageDown;
    if (vertical && wantedX_ < 0) {
        wantedX_ = cursorX();
    }
    const std::optional<Position> to = text_.moved(key, ctrl, page);
    if (!to) {
        return false;
    }
    Position p = *to;
    if (vertical) {
        // The last column whose left edge is not past the kept one.
        p = text_.clamped(p);
        p.column = 0;
        const QString line = text_.lines().line(p.line);
        while (p.column < line.size() && measure_(line, p.column + 1) <= wantedX_) {
            ++p.column;
        }
    } else {
        wantedX_ = -1;
    }
    text_.setCursor(p, keepAnchor);
    return true;
}

std::pair<EditorCursor::Position, EditorCursor::Position>
EditorCursor::around(Position at, bool wholeLine) const {
    if (wholeLine) {
        return {{at.line, 0}, {at.line, INT_MAX}};
    }
    const auto [from, to] = text_.lines().runAround(at);
    return {{at.line, from}, {at.line, to}};
}

std::int64_t EditorCursor::topShowing(std::int64_t line, std::int64_t top, int rows) {
    if (line < top) {
        return line;
    }
    return line >= top + rows ? line - rows + 1 : top;
}

int EditorCursor::leftShowing(int x, int left, int width) {
    if (x < left) {
        return x;
    }
    return x > left + width ? x - width : left;
}
