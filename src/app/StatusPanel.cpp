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
    emit fullTextChanged();
}

void StatusPanel::setGivesWayTo(const StatusPanel* news) {
    news_ = news;
    connect(news, &StatusPanel::fullTextChanged, this, &QWidget::updateGeometry);
}

int StatusPanel::padding() const {
    return width() - contentsRect().width() + 2 * margin() + 4;
}

QSize StatusPanel::sizeHint() const {
    const QSize label = QLabel::sizeHint();
    const int frame = 2 * frameWidth() + 2 * margin() + 4;
    int width = full_.isEmpty() ? 0 : fontMetrics().horizontalAdvance(full_) + frame;
    const QWidget* bar = parentWidget();
    if (news_ != nullptr && !news_->fullText().isEmpty() && bar != nullptr) {
        int others = 0;
        for (const QWidget* panel : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (panel != this && panel != news_ && panel->isVisible()) {
                others += panel->width();
            }
        }
        // Less the bar's margins and the gaps between its panels.
        constexpr int kGaps = 16;
        const int room = bar->width() - others - news_->sizeHint().width() - kGaps;
        width = qMin(width, qMax(bar->width() / 4, room));
    }
    return {width, label.height()};
}

QSize StatusPanel::minimumSizeHint() const {
    return {1, QLabel::minimumSizeHint().height()};
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
    // The room left beside the news follows the bar's width.
    if (news_ != nullptr && parentWidget() != nullptr && parentWidget()->width() != barWidth_) {
        barWidth_ = parentWidget()->width();
        updateGeometry();
    }
}

void StatusPanel::fit() {
    const int room = width() - padding();
    setText(fontMetrics().elidedText(full_, elide_, qMax(room, 0)));
}
