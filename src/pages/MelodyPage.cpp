// SPDX-License-Identifier: MIT
#include "pages/MelodyPage.h"

#include "desktop/UserDialogs.h"
#include "melodies/MelodyVolumes.h"
#include "pages/MemoryPanel.h"
#include "pages/SlotListView.h"
#include "platform/FileOps.h"
#include "platform/SettingsStore.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const PageNames kNames{
    QStringLiteral("GroupBox1"),
    QStringLiteral("[ Информация о мелодиях ]"),
    QStringLiteral("lvMels"),
    QStringLiteral("GroupBox2"),
    QStringLiteral("[ Редактирование мелодий ]"),
    QStringLiteral("lblMelName"),
    QStringLiteral("Выберите мелодию"),
    QStringLiteral("Label6"),
    QStringLiteral("edtMelFile"),
    QStringLiteral("btnOpenMelody"),
    QStringLiteral("Открыть мелодию"),
    QStringLiteral("lblMelContent"),
    QStringLiteral("btnUseStandardMelody"),
    QStringLiteral("Использовать стандартную мелодию"),
    {QStringLiteral("pnlMelMemory"), QStringLiteral("Label1"), QStringLiteral("lblMemUsed"),
     QStringLiteral("Label3"), QStringLiteral("lblMemLeft"), QStringLiteral("pgMemUsed"),
     QStringLiteral("btnCreateMelPatch")},
};

} // namespace

MelodyPage::MelodyPage(QWidget* parent) : ManagerPage(managers::melodies(), parent) {
    setObjectName(QStringLiteral("tsMelodiesManager"));
    const Skeleton& s = buildListBox(kNames);
    buildEditPanel(kNames);
    GroupBox1 = s.listBox;
    lvMels = s.list;
    GroupBox2 = s.editPanel;
    lblMelName = s.title;
    Label6 = s.loadLabel;
    edtMelFile = s.fileEdit;
    btnOpenMelody = s.openButton;

    btnPlayMelody =
        speedButton(QStringLiteral("btnPlayMelody"), QStringLiteral("Проиграть мелодию"),
                    style()->standardIcon(QStyle::SP_MediaPlay), GroupBox2);
    s.fileRow->addWidget(btnPlayMelody);

    auto* volumeRow = new QHBoxLayout;
    lblVolume = label(QStringLiteral("lblVolume"), QStringLiteral("Громкость:"), GroupBox2);
    lblVolume->setEnabled(false);
    tbVolume = new QSlider(Qt::Horizontal, GroupBox2);
    tbVolume->setObjectName(QStringLiteral("tbVolume"));
    tbVolume->setRange(melodyvolumes::kMinimum, melodyvolumes::kMaximum);
    tbVolume->setValue(1);
    tbVolume->setTickPosition(QSlider::TicksBelow);
    tbVolume->setTickInterval(8);
    tbVolume->setEnabled(false);
    lblVolumePercent = label(QStringLiteral("lblVolumePercent"), QStringLiteral("0 %"), GroupBox2);
    lblVolumePercent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Room for each text it shows, whichever is widest in the font.
    int widest = 0;
    for (const char* text : {"100%", "0 %", "н/д"}) {
        widest = qMax(widest,
                      lblVolumePercent->fontMetrics().horizontalAdvance(QString::fromUtf8(text)));
    }
    lblVolumePercent->setMinimumWidth(widest + 4);
    volumeRow->addWidget(lblVolume);
    volumeRow->addWidget(tbVolume, 1);
    volumeRow->addWidget(lblVolumePercent);
    s.editLayout->addLayout(volumeRow);

    addRestoreButton(kNames);
    btnUseStandardMelody = s.restoreButton;

    // Built but never shown: renaming was never finished.
    Label7 = label(QStringLiteral("Label7"), QStringLiteral("Change melody name:"), GroupBox2);
    edtMelName = lineEdit(QStringLiteral("edtMelName"), QString(), GroupBox2);
    edtMelName->setMaxLength(20);
    edtMelName->setToolTip(QStringLiteral("Not applicated yet"));
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Apply changes"), GroupBox2);
    for (QWidget* unused : {static_cast<QWidget*>(Label7), static_cast<QWidget*>(edtMelName),
                            static_cast<QWidget*>(BitBtn2)}) {
        unused->setEnabled(false);
        unused->hide();
        s.editLayout->addWidget(unused);
    }

    finishSkeleton(kNames);
    Label1 = s.memory->findChild<QLabel*>(kNames.memory.usedCaption);
    lblMemUsed = s.memory->usedLabel();
    Label3 = s.memory->findChild<QLabel*>(kNames.memory.totalCaption);
    lblMemLeft = s.memory->totalLabel();
    pgMemUsed = s.memory->gauge();
    btnCreateMelPatch = s.memory->createButton();

    connect(btnOpenMelody, &QToolButton::clicked, this,
            [this] { guarded([this] { btnOpenMelodyClick(); }); });
    connect(btnUseStandardMelody, &QPushButton::clicked, this,
            [this] { guarded([this] { btnUseStandardMelodyClick(); }); });
    connect(tbVolume, &QSlider::valueChanged, this,
            [this](int position) { guarded([this, position] { tbVolumeChange(position); }); });
    // A volume the user set is written at once, as every other choice is:
    // when the handle is let go, or after a key, a click beside the handle or
    // the wheel (the value has changed by the time the timer runs).
    connect(tbVolume, &QSlider::sliderReleased, this,
            [this] { guarded([this] { saveVolume(); }); });
    connect(tbVolume, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove || !tbVolume->isSliderDown()) {
            QTimer::singleShot(0, this, [this] { guarded([this] { saveVolume(); }); });
        }
    });
    connect(edtMelFile, &QLineEdit::textChanged, this, &MelodyPage::updatePlayButton);
    connect(btnPlayMelody, &QToolButton::clicked, this,
            [this] { guarded([this] { btnPlayMelodyClick(); }); });
}

