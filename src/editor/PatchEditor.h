// SPDX-License-Identifier: MIT
#pragma once

#include "editortext/EditedText.h"
#include "editortext/EditorCursor.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QList>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QAction;

class CustomPatchSource;

// A plain-text editor for patches of any size. It lays out and paints only
// the lines in view, so a patch of millions of lines opens at once; the text
// and its cursor live in EditedText, whose lines are made from the patch's
// file until they are edited, and EditorCursor turns keys and clicks into places.
class PatchEditor : public QAbstractScrollArea {
    Q_OBJECT

public:
    using Position = EditedLines::Position;

    explicit PatchEditor(QWidget* parent = nullptr);

    // Each empties the undo history and leaves the text unmodified.
    void setSource(std::shared_ptr<const CustomPatchSource> source);
    void setPlainText(const QString& text);
    void clear();

    QString toPlainText() const;
    std::int64_t blockCount() const { return text_.lines().count(); }
    const EditedLines& lines() const { return text_.lines(); }

    Position cursorPosition() const { return text_.cursor(); }
    void setCursorPosition(Position position, bool keepAnchor = false);
    QString selectedText() const;
    void selectAll();
    // Replaces the selection (or inserts at the cursor) as typing does.
    void insertText(const QString& text);

    void undo();
    void redo();
    void cut();
    void copy() const;
    void paste();

    // Whether the text changed since it was set or marked saved; undoing
    // back to that point leaves it unmodified again.
    bool isModified() const;
    void setModified(bool modified); // false marks the text as saved

    // Selects the next place where `text` stands (letters in any case), from
    // the cursor on and round from the first line; false when it stands
    // nowhere. betweenBlocks runs between the blocks of a long search.
    bool find(const QString& text, const std::function<void()>& betweenBlocks = {});
    // Puts the cursor at the start of the line (counted from 1) and shows it.
    void goToLine(std::int64_t line);
    // Commands of the page listed after the editor's own in its context menu.
    void setPageActions(QList<QAction*> actions) { pageActions_ = std::move(actions); }

signals:
    // The text was set, edited, undone or redone.
    void textChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    using Edit = EditHistory::Edit;

    bool hasSelection() const { return text_.hasSelection(); }
    void replaceBetween(Position from, Position to, const QString& text, Edit kind = Edit::Other);
    void afterEdit(); // shows the changed text and the cursor
    void deleteOrSelect(bool forward);
    void select(Position anchor, Position cursor);
    void selectAround(Position at, bool wholeLine);
    void publishSelection(); // as the primary selection
    void moveBy(int key, bool ctrl, bool keepAnchor);
    void afterReset();

    int lineHeight() const;
    int visibleRows() const; // rows shown whole
    int columnX(const QString& line, int column) const;
    Position positionAt(const QPoint& point) const;
    QRect cursorRect() const;
    void ensureCursorVisible();
    void updateScrollBars();

    EditedText text_;
    EditorCursor cursor_;            // places in pixels, over text_
    QElapsedTimer sinceDoubleClick_; // a third click soon after selects the line
    QPoint doubleClickAt_;
    QList<QAction*> pageActions_;
};
