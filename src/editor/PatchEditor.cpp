// SPDX-License-Identifier: MIT
#include "editor/PatchEditor.h"

#include "editor/EditorKeys.h"
#include "editor/PrimarySelection.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {

constexpr int kMargin = 4;

} // namespace

PatchEditor::PatchEditor(QWidget* parent)
    : QAbstractScrollArea(parent),
      cursor_(text_, [this](const QString& line, int column) { return columnX(line, column); }) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    updateScrollBars();
}

void PatchEditor::setSource(std::shared_ptr<const CustomPatchSource> source) {
    text_.reset(std::move(source));
    afterReset();
}

void PatchEditor::setPlainText(const QString& text) {
    text_.reset(text.split(QLatin1Char('\n')));
    afterReset();
}

void PatchEditor::clear() {
    setPlainText(QString());
}

void PatchEditor::afterReset() {
    cursor_.forgetColumn();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
    emit textChanged();
}

QString PatchEditor::toPlainText() const {
    return text_.lines().text(Position{}, text_.end());
}

QString PatchEditor::selectedText() const {
    return text_.selectedText();
}

void PatchEditor::setCursorPosition(Position position, bool keepAnchor) {
    text_.setCursor(position, keepAnchor);
    ensureCursorVisible();
    viewport()->update();
}

void PatchEditor::selectAll() {
    // The view stays where it is.
    text_.selectAll();
    viewport()->update();
    publishSelection();
}

void PatchEditor::select(Position anchor, Position cursor) {
    setCursorPosition(anchor);
    setCursorPosition(cursor, true);
    cursor_.forgetColumn();
    publishSelection();
}

void PatchEditor::publishSelection() {
    if (hasSelection() && primaryselection::available()) {
        const auto [from, to] = text_.selection();
        primaryselection::setLines(text_.lines(), from, to);
    }
}

void PatchEditor::selectAround(Position at, bool wholeLine) {
    const auto [anchor, cursor] = cursor_.around(at, wholeLine);
    select(anchor, cursor);
}

void PatchEditor::insertText(const QString& text) {
    const auto [from, to] = text_.selection();
    replaceBetween(from, to, text);
}

bool PatchEditor::isModified() const {
    return text_.isModified();
}

void PatchEditor::setModified(bool modified) {
    text_.setModified(modified);
}

void PatchEditor::replaceBetween(Position from, Position to, const QString& text, Edit kind) {
    if (text_.replace(from, to, text, kind)) {
        afterEdit();
    }
}

void PatchEditor::afterEdit() {
    updateScrollBars();
    setCursorPosition(text_.cursor());
    cursor_.forgetColumn();
    emit textChanged();
}

void PatchEditor::undo() {
    if (text_.undo()) {
        afterEdit();
    }
}

void PatchEditor::redo() {
    if (text_.redo()) {
        afterEdit();
    }
}

void PatchEditor::copy() const {
    if (hasSelection()) {
        QApplication::clipboard()->setText(selectedText());
    }
}

void PatchEditor::cut() {
    copy();
    insertText(QString());
}

void PatchEditor::paste() {
    const QString text = QApplication::clipboard()->text();
    if (!text.isEmpty()) {
        insertText(text);
    }
}

void PatchEditor::deleteOrSelect(bool forward) {
    Edit kind = Edit::Other;
    if (!hasSelection()) {
        // The character beside the cursor, or the line break there.
        moveBy(forward ? Qt::Key_Right : Qt::Key_Left, false, true);
        kind = forward ? Edit::Deleting : Edit::Erasing;
    }
    const auto [from, to] = text_.selection();
    replaceBetween(from, to, QString(), kind);
}

bool PatchEditor::find(const QString& text, const std::function<void()>& betweenBlocks) {
    const auto found = text_.lines().find(text, text_.cursor(), betweenBlocks);
    if (!found) {
        return false;
    }
    const QScrollBar* bar = verticalScrollBar();
    if (found->line < bar->value() || found->line >= bar->value() + visibleRows()) {
        goToLine(found->line + 1); // out of view: shown amid the lines around it
    }
    // The cursor at its end: the next search starts past it.
    select({found->line, found->column}, {found->line, found->column + int(text.size())});
    return true;
}

