// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

// A status bar panel that takes the width it is given and asks for the width
// of its whole text: a text too long for the room is cut (in the middle, so
// that both ends stay readable, or at its end), and the whole text is its
// tooltip.
class StatusPanel : public QLabel {
    Q_OBJECT

public:
    explicit StatusPanel(QWidget* parent = nullptr, Qt::TextElideMode elide = Qt::ElideMiddle);

    void setFullText(const QString& text);
    QString fullText() const { return full_; }
    // While `news` shows a text, this panel asks only for the room the bar
    // leaves beside the news's whole text (a quarter of the bar at least):
    // the news of the moment reads whole, a lasting text is cut first.
    void setGivesWayTo(const StatusPanel* news);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void fullTextChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();
    int padding() const;

    QString full_;
    Qt::TextElideMode elide_;
    const StatusPanel* news_ = nullptr;
    int barWidth_ = 0; // the bar's width the hint was last given for
};
