// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>

// The credits of the about box: centred lines that rise one pixel per tick,
// entering at the bottom edge and starting again once the last line has left
// the top.
class SecretPanel : public QWidget {
    Q_OBJECT

public:
    explicit SecretPanel(QWidget* parent = nullptr);

    static constexpr int kTickMs = 80;

    // Leading empty lines are dropped.
    void setLines(const QStringList& lines);
    const QStringList& lines() const { return lines_; }

    // How far the text has risen from the bottom edge, in pixels.
    int scrollOffset() const { return offset_; }
    // One tick of the scroll.
    void advance();
    // Pixels from the text entering to its last line leaving.
    int cycleLength() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList lines_;
    int offset_ = 0;
    QTimer timer_;
};