void PatchEditor::goToLine(std::int64_t line) {
    const Position at = text_.clamped(Position{line - 1, 0});
    // In the middle of the view, where the eye looks for it.
    verticalScrollBar()->setValue(int(at.line - visibleRows() / 2));
    setCursorPosition(at);
    cursor_.forgetColumn();
}

void PatchEditor::moveBy(int key, bool ctrl, bool keepAnchor) {
    if (cursor_.move(key, ctrl, keepAnchor, std::max(1, visibleRows()))) {
        ensureCursorVisible();
        viewport()->update();
    }
}

void PatchEditor::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo)) {
        undo();
    } else if (editorkeys::isRedo(*event)) {
        redo();
    } else if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::Cut)) {
        cut();
    } else if (event->matches(QKeySequence::Paste)) {
        paste();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else {
        const int key = event->key();
        const bool ctrl = event->modifiers() & Qt::ControlModifier;
        const bool shift = event->modifiers() & Qt::ShiftModifier;
        switch (key) {
        case Qt::Key_Backspace:
            deleteOrSelect(false);
            break;
        case Qt::Key_Delete:
            deleteOrSelect(true);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            insertText(QStringLiteral("\n"));
            break;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            moveBy(key, ctrl, shift);
            if (shift) {
                publishSelection();
            }
            break;
        default: {
            const QString text = event->text();
            if (text.isEmpty() || !text.front().isPrint() ||
                (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
                QAbstractScrollArea::keyPressEvent(event);
                return;
            }
            const auto [from, to] = text_.selection();
            replaceBetween(from, to, text, Edit::Typing);
        }
        }
    }
    event->accept();
}

int PatchEditor::lineHeight() const {
    return std::max(1, fontMetrics().lineSpacing());
}

int PatchEditor::visibleRows() const {
    return viewport()->height() / lineHeight();
}

int PatchEditor::columnX(const QString& line, int column) const {
    return fontMetrics().horizontalAdvance(line.left(column));
}

PatchEditor::Position PatchEditor::positionAt(const QPoint& point) const {
    const std::int64_t row = point.y() < 0 ? -1 : point.y() / lineHeight();
    return cursor_.nearest(verticalScrollBar()->value() + row,
                           point.x() - kMargin + horizontalScrollBar()->value());
}

QRect PatchEditor::cursorRect() const {
    const Position cursor = text_.cursor();
    const std::int64_t row = cursor.line - verticalScrollBar()->value();
    const int x = kMargin - horizontalScrollBar()->value() + cursor_.cursorX();
    return QRect(x, int(row) * lineHeight(), 2, lineHeight());
}

void PatchEditor::ensureCursorVisible() {
    QScrollBar* v = verticalScrollBar();
    v->setValue(
        int(EditorCursor::topShowing(text_.cursor().line, v->value(), std::max(1, visibleRows()))));
    QScrollBar* h = horizontalScrollBar();
    h->setValue(EditorCursor::leftShowing(cursor_.cursorX(), h->value(),
                                          viewport()->width() - 2 * kMargin));
}

void PatchEditor::updateScrollBars() {
    const int rows = std::max(1, visibleRows());
    QScrollBar* v = verticalScrollBar();
    // A patch of a 2 GiB file has 134 million lines: the bar counts lines.
    v->setRange(0, int(std::max<std::int64_t>(0, text_.lines().count() - rows)));
    v->setPageStep(rows);
    v->setSingleStep(1);
    QScrollBar* h = horizontalScrollBar();
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int width = (text_.lines().widestLine() + 1) * charWidth + 2 * kMargin;
    h->setRange(0, std::max(0, width - viewport()->width()));
    h->setPageStep(viewport()->width());
    h->setSingleStep(charWidth);
}

void PatchEditor::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QPalette& colours = palette();
    painter.fillRect(event->rect(), colours.base());
    const QFontMetrics metrics = fontMetrics();
    const int height = lineHeight();
    const int x0 = kMargin - horizontalScrollBar()->value();
    const std::int64_t top = verticalScrollBar()->value();
    const std::int64_t end =
        std::min(text_.lines().count(), top + viewport()->height() / height + 1);
    const auto [from, to] = text_.selection();
    for (std::int64_t l = top; l < end; ++l) {
        const QString line = text_.lines().line(l);
        const int y = int(l - top) * height;
        painter.setPen(colours.text().color());
        painter.drawText(x0, y + metrics.ascent(), line);
        if (hasSelection() && l >= from.line && l <= to.line) {
            const int a = x0 + columnX(line, l == from.line ? from.column : 0);
            // A selected line break shows as one selected blank.
            const int b = l == to.line ? x0 + columnX(line, to.column)
                                       : x0 + metrics.horizontalAdvance(line + QLatin1Char(' '));
            const QRect band(a, y, b - a, height);
            painter.fillRect(band, colours.highlight());
            painter.save();
            painter.setClipRect(band);
            painter.setPen(colours.highlightedText().color());
            painter.drawText(x0, y + metrics.ascent(), line);
            painter.restore();
        }
    }
    if (hasFocus()) {
        painter.fillRect(cursorRect(), colours.text());
    }
}

