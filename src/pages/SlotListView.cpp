// SPDX-License-Identifier: MIT
#include "pages/SlotListView.h"

#include "actions/ManagerSteps.h"
#include "base/TarvexError.h"
#include "pages/DroppedFile.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace {

constexpr int kNoLimit = 0;

// Draws the grid lines of a report view around every cell, and marks the
// row a dragged file would land on.
class GridDelegate final : public QStyledItemDelegate {
public:
    explicit GridDelegate(SlotListView* view) : QStyledItemDelegate(view), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (index.row() == view_->dropRow()) {
            QColor mark = option.palette.color(QPalette::Highlight);
            mark.setAlpha(90);
            painter->fillRect(option.rect, mark);
        }
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Midlight).darker(115));
        const QRect r = option.rect;
        painter->drawLine(r.topRight(), r.bottomRight());
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->restore();
    }

    // Room for the descenders above the grid line at any font size or scale.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const int text = option.fontMetrics.height();
        size.setHeight(qMax(size.height(), text + 2 * qMax(1, text / 8) + 1));
        return size;
    }

    // A cell too narrow for its text shows the whole text as a tooltip, and
    // a row with a problem says which below it.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip || !index.isValid()) {
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        }
        QStringList tip;
        if (sizeHint(option, index).width() > option.rect.width()) {
            tip << index.data().toString();
        }
        if (const QString problems = index.data(Qt::ToolTipRole).toString(); !problems.isEmpty()) {
            tip << problems;
        }
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(event->globalPos(), tip.join(QLatin1Char('\n')), view->viewport(),
                               option.rect);
        }
        return true;
    }

private:
    const SlotListView* view_;
};

} // namespace

SlotListView::SlotListView(const ManagerInfo& info, QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    setItemDelegate(new GridDelegate(this));
    // Files dragged from a file manager land on a row; the page decides.
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);

    // The selected row stays marked when the focus moves to the edit panel.
    QPalette colours = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    }
    setPalette(colours);

    const QStringList captions = SlotTable::columnCaptions(info);
    const QList<int> widths = SlotTable::columnWidths(info);
    setColumnCount(int(captions.size()));
    setHeaderLabels(captions);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setMinimumSectionSize(0);
    const int sizeColumn = int(captions.size()) - 1;
    for (int column = 0; column < columnCount(); ++column) {
        minimumWidths_.append(column < 2             ? 60
                              : column == sizeColumn ? info.sizeColumnMinimum
                                                     : kNoLimit);
        maximumWidths_.append(column == sizeColumn ? info.sizeColumnMaximum : kNoLimit);
        header()->resizeSection(column, widths.value(column));
        // The zero-width column holds a sub-item nobody shows.
        header()->setSectionHidden(column, widths.value(column) == 0);
        // The widest column without a limit takes the width the others leave.
        if (maximumWidths_.back() == kNoLimit &&
            (fillColumn_ < 0 || widths.value(column) > widths.value(fillColumn_))) {
            fillColumn_ = column;
        }
    }
    fillWidth_ = widths.value(fillColumn_);
    connect(header(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { keepWidthInLimits(column, width); });
}

void SlotListView::keepWidthInLimits(int column, int width) {
    const int minimum = minimumWidths_.value(column);
    const int maximum = maximumWidths_.value(column);
    if (header()->isSectionHidden(column)) {
        return;
    }
    if (minimum != kNoLimit && width < minimum) {
        header()->resizeSection(column, minimum);
    } else if (maximum != kNoLimit && width > maximum) {
        header()->resizeSection(column, maximum);
    }
}

void SlotListView::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    fillWidth();
}

void SlotListView::fillWidth() {
    if (fillColumn_ < 0) {
        return;
    }
    int others = 0;
    for (int column = 0; column < columnCount(); ++column) {
        if (column != fillColumn_ && !header()->isSectionHidden(column)) {
            others += header()->sectionSize(column);
        }
    }
    header()->resizeSection(fillColumn_, qMax(fillWidth_, viewport()->width() - others));
}

void SlotListView::setVisibleRows(int rows) {
    visibleRows_ = rows;
    fitVisibleRows();
}

void SlotListView::fitVisibleRows() {
    if (visibleRows_ <= 0) {
        return;
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int row = itemDelegate()->sizeHint(option, QModelIndex()).height();
    setFixedHeight(header()->sizeHint().height() + visibleRows_ * row + 2 * frameWidth());
}

void SlotListView::changeEvent(QEvent* event) {
    QTreeWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        fitVisibleRows();
    }
}

void SlotListView::fill(const SlotTable& table) {
    clear();
    if (!table.isAvailable()) {
        return;
    }
    QList<QTreeWidgetItem*> rows;
    const qsizetype count = table.slotCount();
    rows.reserve(count);
    for (qsizetype slot = 0; slot < count; ++slot) {
        const SlotTable::Row row = table.row(slot);
        rows.append(new QTreeWidgetItem(row.columns));
        if (row.error) {
            addTopLevelItems(rows);
            throw *row.error;
        }
        markProblems(*rows.back(), managersteps::slotContent(table, slot));
    }
    addTopLevelItems(rows);
}

void SlotListView::markProblems(int row, const std::optional<content::ContentInfo>& content) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        markProblems(*item, content);
    }
}

void SlotListView::markProblems(QTreeWidgetItem& item,
                                const std::optional<content::ContentInfo>& content) {
    const bool problem = content && !content->problems.isEmpty();
    item.setIcon(0, problem ? style()->standardIcon(QStyle::SP_MessageBoxWarning) : QIcon());
    const QString tip = problem ? content->problems.join(QLatin1Char('\n')) : QString();
    for (int column = 0; column < columnCount(); ++column) {
        item.setToolTip(column, tip);
    }
}

int SlotListView::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.size() == 1 ? indexOfTopLevelItem(selected.front()) : -1;
}

QString SlotListView::cell(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->text(column) : QString();
}

void SlotListView::setCell(int row, int column, const QString& text) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        item->setText(column, text);
    }
}

void SlotListView::dragEnterEvent(QDragEnterEvent* event) {
    // The drop's row is known only once the drag moves over one.
    if (droppedfile::carriesUrls(event->mimeData())) {
        droppedfile::answer(*event, true);
    } else {
        event->ignore();
    }
}

int SlotListView::takingRow(QDropEvent& event) {
    const QModelIndex at = indexAt(event.position().toPoint());
    if (!at.isValid() || !droppedfile::carriesUrls(event.mimeData())) {
        return -1; // below the rows nothing is taken, and nothing to say
    }
    const QString refusal = dropCheck_ ? dropCheck_(at.row(), event.mimeData()->urls()) : QString();
    emit dragRefused(refusal);
    return refusal.isEmpty() ? at.row() : -1;
}

void SlotListView::dragMoveEvent(QDragMoveEvent* event) {
    const int row = takingRow(*event);
    setDropRow(row);
    droppedfile::answer(*event, row >= 0);
}

void SlotListView::dragLeaveEvent(QDragLeaveEvent* event) {
    setDropRow(-1);
    emit dragRefused({});
    event->accept();
}

void SlotListView::dropEvent(QDropEvent* event) {
    const int row = takingRow(*event);
    setDropRow(-1);
    emit dragRefused({});
    droppedfile::answer(*event, row >= 0);
    if (event->isAccepted()) {
        emit dropped(row, event->mimeData()->urls());
    }
}

void SlotListView::setDropRow(int row) {
    if (row != dropRow_) {
        dropRow_ = row;
        viewport()->update();
    }
}
