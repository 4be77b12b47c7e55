// SPDX-License-Identifier: MIT
#include "app/FirmwareMapStrip.h"

#include "desktop/UserDialogs.h"
#include "pages/DialogFilters.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>

namespace {

constexpr int kLaneHeight = 12;
constexpr int kMargin = 4;
const QString kPatchDialog = QStringLiteral("OpenMapPatchDialog");

} // namespace

FirmwareMapStrip::FirmwareMapStrip(const FirmwareImage& image, const firmwarescan::Result& scan,
                                   QWidget* parent)
    : QWidget(parent), image_(image), scan_(scan) {
    setObjectName(QStringLiteral("FirmwareMapStrip"));
    markButton_ = new QPushButton(tr("Mark a patch..."), this);
    markButton_->setObjectName(QStringLiteral("btnMarkPatch"));
    setMinimumHeight(firmwaremap::kLanes * kLaneHeight + 2 * kMargin);
    setMinimumWidth(markButton_->sizeHint().width() + 200);
    connect(markButton_, &QPushButton::clicked, this,
            [this] { guarded([this] { chooseAndMarkPatch(); }); });
    relayout();
}

void FirmwareMapStrip::chooseAndMarkPatch() {
    const QString path = UserDialogs::instance().openFile(kPatchDialog, dialogfilters::kS3);
    if (!path.isEmpty()) {
        markPatch(path);
    }
}

void FirmwareMapStrip::markPatch(const QString& path) {
    patch_.clear();
    if (!path.isEmpty()) {
        // Bytes outside the firmware are marked all the same: the map shows them.
        Report unused;
        patch_ = firmwarerevert::writtenRanges(image_, {path}, unused);
    }
    relayout();
    update();
}

QRect FirmwareMapStrip::laneRect(firmwaremap::Lane lane) const {
    const int left = markButton_->width() + 2 * kMargin;
    return QRect(left, kMargin + int(lane) * kLaneHeight, width() - left - kMargin,
                 kLaneHeight - 1);
}

void FirmwareMapStrip::relayout() {
    markButton_->move(kMargin, kMargin);
    map_ = firmwaremap::layout(image_, scan_, patch_,
                               std::max(1, laneRect(firmwaremap::Lane::Held).width()));
}

void FirmwareMapStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void FirmwareMapStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int lane = 0; lane < firmwaremap::kLanes; ++lane) {
        painter.fillRect(laneRect(firmwaremap::Lane(lane)), QColor(0xF4, 0xF4, 0xF4));
    }
    for (const firmwaremap::Piece& p : map_.pieces) {
        const QRect lane = laneRect(p.lane);
        painter.fillRect(QRectF(lane.left() + p.x, lane.top(), p.width, lane.height()),
                         QColor(p.color));
    }
}

const firmwaremap::Piece* FirmwareMapStrip::pieceAt(const QPoint& point) const {
    for (int lane = 0; lane < firmwaremap::kLanes; ++lane) {
        const QRect rect = laneRect(firmwaremap::Lane(lane));
        if (point.y() >= rect.top() && point.y() <= rect.bottom()) {
            return firmwaremap::pieceAt(map_, firmwaremap::Lane(lane), point.x() - rect.left());
        }
    }
    return nullptr;
}

void FirmwareMapStrip::mousePressEvent(QMouseEvent* event) {
    const firmwaremap::Piece* piece = pieceAt(event->position().toPoint());
    if (piece != nullptr && piece->resource >= 0) {
        emit resourceClicked(piece->resource);
    }
    QWidget::mousePressEvent(event);
}

bool FirmwareMapStrip::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const firmwaremap::Piece* piece = pieceAt(help->pos());
        if (piece != nullptr) {
            QToolTip::showText(help->globalPos(), piece->tip, this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}
