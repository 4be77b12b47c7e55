// SPDX-License-Identifier: MIT
#include "app/FirmwareOverviewDialog.h"

#include "app/FirmwareMapStrip.h"
#include "app/FirmwareScanMenu.h"
#include "base/Report.h"
#include "dataset/ListFile.h"
#include "dataset/NumericText.h"
#include "desktop/UserDialogs.h"
#include "firmware/FirmwareExtract.h"
#include "melodies/MelodyPlayer.h"
#include "pictures/HandsetPictureDecoder.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

using firmwarescan::Kind;
using firmwarescan::Resource;

constexpr int kIndexRole = Qt::UserRole;
const QString kPlayFile = QStringLiteral("melody.mid");

QString entriesText(const Resource& r) {
    QStringList addresses;
    for (const std::uint64_t e : r.entries) {
        addresses << numeric::hexAddress(e);
    }
    return addresses.isEmpty() ? QCoreApplication::translate("FirmwareOverviewDialog", "none")
                               : addresses.join(QStringLiteral(", "));
}

QString nameText(const Resource& r) {
    QString text = r.title;
    if (!r.midletVersion.isEmpty()) {
        text += QLatin1Char(' ') + r.midletVersion;
    }
    if (r.durationMs >= 0) {
        text += QCoreApplication::translate("FirmwareOverviewDialog", " (%1 s)")
                    .arg(double(r.durationMs) / 1000.0, 0, 'f', 1);
    }
    return text.trimmed();
}

QImage pictureOf(const FirmwareImage& image, const Resource& r) {
    const QByteArray bytes(reinterpret_cast<const char*>(image.bytesAt(r.address, r.size)),
                           qsizetype(r.size));
    return toImage(decodeHandsetPicture(bytes));
}

} // namespace

