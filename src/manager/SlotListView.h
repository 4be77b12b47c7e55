#pragma once

#include "manager/SlotTable.h"

#include <QTreeWidget>
#include <QUrl>

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

    // The selected row when exactly one is selected, else -1.
    int selectedRow() const;
    // Column 0 is the caption, column n the sub-item n - 1.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

signals:
    // Links (files) were dropped on row `row`.
    void dropped(int row, const QList<QUrl>& urls);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void keepWidthInLimits(int column, int width);

    QList<int> minimumWidths_;
    QList<int> maximumWidths_;
};
