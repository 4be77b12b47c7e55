// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

// A status bar panel that takes the width it is given: a text too long for it
// is cut in the middle, so that both ends stay readable, and the whole text
// is its tooltip.
class StatusPanel : public QLabel {
    Q_OBJECT

public:
    explicit StatusPanel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    QString fullText() const { return full_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();

    QString full_;
};
