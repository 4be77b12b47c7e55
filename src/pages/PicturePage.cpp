// SPDX-License-Identifier: MIT
#include "pages/PicturePage.h"

#include "actions/ManagerActions.h"
#include "base/TarvexError.h"
#include "dataset/DataSetLayout.h"
#include "desktop/UserDialogs.h"
#include "pages/MemoryPanel.h"
#include "pages/SlotListView.h"
#include "pictures/HandsetPicture.h"
#include "pictures/JpegLoader.h"
#include "pictures/PictureLoader.h"
#include "pictures/PictureSlots.h"
#include "platform/FileOps.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kFitSetting = QStringLiteral("FitPicture"); // "1" on, anything else off

const PageNames kNames{
    QStringLiteral("GroupBox5"),
    QStringLiteral("[ Информация о картинках]"),
    QStringLiteral("lvPic"),
    QStringLiteral("GroupBox6"),
    QStringLiteral("[ Редактирование картинок ]"),
    QStringLiteral("lblPicName"),
    QStringLiteral("Выберите картинку"),
    QStringLiteral("Label9"),
    QStringLiteral("edtPicFile"),
    QStringLiteral("btnOpenPic"),
    QStringLiteral("Открыть картинку"),
    QStringLiteral("lblPicContent"),
    QStringLiteral("btnUseStandardPic"),
    QStringLiteral("Использовать стандартную"),
    {QStringLiteral("pnlPicMemory"), QStringLiteral("Label13"), QStringLiteral("lblPicMemUsed"),
     QStringLiteral("Label14"), QStringLiteral("lblPicMemTotal"), QStringLiteral("pgPicMemUsed"),
     QStringLiteral("btnCreatePicPatch")},
};

} // namespace

