// SPDX-License-Identifier: MIT
#include "app/SecretPanel.h"

#include <QPainter>

SecretPanel::SecretPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    connect(&timer_, &QTimer::timeout, this, &SecretPanel::advance);
    timer_.start(kTickMs);
}

void SecretPanel::setLines(const QStringList& lines) {
    qsizetype first = 0;
    while (first < lines.size() && lines[first].isEmpty()) {
        ++first;
    }
    lines_ = lines.mid(first);
    offset_ = 0;
    update();
}

int SecretPanel::cycleLength() const {
    return height() + int(lines_.size()) * fontMetrics().lineSpacing();
}

void SecretPanel::advance() {
    ++offset_;
    if (offset_ > cycleLength()) {
        offset_ = 0;
    }
    update();
}

void SecretPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int step = fontMetrics().lineSpacing();
    int top = height() - offset_;
    for (const QString& line : lines_) {
        if (top + step > 0 && top < height()) {
            painter.drawText(QRect(0, top, width(), step), Qt::AlignHCenter | Qt::AlignTop, line);
        }
        top += step;
    }
}