void PatchEditor::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PatchEditor::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateScrollBars(); // the rows and columns changed size
    }
}

void PatchEditor::mousePressEvent(QMouseEvent* event) {
    text_.endRun();
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const bool third =
            sinceDoubleClick_.isValid() &&
            sinceDoubleClick_.elapsed() < QApplication::doubleClickInterval() &&
            (point - doubleClickAt_).manhattanLength() < QApplication::startDragDistance();
        sinceDoubleClick_.invalidate();
        if (third) {
            selectAround(positionAt(point), true);
            return;
        }
        setCursorPosition(positionAt(point), event->modifiers() & Qt::ShiftModifier);
        cursor_.forgetColumn();
    } else if (event->button() == Qt::MiddleButton) {
        // X11's paste of the primary selection, where the pointer is.
        const QString text = primaryselection::text();
        if (!text.isEmpty()) {
            setCursorPosition(positionAt(point));
            insertText(text);
        }
    }
}

void PatchEditor::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    doubleClickAt_ = event->position().toPoint();
    sinceDoubleClick_.start();
    selectAround(positionAt(doubleClickAt_), false);
}

void PatchEditor::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        setCursorPosition(positionAt(event->position().toPoint()), true);
    }
}

void PatchEditor::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        publishSelection();
    }
}

void PatchEditor::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    const auto add = [&](const QString& text, QKeySequence::StandardKey key, bool enabled,
                         auto slot) {
        QAction* action = menu.addAction(text);
        action->setShortcut(key);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
    };
    add(tr("Undo"), QKeySequence::Undo, text_.history().canUndo(), &PatchEditor::undo);
    add(tr("Redo"), QKeySequence::Redo, text_.history().canRedo(), &PatchEditor::redo);
    menu.addSeparator();
    add(tr("Cut"), QKeySequence::Cut, hasSelection(), &PatchEditor::cut);
    add(tr("Copy"), QKeySequence::Copy, hasSelection(), &PatchEditor::copy);
    add(tr("Paste"), QKeySequence::Paste, !QApplication::clipboard()->text().isEmpty(),
        &PatchEditor::paste);
    menu.addSeparator();
    add(tr("Select all"), QKeySequence::SelectAll, true, &PatchEditor::selectAll);
    if (!pageActions_.isEmpty()) {
        menu.addSeparator();
        menu.addActions(pageActions_);
    }
    menu.exec(event->globalPos());
}

bool PatchEditor::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        editorkeys::usedByEditor(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void PatchEditor::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) {
        insertText(event->commitString());
    }
    event->accept();
}

QVariant PatchEditor::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImCursorRectangle) {
        return cursorRect();
    }
    return QAbstractScrollArea::inputMethodQuery(query);
}

void PatchEditor::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void PatchEditor::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}
