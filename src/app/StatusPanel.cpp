// SPDX-License-Identifier: MIT
#include "app/StatusPanel.h"

#include <QFontMetrics>

StatusPanel::StatusPanel(QWidget* parent, Qt::TextElideMode elide) : QLabel(parent), elide_(elide) {
    // Neither a long text nor a short one may change the window's width.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setMinimumWidth(1);
}

void StatusPanel::setFullText(const QString& text) {
    full_ = text;
    setToolTip(text);
    fit();
    updateGeometry();
}

int StatusPanel::padding() const {
    return width() - contentsRect().width() + 2 * margin() + 4;
}

QSize StatusPanel::sizeHint() const {
    const QSize label = QLabel::sizeHint();
    const int frame = 2 * frameWidth() + 2 * margin() + 4;
    return {full_.isEmpty() ? 0 : fontMetrics().horizontalAdvance(full_) + frame, label.height()};
}

QSize StatusPanel::minimumSizeHint() const {
    return {1, QLabel::minimumSizeHint().height()};
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void StatusPanel::fit() {
    const int room = width() - padding();
    setText(fontMetrics().elidedText(full_, elide_, qMax(room, 0)));
}
