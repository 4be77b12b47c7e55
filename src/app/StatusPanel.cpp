// SPDX-License-Identifier: MIT
#include "app/StatusPanel.h"

#include <QFontMetrics>

StatusPanel::StatusPanel(QWidget* parent) : QLabel(parent) {
    // Neither a long text nor a short one may change the window's width.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setMinimumWidth(1);
}

void StatusPanel::setFullText(const QString& text) {
    full_ = text;
    setToolTip(text);
    fit();
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void StatusPanel::fit() {
    const int room = contentsRect().width() - 2 * margin() - 4;
    setText(fontMetrics().elidedText(full_, Qt::ElideMiddle, qMax(room, 0)));
}
