// SPDX-License-Identifier: MIT
#include "AppTestSupport.h"
#include "dataset/MemoryMap.h"
#include "firmware/FirmwareMaker.h"
#include "pages/PicturePage.h"
#include "pages/SlotListView.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <filesystem>

namespace {

class FirmwareMenuTest : public WindowTest {
protected:
    FirmwareMenuTest() {
        made = maker.make();
        firmwaremaker::writeDataSet(made, userFolder());
        firmwarePath =
            scratch.write("X120XEDJ2.s3", firmwaremaker::sRecords(made.image, maker.base));
        dialogs.onModal = [this](QDialog& dialog) {
            headings << dialog.findChild<QLabel*>("lblHeading")->text();
            reports << dialog.findChild<QPlainTextEdit*>("memReport")->toPlainText();
            return int(QDialog::Accepted);
        };
    }
    void trigger(const MainWindow& window, const char* action) {
        child<QAction>(&window, action)->trigger();
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
    }

    FirmwareMaker maker = FirmwareMaker::standard();
    FirmwareMaker::Made made;
    QString firmwarePath;
    QStringList headings;
    QStringList reports;
};

} // namespace

TEST_F(FirmwareMenuTest, MatchesExtractsAndPortsFromTheSettingsMenu) {
    auto window = open();
    dialogs.openAnswers = {firmwarePath};
    trigger(*window, "MatchFirmware1");
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(headings[0], "Набор данных подходит к прошивке " + firmwarePath + ".");
    EXPECT_TRUE(reports[0].contains("3 из 3 записей таблицы мелодий совпадают с прошивкой"))
        << reports[0].toStdString();

    dialogs.openAnswers = {firmwarePath};
    dialogs.folderAnswers = {scratch.mkdir("out")};
    trigger(*window, "ExtractResources1");
    EXPECT_EQ(testsupport::readAll(scratch.path("out/java/1.jar")),
              FirmwareMaker::resource(FirmwareMaker::Kind::Java, 1));
    ASSERT_EQ(dialogs.informs.size(), 1);
    EXPECT_TRUE(dialogs.informs[0][0].startsWith("Извлечено ресурсов: 7."));

    // A later version with code inserted before everything: every address moves.
    FirmwareMaker later = maker;
    later.pieces.insert(later.pieces.begin(), {FirmwareMaker::Kind::Code, 60});
    const FirmwareMaker::Made moved = later.make();
    const QString next =
        scratch.write("X120NEXT.s3", firmwaremaker::sRecords(moved.image, later.base));
    dialogs.openAnswers = {firmwarePath, next};
    trigger(*window, "PortDataSet1");
    ASSERT_EQ(reports.size(), 2);
    EXPECT_TRUE(headings[1].startsWith("Создан набор данных X120NEXT"))
        << headings[1].toStdString();
    // As after adding a firmware, the new set is offered at once (not taken here).
    EXPECT_EQ(dialogs.questions.value(0),
              QStringLiteral("Набор данных X120NEXT создан. Перейти на него сейчас?"));
    EXPECT_EQ(window->statusText(1), QStringLiteral("Прошивка: X120XEDJ2"));
    EXPECT_TRUE(reports[1].contains("мелодия слота 0 (Мелодия 1): 0x")) << reports[1].toStdString();
    const MemoryMap map = readMemoryMap(userFolder() + "/X120NEXT/Data/Memory.ini");
    EXPECT_EQ(map.melodyStart,
              QStringLiteral("0x%1")
                  .arg(moved.addresses[later.find(FirmwareMaker::Kind::MelodyRegion)], 8, 16,
                       QLatin1Char('0'))
                  .toUpper()
                  .replace("0X", "0x"));
}

