// SPDX-License-Identifier: MIT
#pragma once

#include "manager/SlotTable.h"

#include <QString>
#include <QWidget>
#include <cstdint>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

// The object names of one manager's memory controls.
struct MemoryPanelNames {
    QString panel;
    QString usedCaption;
    QString used;
    QString totalCaption;
    QString total;
    QString gauge;
    QString createButton;
};

// The foot of a manager's edit panel: a lowered panel with the used and total
// byte counts and a smooth gauge, above the large "Создать патч!" button.
class MemoryPanel : public QWidget {
    Q_OBJECT

public:
    explicit MemoryPanel(const MemoryPanelNames& names, QWidget* parent = nullptr);

    QPushButton* createButton() const { return create_; }

    void showTotal(std::int32_t total);
    // Used bytes, the share in per cent, the maroon warning and the create
    // button's state.
    void showGauge(const SlotTable::Gauge& gauge);

    static QString bytesText(std::int32_t bytes);
    // The tooltip of the used label and the create button over the limit.
    static QString overLimitHint(std::int64_t excess);
    static const QColor& overLimitColour();

private:
    QFrame* frame_;
    QLabel* used_;
    QLabel* total_;
    QProgressBar* gauge_;
    QPushButton* create_;
};
