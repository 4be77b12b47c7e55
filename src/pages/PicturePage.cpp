// SPDX-License-Identifier: MIT
#include "pages/PicturePage.h"

#include "base/TarvexError.h"
#include "dataset/DataSetLayout.h"
#include "desktop/UserDialogs.h"
#include "models/ManagerSteps.h"
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
    GroupBox5 = s.listBox;
    lvPic = s.list;
    lvPic->setVisibleRows(7);

    auto* previews = new QHBoxLayout;
    gbStandardPic =
        previewBox(QStringLiteral("gbStandardPic"), QStringLiteral("[ Стандартная картинка ]"),
                   imgStd, QStringLiteral("imgStd"));
    gbNewPic = previewBox(QStringLiteral("gbNewPic"), QStringLiteral("[ Новая картинка ]"), imgNew,
                          QStringLiteral("imgNew"));
    previews->addWidget(gbStandardPic);
    previews->addWidget(gbNewPic);
    imgNew->setToolTip(tr("The preview shows the colours as the phone does (16 bits per pixel)"));
    gbInfo = groupBox(QStringLiteral("gbInfo"), QStringLiteral("[ Инфо ]"), GroupBox5);
    setBold(gbInfo);
    auto* sizes = new QGridLayout(gbInfo);
    Label15 = label(QStringLiteral("Label15"), QStringLiteral("Ширина:"), gbInfo);
    lblPicWidth = label(QStringLiteral("lblPicWidth"), QStringLiteral("0"), gbInfo);
    Label18 = label(QStringLiteral("Label18"), QStringLiteral("Высота:"), gbInfo);
    lblPicHeight = label(QStringLiteral("lblPicHeight"), QStringLiteral("0"), gbInfo);
    sizes->addWidget(Label15, 0, 0);
    sizes->addWidget(lblPicWidth, 0, 1);
    sizes->addWidget(Label18, 1, 0);
    sizes->addWidget(lblPicHeight, 1, 1);
    sizes->setRowStretch(2, 1);
    sizes->setColumnStretch(2, 1); // the numbers stay beside their captions in a wide box
    // Room for any size up to four digits: the boxes stay put from slot to slot.
    for (QLabel* size : {lblPicWidth, lblPicHeight}) {
        size->setMinimumWidth(size->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    }
    previews->addWidget(gbInfo, 1);
    s.listLayout->addLayout(previews);

    rePicHelp = helpTextBox(QStringLiteral("rePicHelp"), GroupBox5);
    s.listLayout->addWidget(rePicHelp, 1);

    buildEditPanel(kNames);
    GroupBox6 = s.editPanel;
    lblPicName = s.title;
    Label9 = s.loadLabel;
    edtPicFile = s.fileEdit;
    btnOpenPic = s.openButton;
    addRestoreButton(kNames);
    btnUseStandardPic = s.restoreButton;

    cbFitPicture = new QCheckBox(tr("Fit the picture to its size"), GroupBox6);
    cbFitPicture->setObjectName(QStringLiteral("cbFitPicture"));
    cbFitPicture->setChecked(rememberedFit());
    s.editLayout->addWidget(cbFitPicture);

    finishSkeleton(kNames, rePicHelp);
    Label13 = s.memory->findChild<QLabel*>(kNames.memory.usedCaption);
    lblPicMemUsed = s.memory->usedLabel();
    Label14 = s.memory->findChild<QLabel*>(kNames.memory.totalCaption);
    lblPicMemTotal = s.memory->totalLabel();
    pgPicMemUsed = s.memory->gauge();
    btnCreatePicPatch = s.memory->createButton();

    takeDropsOn(gbStandardPic);
    takeDropsOn(gbNewPic);
    connect(btnOpenPic, &QToolButton::clicked, this,
            [this] { guarded([this] { btnOpenPicClick(); }); });
    connect(btnUseStandardPic, &QPushButton::clicked, this,
            [this] { guarded([this] { btnUseStandardPicClick(); }); });
    connect(cbFitPicture, &QCheckBox::toggled, this, [](bool on) {
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
    imgStd->setPixmap(previewPixmap(picture, imgStd->devicePixelRatioF()));
}

void PicturePage::showNew(const QImage& picture) {
    new_ = picture;
    // The conversion's result is the same for either: the reduction is idempotent.
    imgNew->setPixmap(previewPixmap(inHandsetColours(picture), imgNew->devicePixelRatioF()));
}

void PicturePage::lvPicClick() {
    const int row = lvPic->selectedRow();
    if (row < 0 || !isAvailable()) {
        return;
    }
    lblPicName->setText(lvPic->cell(row, 0));
    edtPicFile->setText(lvPic->cell(row, 1));
    // A slot without a preview file shows none, so the size labels never
    // describe another slot's picture.
    const QString preview = dataSet()->dataFile(datasetlayout::previewFile(row));
    showStandard(fileops::exists(preview) ? loadJpeg(preview) : QImage());
    const QString name = table().fileName(row);
    const QString copy = dataSet()->workFile(info(), name);
    showNew(fileops::isSafeBareName(name) && fileops::exists(copy) ? loadPicture(copy) : QImage());
    lblPicWidth->setText(QString::number(standard_.width()));
    lblPicHeight->setText(QString::number(standard_.height()));
}

void PicturePage::showNoSlot() {
    lblPicName->setText(kNames.titleText);
    edtPicFile->setText(info().placeholder);
    showStandard(QImage());
    showNew(QImage());
    lblPicWidth->setText(QStringLiteral("0"));
    lblPicHeight->setText(QStringLiteral("0"));
}

void PicturePage::lvPicKeyUp(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        lvPicClick();
        break;
    default:
        break;
    }
}

void PicturePage::btnOpenPicClick() {
    const int row = lvPic->selectedRow();
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
    managersteps::requireReadable(file);
    SlotTable pictures = table();
    const pictureslots::Choice choice = pictureslots::choose(
        pictures, row, file,
        cbFitPicture->isChecked() ? pictureslots::Fit::Yes : pictureslots::Fit::No);
    if (choice.outcome == pictureslots::Outcome::WrongSize) {
        UserDialogs::instance().warn(
            pictureslots::sizeRefusal(pictureslots::requiredSize(pictures, row),
                                      choice.picture.size(), pictureslots::Front::Window));
        return;
    }
    if (choice.outcome != pictureslots::Outcome::Accepted) {
        UserDialogs::instance().warn(choice.warning);
        return;
    }
    refreshRow(row);
    edtPicFile->setText(pictures.fileName(row));
    showNew(choice.picture);
    updateMemory();
    pictures.save();
}

QString PicturePage::fileRefusal(int row, const QString& file) const {
    if (cbFitPicture->isChecked()) {
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

void PicturePage::btnUseStandardPicClick() {
    restoreSelectedSlot(edtPicFile, [this](SlotTable&, int) { showNew(QImage()); });
}

QGroupBox* PicturePage::previewBox(const QString& name, const QString& caption, QLabel*& image,
                                   const QString& imageName) {
    QGroupBox* box = groupBox(name, caption, GroupBox5);
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