PicturePage::PicturePage(QWidget* parent) : ManagerPage(managers::pictures(), parent) {
    setObjectName(QStringLiteral("tsGraphics"));
    const Skeleton& s = buildListBox(kNames);
    s.list->setVisibleRows(7);

    auto* previews = new QHBoxLayout;
    QGroupBox* standardBox =
        previewBox(QStringLiteral("gbStandardPic"), QStringLiteral("[ Стандартная картинка ]"),
                   standardPreview_, QStringLiteral("imgStd"));
    QGroupBox* newBox = previewBox(QStringLiteral("gbNewPic"), QStringLiteral("[ Новая картинка ]"),
                                   newPreview_, QStringLiteral("imgNew"));
    previews->addWidget(standardBox);
    previews->addWidget(newBox);
    newPreview_->setToolTip(
        tr("The preview shows the colours as the phone does (16 bits per pixel)"));
    QGroupBox* info = groupBox(QStringLiteral("gbInfo"), QStringLiteral("[ Инфо ]"), s.listBox);
    setBold(info);
    auto* sizes = new QGridLayout(info);
    QLabel* widthCaption = label(QStringLiteral("Label15"), QStringLiteral("Ширина:"), info);
    width_ = label(QStringLiteral("lblPicWidth"), QStringLiteral("0"), info);
    QLabel* heightCaption = label(QStringLiteral("Label18"), QStringLiteral("Высота:"), info);
    height_ = label(QStringLiteral("lblPicHeight"), QStringLiteral("0"), info);
    sizes->addWidget(widthCaption, 0, 0);
    sizes->addWidget(width_, 0, 1);
    sizes->addWidget(heightCaption, 1, 0);
    sizes->addWidget(height_, 1, 1);
    sizes->setRowStretch(2, 1);
    sizes->setColumnStretch(2, 1); // the numbers stay beside their captions in a wide box
    // Room for any size up to four digits: the boxes stay put from slot to slot.
    for (QLabel* size : {width_, height_}) {
        size->setMinimumWidth(size->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    }
    previews->addWidget(info, 1);
    s.listLayout->addLayout(previews);

    QTextEdit* help = helpTextBox(QStringLiteral("rePicHelp"), s.listBox);
    s.listLayout->addWidget(help, 1);

    buildEditPanel(kNames);
    addRestoreButton(kNames);

    fit_ = new QCheckBox(tr("Fit the picture to its size"), s.editPanel);
    fit_->setObjectName(QStringLiteral("cbFitPicture"));
    fit_->setChecked(rememberedFit());
    s.editLayout->addWidget(fit_);

    finishSkeleton(kNames, help);

    takeDropsOn(standardBox);
    takeDropsOn(newBox);
    connect(s.openButton, &QToolButton::clicked, this,
            [this] { guarded([this] { chooseFile(); }); });
    connect(s.restoreButton, &QPushButton::clicked, this,
            [this] { guarded([this] { restoreStandard(); }); });
    connect(fit_, &QCheckBox::toggled, this, [](bool on) {
        SettingsStore().writeString(kFitSetting, on ? QStringLiteral("1") : QStringLiteral("0"));
    });
}

bool PicturePage::rememberedFit() {
    try {
        return SettingsStore().readString(kFitSetting) == QStringLiteral("1");
    } catch (const TarvexError&) {
        return false; // a value of another type is taken as never set
    }
}

QPixmap PicturePage::previewPixmap(const QImage& picture, qreal screenScale) {
    // Each of the picture's pixels becomes a whole square of screen pixels,
    // never a resampled blur: 1x1 at 125 % and 150 %, 2x2 at 200 %.
    const int times = qMax(1, int(screenScale + 0.001));
    QPixmap pixmap = QPixmap::fromImage(times == 1 ? picture
                                                   : picture.scaled(picture.size() * times,
                                                                    Qt::IgnoreAspectRatio,
                                                                    Qt::FastTransformation));
    pixmap.setDevicePixelRatio(screenScale);
    return pixmap;
}

void PicturePage::showStandard(const QImage& picture) {
    standard_ = picture;
    standardPreview_->setPixmap(previewPixmap(picture, standardPreview_->devicePixelRatioF()));
}

void PicturePage::showNew(const QImage& picture) {
    new_ = picture;
    // The conversion's result is the same for either: the reduction is idempotent.
    newPreview_->setPixmap(
        previewPixmap(inHandsetColours(picture), newPreview_->devicePixelRatioF()));
}

void PicturePage::showSelectedSlot() {
    const int row = slotList()->selectedRow();
    if (row < 0 || !isAvailable()) {
        return;
    }
    skeleton().title->setText(slotList()->cell(row, 0));
    skeleton().fileEdit->setText(slotList()->cell(row, 1));
    // A slot without a preview file shows none, so the size labels never
    // describe another slot's picture.
    const QString preview = dataSet()->dataFile(datasetlayout::previewFile(row));
    showStandard(fileops::exists(preview) ? loadJpeg(preview) : QImage());
    const QString name = table().fileName(row);
    const QString copy = dataSet()->workFile(info(), name);
    showNew(fileops::isSafeBareName(name) && fileops::exists(copy) ? loadPicture(copy) : QImage());
    width_->setText(QString::number(standard_.width()));
    height_->setText(QString::number(standard_.height()));
}

void PicturePage::showNoSlot() {
    skeleton().title->setText(kNames.titleText);
    skeleton().fileEdit->setText(info().placeholder);
    showStandard(QImage());
    showNew(QImage());
    width_->setText(QStringLiteral("0"));
    height_->setText(QStringLiteral("0"));
}

void PicturePage::chooseFile() {
    const int row = slotList()->selectedRow();
    if (row < 0 || !isAvailable() || !isWritable()) {
        return;
    }
    const QString file = askReplacementFile(row);
    if (file.isEmpty()) {
        return;
    }
    assignReplacement(row, file);
}

QString PicturePage::askReplacementFile(int row) const {
    return UserDialogs::instance().openPicture(info().openDialog,
                                               managers::openFilter(info(), row));
}

void PicturePage::assignReplacement(int row, const QString& file) {
    if (!isWritable()) {
        return;
    }
    SlotTable pictures = table();
    const manageractions::Change change = manageractions::assign(
        pictures, row, file, {fit_->isChecked(), pictureslots::Front::Window});
    if (!change.refusal.isEmpty()) {
        UserDialogs::instance().warn(change.refusal);
        return;
    }
    refreshRow(row);
    skeleton().fileEdit->setText(pictures.fileName(row));
    showNew(change.picture);
    updateMemory();
}

QString PicturePage::fileRefusal(int row, const QString& file) const {
    if (fit_->isChecked()) {
        return {};
    }
    const QDateTime modified = QFileInfo(file).lastModified();
    if (dragged_.path != file || dragged_.modified != modified) {
        QSize size;
        try {
            size = loadPicture(file).size();
        } catch (const TarvexError&) {
            // Taken, and the open refuses it with the reader's own words.
        }
        dragged_ = {file, modified, size};
    }
    if (!dragged_.size.isValid()) {
        return {};
    }
    try {
        const pictureslots::RequiredSize required = pictureslots::requiredSize(table(), row);
        if (dragged_.size != QSize(required.width, required.height)) {
            return pictureslots::sizeRefusal(required, dragged_.size, pictureslots::Front::Window);
        }
    } catch (const TarvexError&) {
        // A slot entry that is not a number: the open says so.
    }
    return {};
}

void PicturePage::restoreStandard() {
    restoreSelectedSlot(skeleton().fileEdit, [this](SlotTable&, int) { showNew(QImage()); });
}

QGroupBox* PicturePage::previewBox(const QString& name, const QString& caption, QLabel*& image,
                                   const QString& imageName) {
    QGroupBox* box = groupBox(name, caption, skeleton().listBox);
    setBold(box);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    image = new QLabel(box);
    image->setObjectName(imageName);
    image->setFixedSize(kPreviewSide, kPreviewSide);
    // A picture is shown at its own size, centred: the handset shows it so.
    image->setAlignment(Qt::AlignCenter);
    image->setScaledContents(false);
    layout->addWidget(image, 0, Qt::AlignCenter);
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return box;
}
