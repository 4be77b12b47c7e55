// SPDX-License-Identifier: MIT
#include "AppTestSupport.h"
#include "dataset/MemoryMap.h"
#include "firmware/FirmwareMaker.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>

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
    void trigger(const TForm1& window, const char* action) {
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
    EXPECT_TRUE(reports[1].contains("мелодия слота 0 (Мелодия 1): 0x")) << reports[1].toStdString();
    const MemoryMap map = ReadMemoryMap(userFolder() + "/X120NEXT/Data/Memory.ini");
    EXPECT_EQ(map.melodyStart,
              QStringLiteral("0x%1")
                  .arg(moved.addresses[later.find(FirmwareMaker::Kind::MelodyRegion)], 8, 16,
                       QLatin1Char('0'))
                  .toUpper()
                  .replace("0X", "0x"));
}
