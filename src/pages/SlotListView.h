// SPDX-License-Identifier: MIT
#pragma once

#include "content/ContentInfo.h"
#include "manager/SlotTable.h"

#include <QTreeWidget>
#include <QUrl>
#include <functional>
#include <optional>

// A manager's slot list in report style: grid lines, whole-row single
// selection that stays visible without focus, read-only, never sorted, the
// manager's columns and widths. Row i is slot i for the whole run.
class SlotListView : public QTreeWidget {
    Q_OBJECT

public:
    explicit SlotListView(const ManagerInfo& info, QWidget* parent = nullptr);

    // One row per slot (FillSlotViews). A companion list shorter than the
    // names list adds the row read so far, then raises the list index error.
    void fill(const SlotTable& table);

    // A warning icon on a row whose new file has a problem, the problems as
    // the row's tooltip; nothing for a sound file or a standard slot.
    void markProblems(int row, const std::optional<content::ContentInfo>& content);

    // The selected row when exactly one is selected, else -1.
    int selectedRow() const;
    // Column 0 is the caption, column n the sub-item n - 1.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

    // Why row `row` cannot take the links dragged over it; empty when it can.
    using DropCheck = std::function<QString(int row, const QList<QUrl>& urls)>;
    void setDropCheck(DropCheck check) { dropCheck_ = std::move(check); }
    // The list's height fixed to the header and `rows` whole rows, at any
    // text size.
    void setVisibleRows(int rows);
    // The row a drag would drop on, highlighted while the drag is over it; -1 when none.
    int dropRow() const { return dropRow_; }

signals:
    // Links (files) were dropped on row `row`.
    void dropped(int row, const QList<QUrl>& urls);
    // A drag over the list was refused with `reason`, or (empty) left it.
    void dragRefused(const QString& reason);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void keepWidthInLimits(int column, int width);
    // The row under the drag that may take it, -1 when none; refusals reported.
    int takingRow(QDropEvent& event);
    void setDropRow(int row);

    void fitVisibleRows();
    // The fill column widened so that the columns reach the list's right edge.
    void fillWidth();
    void markProblems(QTreeWidgetItem& item, const std::optional<content::ContentInfo>& content);

    int visibleRows_ = 0;
    DropCheck dropCheck_;
    int dropRow_ = -1;

    QList<int> minimumWidths_;
    QList<int> maximumWidths_;
    int fillColumn_ = -1;
    int fillWidth_ = 0; // its own width: it never gets narrower
};