FirmwareOverviewDialog::FirmwareOverviewDialog(const QString& path, const FirmwareImage& image,
                                               const firmwarescan::Result& result,
                                               MelodyPlayer* player, QWidget* parent)
    : QDialog(parent), image_(image), result_(result), player_(player) {
    setObjectName(QStringLiteral("frmFirmwareScan"));
    setWindowTitle(tr("Firmware overview"));
    resize(760, 520);

    resources_ = new QTreeWidget(this);
    resources_->setObjectName(QStringLiteral("tvResources"));
    resources_->setHeaderLabels(
        {tr("Address"), tr("Kind"), tr("Size"), tr("Name"), tr("Table entries")});
    resources_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    resources_->setIconSize(QSize(32, 32));
    QTreeWidgetItem* groups[] = {new QTreeWidgetItem(resources_, {tr("Melodies")}),
                                 new QTreeWidgetItem(resources_, {tr("Games")}),
                                 new QTreeWidgetItem(resources_, {tr("Pictures")})};
    for (std::size_t i = 0; i < result_.resources.size(); ++i) {
        const Resource& r = result_.resources[i];
        const int group = r.isMelody() ? 0 : r.isJava() ? 1 : 2;
        QString size = countedText(qint64(r.size), QT_TRANSLATE_N_NOOP("Report", "%n byte"),
                                   QT_TRANSLATE_N_NOOP("Report", "%n bytes"));
        if (r.kind == Kind::Picture) {
            size = QStringLiteral("%1 x %2, ").arg(r.width).arg(r.height) + size;
        }
        auto* item = new QTreeWidgetItem(groups[group], {numeric::hexAddress(r.address),
                                                         firmwarescan::kindText(r.kind), size,
                                                         nameText(r), entriesText(r)});
        item->setData(0, kIndexRole, qulonglong(i));
        // Beside the name, not the address: the addresses stay in one column.
        if (r.kind == Kind::Picture) {
            item->setIcon(3, QIcon(QPixmap::fromImage(pictureOf(image_, r))));
        }
    }
    for (QTreeWidgetItem* group : groups) {
        group->setText(0, group->text(0) + QStringLiteral(" (%1)").arg(group->childCount()));
        group->setFlags(Qt::ItemIsEnabled);
        group->setExpanded(true);
    }
    resources_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("imgPicture"));
    picture_->setMinimumSize(128, 128);
    picture_->setAlignment(Qt::AlignCenter);

    QStringList areas;
    for (const firmwarescan::Area& a : result_.erased) {
        areas << countedText(qint64(a.size), QT_TRANSLATE_N_NOOP("Report", "%1 (%n byte)"),
                             QT_TRANSLATE_N_NOOP("Report", "%1 (%n bytes)"))
                     .arg(numeric::hexAddress(a.address));
    }
    QString summary =
        tr("%1\nResources found: %2, table entries: %3. Erased stretches: %4.")
            .arg(path)
            .arg(result_.resources.size())
            .arg(result_.entryCount())
            .arg(areas.isEmpty() ? QCoreApplication::translate("FirmwareOverviewDialog", "none")
                                 : areas.join(QStringLiteral(", ")));
    if (result_.pictureSearchStoppedAt) {
        summary += tr("\nThe picture search stopped at %1: past it too many false picture starts, "
                      "pictures from there are not shown.")
                       .arg(numeric::hexAddress(*result_.pictureSearchStoppedAt));
    }
    auto* summaryLabel = new QLabel(summary, this);
    summaryLabel->setObjectName(QStringLiteral("lblSummary"));
    summaryLabel->setWordWrap(true);

    play_ = new QPushButton(tr("Play"), this);
    play_->setObjectName(QStringLiteral("btnPlay"));
    extract_ = new QPushButton(tr("Extract selected..."), this);
    extract_->setObjectName(QStringLiteral("btnExtractSelected"));
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));

    auto* middle = new QHBoxLayout;
    middle->addWidget(resources_, 1);
    middle->addWidget(picture_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(play_);
    buttons->addWidget(extract_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel);
    auto* mapStrip = new FirmwareMapStrip(image_, result_, this);
    layout->addWidget(mapStrip);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);

    connect(resources_, &QTreeWidget::itemSelectionChanged, this,
            [this] { guarded([this] { selectionChanged(); }); });
    connect(play_, &QPushButton::clicked, this, [this] { guarded([this] { playOrStop(); }); });
    connect(extract_, &QPushButton::clicked, this,
            [this] { guarded([this] { extractSelected(); }); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    if (player_ != nullptr) {
        pageOnFinished_ = player_->onFinished();
        player_->setOnFinished([this] {
            if (pageOnFinished_) {
                pageOnFinished_();
            }
            playerEnded();
        });
    }
    connect(mapStrip, &FirmwareMapStrip::resourceClicked, this,
            [this](int index) { guarded([this, index] { selectResource(index); }); });
    selectionChanged();
}

FirmwareOverviewDialog::~FirmwareOverviewDialog() {
    stopPlaying();
    if (player_ != nullptr) {
        player_->setOnFinished(pageOnFinished_);
    }
}

// The player ends before the dialog goes, and with it its temporary folder.
void FirmwareOverviewDialog::done(int result) {
    stopPlaying();
    QDialog::done(result);
}

void FirmwareOverviewDialog::stopPlaying() {
    if (played_ != nullptr) {
        player_->terminate(); // waits for the end, which playerEnded follows
        playerEnded();
    }
}

void FirmwareOverviewDialog::playerEnded() {
    if (played_ == nullptr) {
        return;
    }
    played_ = nullptr;
    fileops::remove(playFolder_.filePath(playedFile_));
    play_->setText(tr("Play"));
    play_->setEnabled(canPlay(current()));
}

const Resource* FirmwareOverviewDialog::current() const {
    const QTreeWidgetItem* item = resources_->currentItem();
    if (item == nullptr || !item->data(0, kIndexRole).isValid() || !item->isSelected()) {
        return nullptr;
    }
    return &result_.resources[item->data(0, kIndexRole).toULongLong()];
}

std::vector<Resource> FirmwareOverviewDialog::selected() const {
    std::vector<Resource> out;
    for (const QTreeWidgetItem* item : resources_->selectedItems()) {
        if (item->data(0, kIndexRole).isValid()) {
            out.push_back(result_.resources[item->data(0, kIndexRole).toULongLong()]);
        }
    }
    std::sort(out.begin(), out.end(),
              [](const Resource& a, const Resource& b) { return a.address < b.address; });
    return out;
}

// MIDI through any player; SMAF only through one that plays it.
bool FirmwareOverviewDialog::canPlay(const Resource* r) const {
    return r != nullptr && player_ != nullptr && player_->isAvailable() &&
           (r->kind == Kind::Midi ||
            (r->kind == Kind::Smaf && player_->kind() == MelodyPlayer::Kind::MidRadio));
}

void FirmwareOverviewDialog::selectionChanged() {
    const Resource* r = current();
    if (played_ != nullptr && played_ != r) {
        stopPlaying(); // another melody, or none, chosen
    }
    play_->setEnabled(played_ != nullptr || canPlay(r));
    extract_->setEnabled(!selected().empty());
    if (r != nullptr && r->kind == Kind::Picture) {
        picture_->setPixmap(QPixmap::fromImage(pictureOf(image_, *r)));
    } else {
        picture_->clear();
    }
}

void FirmwareOverviewDialog::playOrStop() {
    if (played_ != nullptr) {
        stopPlaying();
        return;
    }
    const Resource* r = current();
    if (!canPlay(r) || !playFolder_.isValid()) {
        return;
    }
    const QString file = r->kind == Kind::Smaf ? QStringLiteral("melody.mmf") : kPlayFile;
    listfile::writeWhole(
        playFolder_.filePath(file),
        QByteArray(reinterpret_cast<const char*>(image_.bytesAt(r->address, r->size)),
                   qsizetype(r->size)));
    switch (player_->play(playFolder_.path(), file)) {
    case MelodyPlayer::Outcome::Started:
        played_ = r;
        playedFile_ = file;
        play_->setText(tr("Stop"));
        break;
    case MelodyPlayer::Outcome::CannotPlay:
        UserDialogs::instance().warn(player_->cannotPlayMessage(file));
        break;
    case MelodyPlayer::Outcome::NoFile:
        break;
    }
}

void FirmwareOverviewDialog::extractSelected() {
    const std::vector<Resource> chosen = selected();
    if (chosen.empty()) {
        return;
    }
    const QString folder =
        UserDialogs::instance().askFolder(tr("Folder for the selected resources"));
    if (folder.isEmpty()) {
        return;
    }
    firmwareextract::Plan plan;
    plan.files = firmwareextract::scannedFiles(image_, chosen);
    writeExtracted(plan, folder);
}

void FirmwareOverviewDialog::selectResource(int index) {
    for (QTreeWidgetItemIterator it(resources_); *it; ++it) {
        if ((*it)->data(0, kIndexRole).isValid() && (*it)->data(0, kIndexRole).toInt() == index) {
            resources_->setCurrentItem(*it, 0, QItemSelectionModel::ClearAndSelect);
            resources_->scrollToItem(*it);
            return;
        }
    }
}
