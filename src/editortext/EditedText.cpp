// SPDX-License-Identifier: MIT
#include "editortext/EditedText.h"

#include <algorithm>
#include <climits>

namespace {

QStringList splitTyped(QString text) {
    // Pasted text may end its lines in any way; the box holds plain lines.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text.split(QLatin1Char('\n'));
}

bool isSpace(QStringView text, qsizetype at) {
    return at >= 0 && at < text.size() && text.at(at).isSpace();
}

} // namespace

void EditedText::reset(std::shared_ptr<const CustomPatchSource> source) {
    lines_.reset(std::move(source));
    afterReset();
}

void EditedText::reset(QStringList lines) {
    lines_.reset(std::move(lines));
    afterReset();
}

void EditedText::afterReset() {
    cursor_ = anchor_ = Position{};
    history_.clear();
}

std::pair<EditedText::Position, EditedText::Position> EditedText::selection() const {
    return std::minmax(cursor_, anchor_);
}

QString EditedText::selectedText() const {
    const auto [from, to] = selection();
    return lines_.text(from, to);
}

EditedText::Position EditedText::clamped(Position p) const {
    p.line = std::clamp<std::int64_t>(p.line, 0, lines_.count() - 1);
    p.column = std::clamp(p.column, 0, int(lines_.line(p.line).size()));
    return p;
}

EditedText::Position EditedText::end() const {
    return clamped(Position{lines_.count(), INT_MAX});
}

void EditedText::setCursor(Position position, bool keepAnchor) {
    cursor_ = clamped(position);
    if (!keepAnchor) {
        anchor_ = cursor_;
    }
}

void EditedText::selectAll() {
    anchor_ = Position{};
    cursor_ = end();
}

std::optional<EditedText::Position> EditedText::moved(int key, bool ctrl, std::int64_t page) const {
    Position p = cursor_;
    const int lineLength = int(lines_.line(p.line).size());
    switch (key) {
    case Qt::Key_Left:
        if (p.column > 0) {
            --p.column;
        } else if (p.line > 0) {
            p = {p.line - 1, INT_MAX};
        }
        break;
    case Qt::Key_Right:
        if (p.column < lineLength) {
            ++p.column;
        } else if (p.line + 1 < lines_.count()) {
            p = {p.line + 1, 0};
        }
        break;
    case Qt::Key_Up:
        p.line -= 1;
        break;
    case Qt::Key_Down:
        p.line += 1;
        break;
    case Qt::Key_PageUp:
        p.line -= page;
        break;
    case Qt::Key_PageDown:
        p.line += page;
        break;
    case Qt::Key_Home:
        p = ctrl ? Position{} : Position{p.line, 0};
        break;
    case Qt::Key_End:
        p = ctrl ? Position{lines_.count(), INT_MAX} : Position{p.line, INT_MAX};
        break;
    default:
        return std::nullopt;
    }
    return p;
}

bool EditedText::joinsLastStep(Position from, Position to, const QString& text, Edit kind) const {
    const Step* last = history_.joinable(kind);
    // Typing over a selection is a step of its own; erasing selects the
    // character first, from where the cursor stood.
    if (last == nullptr || from.line != to.line || text.contains(QLatin1Char('\n')) ||
        (kind == Edit::Typing && hasSelection())) {
        return false;
    }
    const Position caret = kind == Edit::Typing ? cursor_ : anchor_;
    // Only where the last step left the cursor, on the line it changed.
    if (last->first != from.line || last->count != 1 || last->before != caret) {
        return false;
    }
    // A word typed after a blank is a step of its own.
    const QString line = lines_.line(from.line);
    return kind != Edit::Typing || isSpace(text, 0) || !isSpace(line, from.column - 1);
}

bool EditedText::replace(Position from, Position to, const QString& text, Edit kind) {
    if (from == to && text.isEmpty()) {
        return false;
    }
    const bool joins = joinsLastStep(from, to, text, kind);
    const QString first = lines_.line(from.line);
    const QString last = from.line == to.line ? first : lines_.line(to.line);
    const QStringView tail = QStringView(last).mid(to.column);
    QStringList added = splitTyped(text);
    added.front().prepend(QStringView(first).left(from.column));
    const Position after{from.line + added.size() - 1, int(added.back().size())};
    added.back().append(tail);
    Step step{from.line, to.line - from.line + 1, EditedLines::ownLines(std::move(added)), from,
              after};
    history_.record(apply(std::move(step)), kind, joins);
    return true;
}

EditedText::Step EditedText::apply(Step step) {
    Step inverse{step.first, EditedLines::lineCount(step.lines), {}, step.after, step.before};
    inverse.lines = lines_.splice(step.first, step.count, std::move(step.lines));
    setCursor(step.after);
    return inverse;
}

bool EditedText::undo() {
    return history_.undo([this](Step step) { return apply(std::move(step)); });
}

bool EditedText::redo() {
    return history_.redo([this](Step step) { return apply(std::move(step)); });
}
