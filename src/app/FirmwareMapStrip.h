// SPDX-License-Identifier: MIT
#pragma once

#include "firmware/FirmwareMap.h"

#include <QWidget>

class QPushButton;

// The firmware's map as one strip across the overview: a tooltip for each
// piece, a click on a resource or table entry names its resource, and a
// patch chosen with the button is marked on it.
class FirmwareMapStrip : public QWidget {
    Q_OBJECT

public:
    FirmwareMapStrip(const FirmwareImage& image, const firmwarescan::Result& scan,
                     QWidget* parent = nullptr);

    // Marks what the patch at path writes; the map without a patch for none.
    void markPatch(const QString& path);
    // The map as drawn now, in the strip's pixels.
    const firmwaremap::Map& map() const { return map_; }
    // Where a lane's pieces are drawn, in the strip's pixels.
    QRect laneRect(firmwaremap::Lane lane) const;

signals:
    void resourceClicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Asks for a patch and marks it.
    void chooseAndMarkPatch();
    const firmwaremap::Piece* pieceAt(const QPoint& point) const;
    void relayout();

    const FirmwareImage& image_;
    const firmwarescan::Result& scan_;
    std::vector<firmwarerevert::Span> patch_;
    firmwaremap::Map map_;
    QPushButton* markButton_;
};