TEST_F(FirmwareMenuTest, AppliesPatchesAndRefreshesPreviewsOfferingTheLastFirmwareFirst) {
    auto window = open();
    // One patch over the firmware's own bytes, one beyond them.
    const QString inside = scratch.write(
        "p/in.s3", firmwaremaker::record(3, maker.base + 16, "\x01\x02\x03") + "\r\n");
    const QString outside =
        scratch.write("p/out.s3", firmwaremaker::record(3, 0x00800000, "\x01\x02") + "\r\n");
    const QString result = scratch.path("result.bin");
    dialogs.openAnswers = {firmwarePath};
    dialogs.openManyAnswers = {{inside, outside}};
    dialogs.saveAnswers = {result};
    trigger(*window, "ApplyPatches1");
    ASSERT_EQ(headings.size(), 1);
    EXPECT_EQ(headings[0], QStringLiteral("Патчи не применены: файл %1 не записан.").arg(result));
    EXPECT_TRUE(reports[0].contains("out.s3:1:")) << reports[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(result));

    // The firmware chosen last for this data set is offered first.
    dialogs.openAnswers = {firmwarePath};
    dialogs.openManyAnswers = {{inside}};
    dialogs.saveAnswers = {result};
    dialogs.startFolders.clear();
    trigger(*window, "ApplyPatches1");
    EXPECT_EQ(dialogs.startFolders.value(0), firmwarePath);
    QByteArray expected = made.image;
    expected.replace(16, 3, "\x01\x02\x03");
    EXPECT_EQ(testsupport::readAll(result), expected);
    EXPECT_EQ(window->statusText(0), QStringLiteral("Файл \"%1\" создан.").arg(result));
    // Never over one of its own inputs.
    dialogs.openAnswers = {firmwarePath};
    dialogs.openManyAnswers = {{inside}};
    dialogs.saveAnswers = {firmwarePath};
    dialogs.yesNoAnswers = {true}; // replacing it is agreed, and still refused
    trigger(*window, "ApplyPatches1");
    EXPECT_EQ(dialogs.warnings.size(), 1);
    // Nor over a hard link to one: another name, the same file.
    const QString linked = scratch.path("p/linked.s3");
    std::filesystem::create_hard_link(inside.toStdString(), linked.toStdString());
    const QByteArray patchBytes = testsupport::readAll(inside);
    dialogs.openAnswers = {firmwarePath};
    dialogs.openManyAnswers = {{inside}};
    dialogs.saveAnswers = {linked};
    dialogs.yesNoAnswers = {true};
    trigger(*window, "ApplyPatches1");
    EXPECT_EQ(dialogs.warnings.size(), 2);
    EXPECT_EQ(testsupport::readAll(linked), patchBytes);

    // The previews from the firmware, shown at once on the picture page.
    PicturePage* pic = window->picturePage();
    window->pageControl()->setCurrentWidget(pic);
    pic->slotList()->setCurrentItem(pic->slotList()->topLevelItem(1));
    QFile::remove(dataFile("Pic/2.jpg"));
    pic->showSelectedSlot();
    ASSERT_TRUE(pic->standardPicture().isNull());
    dialogs.openAnswers = {firmwarePath};
    dialogs.startFolders.clear();
    trigger(*window, "RefreshPreviews1");
    EXPECT_EQ(dialogs.startFolders.value(0), firmwarePath);
    EXPECT_TRUE(QFileInfo::exists(dataFile("Pic/2.jpg")));
    EXPECT_EQ(pic->standardPicture().size(), QSize(6, 3));
    ASSERT_EQ(dialogs.informs.size(), 1);
    EXPECT_TRUE(dialogs.informs[0][0].startsWith(QStringLiteral("Превью обновлены: 2")))
        << dialogs.informs[0][0].toStdString();
}

