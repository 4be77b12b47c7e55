// SPDX-License-Identifier: MIT
#include "app/WrappedTextFit.h"

#include <QEvent>
#include <QLayout>
#include <QWidget>

namespace {

class HeightForWidth final : public QObject {
public:
    explicit HeightForWidth(QWidget& window) : QObject(&window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ &&
            (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
             event->type() == QEvent::LayoutRequest)) {
            fit();
        }
        return false;
    }

private:
    void fit() {
        QLayout* layout = window_.layout();
        if (layout == nullptr || !layout->hasHeightForWidth()) {
            return;
        }
        const int needed = layout->totalHeightForWidth(window_.width());
        if (needed > 0 && needed != window_.minimumHeight()) {
            window_.setMinimumHeight(needed);
        }
    }

    QWidget& window_;
};

} // namespace

void keepWrappedTextWhole(QWidget& window, int columns) {
    window.setMinimumWidth(
        qMax(window.minimumWidth(), columns * window.fontMetrics().averageCharWidth()));
    window.installEventFilter(new HeightForWidth(window));
}
