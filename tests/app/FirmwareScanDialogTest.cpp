// SPDX-License-Identifier: MIT
#include "AppTestSupport.h"
#include "app/DraftDialog.h"
#include "app/FirmwareMapStrip.h"
#include "dataset/ListFile.h"
#include "firmware/FirmwareMaker.h"
#include "firmware/ScanSamples.h"
#include "melodies/MelodyPlayer.h"
#include "pages/MelodyPage.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTreeWidget>
#include <QtTest/QTest>

namespace ss = scansamples;

namespace {

constexpr std::uint32_t kBase = 0x00100000;

class FirmwareScanDialogTest : public WindowTest {
protected:
    FirmwareScanDialogTest() {
        firmwaremaker::writeDataSet(FirmwareMaker::standard().make(), userFolder());
        image = ss::filler(0x20000, 5);
        auto put = [&](int offset, const QByteArray& bytes) {
            image.replace(offset, bytes.size(), bytes);
            return kBase + std::uint32_t(offset);
        };
        const std::uint32_t aMidi = put(0x4000, midi);
        const std::uint32_t aPic = put(0x5000, picture);
        const std::uint32_t aJad = put(0x6000, jad);
        const std::uint32_t aJar = put(0x6200, jar);
        put(0x1000, ss::melodyEntry(aMidi, std::uint32_t(midi.size())));
        put(0x1100, ss::javaEntry(std::uint32_t(jad.size()), aJad));
        put(0x1108, ss::javaEntry(std::uint32_t(jar.size()), aJar));
        put(0x1200, ss::pictureEntry(20, 10, aPic));
        put(0x10000, QByteArray(0x10000, '\xFF'));
        path = scratch.write("found.s3", firmwaremaker::sRecords(image, kBase));
    }
    void trigger(const MainWindow& window, const char* action) {
        child<QAction>(&window, action)->trigger();
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
    }

    const QByteArray midi = ss::midi("Dawn", 20);
    const QByteArray picture = ss::picture(20, 10, 1);
    const QByteArray jar = ss::jar("Maze", 300);
    const QByteArray jad = ss::jad("Maze", jar.size());
    QByteArray image;
    QString path;
};

} // namespace

