#pragma once

#include "custompatch/EditedLines.h"

#include <QAbstractScrollArea>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class CustomPatchSource;

// A plain-text editor for patches of any size. It lays out and paints only
// the lines in view, so a patch of millions of lines opens at once; the text
// lives in EditedLines, which makes unedited lines from the patch's file.
class PatchEditor : public QAbstractScrollArea {
    Q_OBJECT

public:
    struct Position {
        std::int64_t line = 0;
        int column = 0;
        auto operator<=>(const Position&) const = default;
    };

    explicit PatchEditor(QWidget* parent = nullptr);

    // Each empties the undo history.
    void setSource(std::shared_ptr<const CustomPatchSource> source);
    void setPlainText(const QString& text);
    void clear();

    QString toPlainText() const;
    std::int64_t blockCount() const { return lines_.count(); }
    const EditedLines& lines() const { return lines_; }

    Position cursorPosition() const { return cursor_; }
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

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // One undoable change: splicing `lines` over `count` lines from `first`.
    struct Step {
        std::int64_t first = 0;
        std::int64_t count = 0;
        EditedLines::Span lines;
        Position before; // where the cursor goes when the step is undone
        Position after;
    };

    bool hasSelection() const { return cursor_ != anchor_; }
    std::pair<Position, Position> selection() const;
    Position clamped(Position position) const;
    QString textBetween(Position from, Position to) const;
    void replaceBetween(Position from, Position to, const QString& text);
    Step apply(Step step); // returns the step that undoes it
    void deleteOrSelect(bool forward);
    void moveBy(int key, bool ctrl, bool keepAnchor);
    void afterReset();

    int lineHeight() const;
    int visibleRows() const; // rows shown whole
    int columnX(const QString& line, int column) const;
    Position positionAt(const QPoint& point) const;
    QRect cursorRect() const;
    void ensureCursorVisible();
    void updateScrollBars();

    EditedLines lines_;
    Position cursor_;
    Position anchor_;
    int wantedX_ = -1; // kept across up and down moves
    std::vector<Step> undo_;
    std::vector<Step> redo_;
};