void MelodyPage::startUp() {
    player_ = std::make_unique<MelodyPlayer>(MelodyPlayer::Find());
    player_->setOnFinished([this] { showPlaying(false); });
    if (!player_->isAvailable()) {
        btnPlayMelody->setEnabled(false);
        btnPlayMelody->setToolTip(noPlayerHint());
        // The style's own disabled glyph is hardly lighter than the grey triangle.
        const QPixmap glyph = btnPlayMelody->icon().pixmap(btnPlayMelody->iconSize());
        QPixmap faded(glyph.size());
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(0.3);
        painter.drawPixmap(0, 0, glyph);
        painter.end();
        QIcon icon = btnPlayMelody->icon();
        icon.addPixmap(faded, QIcon::Disabled);
        btnPlayMelody->setIcon(icon);
    }
    updatePlayButton();
}

void MelodyPage::updatePlayButton() {
    if (!player_->isAvailable()) {
        btnPlayMelody->setEnabled(false); // its tooltip says how to get a player
        return;
    }
    // Stop stays within reach while a melody plays; play only when a slot
    // shows a melody file of its own that the working folder holds.
    const QString file = edtMelFile->text();
    const bool playable = lvMels->selectedRow() >= 0 && dataSet() != nullptr &&
                          fileops::isSafeBareName(file) &&
                          fileops::exists(dataSet()->workFile(info(), file));
    btnPlayMelody->setEnabled(player_->isRunning() || playable);
}

void MelodyPage::saveVolume() {
    if (lvMels->selectedRow() >= 0 && canChangeSlots() && dataSet()->volumesAvailable() &&
        tbVolume->isEnabled()) {
        dataSet()->saveSlotLists();
    }
}