TEST_F(FirmwareMenuTest, ApplyAsksBeforeReplacingAndACancelHalfwayLeavesEveryFileAsItWas) {
    auto window = open();
    const QString patch = scratch.write(
        "p/in.s3", firmwaremaker::record(3, maker.base + 16, "\x01\x02\x03") + "\r\n");
    const QString kept = scratch.write("out/kept.bin", "the user's own file");
    const QString result = scratch.path("out/result.bin");
    auto apply = [&](const QStringList& saveAnswers) {
        dialogs.openAnswers = {firmwarePath};
        dialogs.openManyAnswers = {{patch}};
        dialogs.saveAnswers = saveAnswers;
        trigger(*window, "ApplyPatches1");
    };
    // Declined, the dialog comes back; the next name is written.
    dialogs.yesNoAnswers = {false};
    apply({kept, result});
    EXPECT_EQ(dialogs.questions,
              QStringList(QStringLiteral("Файл с именем «%1» уже существует. Заменить его?")
                              .arg(QDir::toNativeSeparators(kept))));
    EXPECT_EQ(testsupport::readAll(kept), "the user's own file");
    EXPECT_EQ(testsupport::readAll(result).size(), made.image.size());

    // Agreed, then cancelled while the output is being written.
    QFile::remove(result);
    dialogs.yesNoAnswers = {true};
    {
        ASSERT_GT(made.image.size(), 3 * 4096);
        const CancelHalfway cancel(2 * 4096);
        apply({kept});
        EXPECT_TRUE(cancel.pressed());
    }
    EXPECT_EQ(testsupport::readAll(kept), "the user's own file");
    EXPECT_EQ(QDir(scratch.path("out")).entryList(QDir::Files | QDir::Hidden),
              QStringList("kept.bin"));
    EXPECT_TRUE(headings.isEmpty());
}

TEST_F(FirmwareMenuTest, APreviewRefreshCancelledHalfwayChangesNoPreview) {
    auto window = open();
    QFile::remove(dataFile("Pic/2.jpg"));
    const QStringList before = QDir(dataFile("Pic")).entryList(QDir::Files | QDir::Hidden);
    const QByteArray first = testsupport::readAll(dataFile("Pic/1.jpg"));
    {
        const CancelHalfway cancel(1);
        dialogs.openAnswers = {firmwarePath};
        trigger(*window, "RefreshPreviews1");
        EXPECT_TRUE(cancel.pressed());
    }
    EXPECT_EQ(QDir(dataFile("Pic")).entryList(QDir::Files | QDir::Hidden), before);
    EXPECT_EQ(testsupport::readAll(dataFile("Pic/1.jpg")), first);
    EXPECT_TRUE(dialogs.informs.isEmpty());
}

TEST_F(FirmwareMenuTest, EveryMenuHasUniqueAccessLetters) {
    auto window = open();
    for (const QMenu* menu : window->menuBar()->findChildren<QMenu*>()) {
        QStringList letters;
        for (const QAction* action : menu->actions()) {
            const qsizetype amp = action->text().indexOf('&');
            if (amp >= 0 && amp + 1 < action->text().size()) {
                const QString letter = action->text().mid(amp + 1, 1).toLower();
                EXPECT_FALSE(letters.contains(letter))
                    << menu->title().toStdString() << ": " << action->text().toStdString();
                letters << letter;
            }
        }
    }
}

TEST_F(FirmwareMenuTest, MakesARevertPatchThatGivesTheFirmwareBack) {
    auto window = open();
    const QString inside = scratch.write(
        "p/in.s3", firmwaremaker::record(3, maker.base + 16, "\x01\x02\x03") + "\r\n");
    const QString outside =
        scratch.write("p/out.s3", firmwaremaker::record(3, 0x00800000, "\x01\x02") + "\r\n");
    const QString revert = scratch.path("revert.s3");
    dialogs.openAnswers = {firmwarePath};
    dialogs.openManyAnswers = {{inside, outside}};
    dialogs.saveAnswers = {revert};
    trigger(*window, "RevertPatch1");
    ASSERT_EQ(headings.size(), 1);
    EXPECT_EQ(headings[0],
              QStringLiteral("Патч отмены не создан: файл %1 не записан.").arg(revert));
    EXPECT_TRUE(reports[0].contains("out.s3:1: ошибка: записывает [0x00800000, 0x00800002) вне"))
        << reports[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(revert));

    dialogs.openAnswers = {firmwarePath};
    dialogs.openManyAnswers = {{inside}};
    dialogs.saveAnswers = {revert};
    trigger(*window, "RevertPatch1");
    ASSERT_EQ(headings.size(), 2);
    EXPECT_TRUE(headings[1].startsWith(
        QStringLiteral("Патч отмены %1 записан: 3 байта, 1 диапазон, 1 запись.").arg(revert)))
        << headings[1].toStdString();
    EXPECT_TRUE(testsupport::readAll(revert).contains(
        firmwaremaker::record(3, maker.base + 16, made.image.mid(16, 3))));
}
