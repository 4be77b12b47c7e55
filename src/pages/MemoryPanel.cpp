// SPDX-License-Identifier: MIT
#include "pages/MemoryPanel.h"

#include "base/Report.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* label(const QString& name, const QString& text, bool bold, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    if (bold) {
        QFont font = l->font();
        font.setBold(true);
        l->setFont(font);
    }
    return l;
}

} // namespace

MemoryPanel::MemoryPanel(const MemoryPanelNames& names, QWidget* parent) : QWidget(parent) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(6);

    frame_ = new QFrame(this);
    frame_->setObjectName(names.panel);
    frame_->setFrameShape(QFrame::Panel);
    frame_->setFrameShadow(QFrame::Sunken);
    auto* grid = new QGridLayout(frame_);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(4);
    grid->addWidget(label(names.usedCaption, QStringLiteral("Использовано памяти:"), false, frame_),
                    0, 0);
    used_ = label(names.used, bytesText(0), true, frame_);
    used_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The label's own background turns maroon over the limit.
    used_->setAutoFillBackground(true);
    QPalette face = used_->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    used_->setPalette(face);
    grid->addWidget(used_, 0, 1);
    grid->addWidget(label(names.totalCaption, QStringLiteral("Всего памяти:"), false, frame_), 1,
                    0);
    total_ = label(names.total, bytesText(0), true, frame_);
    total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(total_, 1, 1);
    gauge_ = new QProgressBar(frame_);
    gauge_->setObjectName(names.gauge);
    gauge_->setRange(0, 100);
    gauge_->setValue(0);
    gauge_->setTextVisible(false);
    gauge_->setFixedHeight(16);
    grid->addWidget(gauge_, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    for (int row = 0; row < 2; ++row) {
        QWidget* caption = grid->itemAtPosition(row, 0)->widget();
        caption->setMinimumWidth(caption->sizeHint().width());
    }
    outer->addWidget(frame_);

    create_ = new QPushButton(QStringLiteral("Создать патч!"), this);
    create_->setObjectName(names.createButton);
    QFont big = create_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    create_->setFont(big);
    create_->setMinimumHeight(40);
    outer->addWidget(create_);
}

QString MemoryPanel::bytesText(std::int32_t bytes) {
    return QStringLiteral("%1 байт").arg(bytes);
}

const QColor& MemoryPanel::overLimitColour() {
    static const QColor maroon(128, 0, 0);
    return maroon;
}

void MemoryPanel::showTotal(std::int32_t total) {
    total_->setText(bytesText(total));
}

void MemoryPanel::showGauge(const SlotTable::Gauge& gauge) {
    used_->setText(bytesText(gauge.used));
    QPalette colours = used_->palette();
    colours.setColor(QPalette::Window,
                     gauge.overLimit ? overLimitColour() : palette().color(QPalette::Button));
    used_->setPalette(colours);
    gauge_->setValue(gauge.percent);
    create_->setEnabled(!gauge.overLimit);
    // Says why the create button went grey and by how much.
    const QString why =
        gauge.overLimit ? overLimitHint(std::int64_t(gauge.used) - gauge.total) : QString();
    used_->setToolTip(why);
    create_->setToolTip(why);
}

QString MemoryPanel::overLimitHint(std::int64_t excess) {
    return countedText(excess,
                       QT_TRANSLATE_N_NOOP("Report", "The memory is %n byte short. Remove or "
                                                     "replace files to create the patch."),
                       QT_TRANSLATE_N_NOOP("Report", "The memory is %n bytes short. Remove or "
                                                     "replace files to create the patch."));
}