QString MelodyPage::noPlayerHint() {
    return tr("No melody player was found. Install the MIDI player timidity (sudo apt install "
              "timidity) or write the path of another into the setting %1 of the file %2, then "
              "restart the program.")
        .arg(MelodyPlayer::kMidiPlayerKey, SettingsStore().location());
}

void MelodyPage::shutDown() {
    player_->terminate();
}

void MelodyPage::btnOpenMelodyClick() {
    openForSelectedSlot(edtMelFile);
}

void MelodyPage::assignReplacement(int row, const QString& file) {
    assignFileToSlot(row, file, edtMelFile);
}

void MelodyPage::btnUseStandardMelodyClick() {
    restoreSelectedSlot(edtMelFile, [this](SlotTable& melodies, int row) {
        if (melodies.data().memoryMap().volumePatchAvailable && melodyvolumes::isVolumeSlot(row)) {
            tbVolume->setValue(melodyvolumes::position(melodies.data(), row));
        }
    });
}

void MelodyPage::tbVolumeChange(int position) {
    lblVolumePercent->setText(melodyvolumes::percentText(position));
    const int row = lvMels->selectedRow();
    if (row >= 0 && canChangeSlots() && dataSet()->volumesAvailable()) {
        try {
            melodyvolumes::store(*dataSet(), row, position);
        } catch (...) {
            // The selection moved to a slot without a volume: the bar is
            // switched off, which also stops a held click from stepping it
            // again, so the error is shown once and not once per step.
            tbVolume->setEnabled(false);
            lblVolume->setEnabled(false);
            throw;
        }
    }
}

void MelodyPage::btnPlayMelodyClick() {
    if (dataSet() == nullptr || !player_->isAvailable()) {
        return;
    }
    if (player_->isRunning()) {
        player_->terminate();
        showPlaying(false);
        return;
    }
    const QString file = edtMelFile->text();
    switch (player_->play(dataSet()->workFolder(info()), file)) {
    case MelodyPlayer::Outcome::Started:
        showPlaying(true);
        break;
    case MelodyPlayer::Outcome::CannotPlay:
        UserDialogs::instance().warn(player_->cannotPlayMessage(file));
        break;
    case MelodyPlayer::Outcome::NoFile:
        break;
    }
}

void MelodyPage::showPlaying(bool playing) {
    btnPlayMelody->setIcon(
        style()->standardIcon(playing ? QStyle::SP_MediaStop : QStyle::SP_MediaPlay));
    btnPlayMelody->setToolTip(playing ? tr("Stop the melody")
                                      : QStringLiteral("Проиграть мелодию"));
    updatePlayButton();
}

void MelodyPage::lvMelsClick() {
    const int row = lvMels->selectedRow();
    if (row < 0) {
        return;
    }
    if (dataSet() != nullptr && dataSet()->volumesAvailable()) {
        showVolumeFor(row);
    }
    lblMelName->setText(lvMels->cell(row, 0));
    edtMelName->setText(lvMels->cell(row, 2));
    edtMelFile->setText(lvMels->cell(row, 1));
    updatePlayButton();
}

void MelodyPage::showNoSlot() {
    lblMelName->setText(kNames.titleText);
    edtMelFile->setText(info().placeholder);
    tbVolume->setEnabled(false);
    lblVolume->setEnabled(false);
    updatePlayButton();
}

void MelodyPage::showVolumeFor(int row) {
    const bool volumeSlot = melodyvolumes::isVolumeSlot(row);
    tbVolume->setEnabled(volumeSlot && canChangeSlots());
    lblVolume->setEnabled(volumeSlot);
    if (!volumeSlot) {
        lblVolumePercent->setText(QStringLiteral("н/д"));
        return;
    }
    const int position = melodyvolumes::position(*dataSet(), row);
    if (tbVolume->value() == position) {
        lblVolumePercent->setText(melodyvolumes::percentText(position));
    } else {
        tbVolume->setValue(position); // tbVolumeChange shows and stores it
    }
}