TEST_F(FirmwareScanDialogTest, ListsWhatTheScanFindsByKindAndExtractsTheSelection) {
    auto window = open();
    dialogs.openAnswers = {path};
    dialogs.folderAnswers = {scratch.mkdir("out")};
    dialogs.onModal = [&](QDialog& dialog) {
        auto* tree = child<QTreeWidget>(&dialog, "tvResources");
        EXPECT_EQ(tree->topLevelItemCount(), 3);
        QTreeWidgetItem* melodies = tree->topLevelItem(0);
        QTreeWidgetItem* games = tree->topLevelItem(1);
        QTreeWidgetItem* pictures = tree->topLevelItem(2);
        EXPECT_EQ(melodies->text(0), "Мелодии (1)");
        EXPECT_EQ(games->childCount(), 2);
        EXPECT_EQ(games->child(0)->text(3), "Maze 2.1");
        QTreeWidgetItem* tune = melodies->child(0);
        EXPECT_EQ(tune->text(0), "0x00104000");
        EXPECT_EQ(tune->text(4), "0x00101000");
        EXPECT_TRUE(tune->text(3).startsWith("Dawn ("));
        QTreeWidgetItem* drawn = pictures->child(0);
        EXPECT_EQ(drawn->text(2), "20 x 10, " + QString::number(picture.size()) + " байт");
        EXPECT_FALSE(drawn->icon(3).isNull());
        EXPECT_TRUE(drawn->icon(0).isNull()); // the addresses line up

        auto* play = child<QPushButton>(&dialog, "btnPlay");
        tree->setCurrentItem(drawn);
        EXPECT_FALSE(child<QLabel>(&dialog, "imgPicture")->pixmap().isNull());
        EXPECT_FALSE(play->isEnabled()); // a picture, and no player in the tests
        tune->setSelected(true);
        child<QPushButton>(&dialog, "btnExtractSelected")->click();
        return int(QDialog::Accepted);
    };
    trigger(*window, "FirmwareOverview1");
    EXPECT_EQ(testsupport::readAll(scratch.path("out/melodies/00104000.mid")), midi);
    EXPECT_FALSE(testsupport::readAll(scratch.path("out/pictures/00105000.png")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(scratch.path("out/java")));
    ASSERT_EQ(dialogs.informs.size(), 1);
    EXPECT_TRUE(dialogs.informs[0][0].startsWith("Извлечено ресурсов: 2."));
}

TEST_F(FirmwareScanDialogTest, DraftsADataSetWithTheRegionsAPersonConfirms) {
    auto window = open();
    dialogs.openAnswers = {path};
    QStringList headings;
    dialogs.onModal = [&](QDialog& dialog) {
        if (auto* form = qobject_cast<DraftDialog*>(&dialog)) {
            auto* melodyRegion = child<QComboBox>(form, "cbMelodyRegion");
            auto* warning = child<QLabel>(form, "lblWarning");
            EXPECT_EQ(child<QLineEdit>(form, "edId")->text(), "found");
            EXPECT_EQ(melodyRegion->currentText(), ""); // offered, never chosen for you
            EXPECT_EQ(melodyRegion->itemText(1), "0x00110000-0x0011FFFF");
            EXPECT_TRUE(warning->text().contains("собственной памятью телефона"));
            // At its smallest, the safety warning still shows whole.
            form->show();
            form->resize(1, 1);
            QApplication::processEvents();
            EXPECT_LE(warning->heightForWidth(warning->width()), warning->height());
            form->hide();
            melodyRegion->setCurrentText("0x00110000-0x00108000");
            form->accept(); // an empty range is refused, not taken as "page off"
            melodyRegion->setCurrentText("");
            form->accept(); // and so is no region at all
            EXPECT_EQ(dialogs.warnings.size(), 2);
            // Reaching past the firmware's end: refused with its report, the form kept as typed.
            melodyRegion->setCurrentText("0x00118000-0x00128000");
            form->accept();
            EXPECT_EQ(melodyRegion->currentText(), "0x00118000-0x00128000");
            EXPECT_FALSE(QFileInfo::exists(userFolder() + "/found"));
            melodyRegion->setCurrentIndex(1);
            form->accept();
            return form->result();
        }
        headings << dialog.findChild<QLabel*>("lblHeading")->text();
        return int(QDialog::Accepted);
    };
    trigger(*window, "DraftDataSet1");
    ASSERT_EQ(headings.size(), 2);
    EXPECT_EQ(headings[0], "Набор данных found не создан.");
    EXPECT_TRUE(headings[1].startsWith("Создан набор данных found")) << headings[1].toStdString();
    EXPECT_EQ(listfile::load(userFolder() + "/found/Data/MelodiesTable.lst"),
              QStringList({"00101000"}));
    EXPECT_FALSE(QFileInfo::exists(userFolder() + "/found/Data/JavaTable.lst"));

    // The next draft of the same firmware is offered a name still free.
    dialogs.openAnswers = {path};
    QString offered;
    dialogs.onModal = [&](QDialog& dialog) {
        offered = child<QLineEdit>(&dialog, "edId")->text();
        return int(QDialog::Rejected);
    };
    trigger(*window, "DraftDataSet1");
    EXPECT_EQ(offered, "found_2");
}

TEST_F(FirmwareScanDialogTest, PlayBecomesStopAndThePlayerEndsBeforeTheOverviewGoes) {
    TARVEX_SKIP_WITHOUT_POSIX_SHELL();
    // A stand-in player: logs the melody it is given, then plays until ended.
    const QString log = scratch.path("played.log");
    const QString player = scratch.write(
        "players/tune",
        QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\nexec sleep 30\n").arg(log).toUtf8());
    QFile::setPermissions(player, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QSettings(scratch.path("settings.ini"), QSettings::IniFormat).setValue("MidiPlayer", player);
    image.replace(0x4400, midi.size(), ss::midi("Dusk", 30)); // a second melody, no entry
    path = scratch.write("found.s3", firmwaremaker::sRecords(image, kBase));
    auto window = open();
    MelodyPlayer& shared = window->melodyPage()->player();
    QString played;
    dialogs.openAnswers = {path};
    dialogs.onModal = [&](QDialog& dialog) {
        auto* tree = child<QTreeWidget>(&dialog, "tvResources");
        auto* play = child<QPushButton>(&dialog, "btnPlay");
        QTreeWidgetItem* melodies = tree->topLevelItem(0);
        EXPECT_EQ(melodies->childCount(), 2);
        tree->setCurrentItem(melodies->child(0));
        play->click();
        EXPECT_EQ(play->text(), QStringLiteral("Остановить"));
        EXPECT_TRUE(shared.isRunning());
        // The whole line, not just the file the shell opened for it.
        EXPECT_TRUE(QTest::qWaitFor([&] { return testsupport::readAll(log).endsWith('\n'); }));
        played = QString::fromUtf8(testsupport::readAll(log)).trimmed();
        EXPECT_TRUE(QFile::exists(played));
        play->click(); // stops, not again
        EXPECT_FALSE(shared.isRunning());
        EXPECT_EQ(play->text(), QStringLiteral("Воспроизвести"));
        EXPECT_FALSE(QFile::exists(played));

        play->click();
        tree->setCurrentItem(melodies->child(1)); // another melody stops the first
        EXPECT_FALSE(shared.isRunning());
        EXPECT_TRUE(play->isEnabled());
        play->click();
        EXPECT_TRUE(shared.isRunning());
        return int(QDialog::Accepted);
    };
    trigger(*window, "FirmwareOverview1");
    // The melody goes with the dialog, and so does its copy.
    EXPECT_FALSE(shared.isRunning());
    EXPECT_FALSE(QFile::exists(played));
}

TEST_F(FirmwareScanDialogTest, AScanCancelledHalfwayShowsNothingAndARawImageAsksItsAddress) {
    auto window = open();
    bool shown = false;
    dialogs.onModal = [&](QDialog&) { return int(shown = true); };
    {
        const CancelHalfway cancel;
        dialogs.openAnswers = {path};
        trigger(*window, "FirmwareOverview1");
        EXPECT_TRUE(cancel.pressed());
    }
    EXPECT_FALSE(shown);

    // Neither S-records nor named .bin: the window asks where its first byte lies.
    const QString raw = scratch.write("dump/found.img", image);
    dialogs.openAnswers = {raw};
    dialogs.startFolders.clear();
    dialogs.textAnswers = {"0x1OOOOO", "100000"};
    QString first;
    dialogs.onModal = [&](QDialog& dialog) {
        first = child<QTreeWidget>(&dialog, "tvResources")->topLevelItem(0)->child(0)->text(0);
        return int(QDialog::Accepted);
    };
    trigger(*window, "FirmwareOverview1");
    EXPECT_EQ(dialogs.startFolders.value(0), path); // the firmware chosen last, offered
    ASSERT_EQ(dialogs.warnings.size(), 1);
    EXPECT_FALSE(dialogs.warnings[0].contains("--")) << dialogs.warnings[0].toStdString();
    EXPECT_EQ(first, "0x00104000");
    // Every firmware dialog starts there now, the draft's and apply's too.
    dialogs.startFolders.clear();
    trigger(*window, "DraftDataSet1");
    trigger(*window, "ApplyPatches1");
    EXPECT_EQ(dialogs.startFolders, QStringList({raw, raw}));
}

TEST_F(FirmwareScanDialogTest, TheMapShowsThePiecesAndAClickSelectsTheResource) {
    auto window = open();
    const QString patch =
        scratch.write("mark.s3", firmwaremaker::record(3, kBase + 0x4000, "\x01\x02") + "\r\n");
    dialogs.openAnswers = {path, patch};
    dialogs.onModal = [&](QDialog& dialog) {
        dialog.resize(900, 600);
        auto* strip = child<FirmwareMapStrip>(&dialog, "FirmwareMapStrip");
        auto count = [&](firmwaremap::Lane lane) {
            return std::count_if(strip->map().pieces.begin(), strip->map().pieces.end(),
                                 [&](const firmwaremap::Piece& p) { return p.lane == lane; });
        };
        EXPECT_EQ(count(firmwaremap::Lane::Held), 1);
        EXPECT_EQ(count(firmwaremap::Lane::Resources), 4);
        EXPECT_EQ(count(firmwaremap::Lane::Entries), 4);
        EXPECT_EQ(count(firmwaremap::Lane::Erased), 1);
        EXPECT_EQ(count(firmwaremap::Lane::Patch), 0);

        // The picture, clicked on the strip, is the one selected in the list.
        const firmwaremap::Piece* drawn = nullptr;
        for (const firmwaremap::Piece& p : strip->map().pieces) {
            if (p.lane == firmwaremap::Lane::Resources && p.start == kBase + 0x5000) {
                drawn = &p;
            }
        }
        if (drawn == nullptr) {
            ADD_FAILURE() << "no piece for the picture";
            return int(QDialog::Rejected);
        }
        EXPECT_TRUE(drawn->tip.startsWith("picture: от 0x00105000 до")) << drawn->tip.toStdString();
        const QRect lane = strip->laneRect(firmwaremap::Lane::Resources);
        QTest::mouseClick(
            strip, Qt::LeftButton, {},
            QPoint(lane.left() + int(drawn->x + drawn->width / 2), lane.center().y()));
        auto* tree = child<QTreeWidget>(&dialog, "tvResources");
        EXPECT_EQ(tree->selectedItems().size(), 1);
        EXPECT_EQ(tree->currentItem()->text(0), "0x00105000");
        EXPECT_FALSE(child<QLabel>(&dialog, "imgPicture")->pixmap().isNull());

        child<QPushButton>(strip, "btnMarkPatch")->click();
        EXPECT_EQ(count(firmwaremap::Lane::Patch), 1);
        return int(QDialog::Accepted);
    };
    trigger(*window, "FirmwareOverview1");
}
