// SPDX-License-Identifier: MIT
#include "AppTestSupport.h"
#include "app/DonationDialog.h"
#include "app/FirmwareVersionDialog.h"
#include "dataset/ListFile.h"
#include "pages/DroppedFile.h"
#include "pages/MelodyPage.h"
#include "pages/MemoryPanel.h"
#include "pages/SlotListView.h"
#include "platform/DataSetLock.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace {

class CheckMenuTest : public WindowTest {
protected:
    // Records the report dialog's heading and text when it is shown, and
    // which lines are bold.
    void recordReports() {
        dialogs.onModal = [this](QDialog& dialog) {
            headings << dialog.findChild<QLabel*>("lblHeading")->text();
            const auto* edit = dialog.findChild<QPlainTextEdit*>("memReport");
            reports << edit->toPlainText();
            wraps = edit->lineWrapMode() == QPlainTextEdit::WidgetWidth;
            bold.clear();
            for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next()) {
                if (b.begin() != b.end() &&
                    b.begin().fragment().charFormat().fontWeight() == QFont::Bold) {
                    bold << b.text();
                }
            }
            return int(QDialog::Accepted);
        };
    }
    void trigger(const MainWindow& window, const char* action) {
        child<QAction>(&window, action)->trigger();
    }

    QStringList headings;
    QStringList reports;
    QStringList bold;
    bool wraps = false;
};

} // namespace

TEST_F(CheckMenuTest, ChecksTheDataSetAndVerifiesAPatchInADialog) {
    auto window = open(MiniDataSet{});
    recordReports();
    listfile::save(dataFile("JavaSize.lst"), {"0", "x", "0", "0"});
    trigger(*window, "CheckDataSet1");
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(headings[0], "Прошивка: X120XEDJ2");
    // In Russian, whatever the locale; errors in bold, warnings not; long lines wrap.
    EXPECT_TRUE(reports[0].contains(dataFile("JavaSize.lst") + ":2: ошибка: «x» не размер"))
        << reports[0].toStdString();
    EXPECT_TRUE(reports[0].endsWith("1 ошибка, 2 предупреждения\n")) << reports[0].toStdString();
    ASSERT_EQ(bold.size(), 2) << bold.join("\n").toStdString();
    EXPECT_TRUE(bold[0].startsWith(dataFile("JavaSize.lst") + ":2: ошибка:"));
    EXPECT_EQ(bold[1], "1 ошибка, 2 предупреждения");
    EXPECT_TRUE(wraps);

    const QString patch = scratch.write("p.s3", "S00600004844521B\r\nS30901201010101112136F\r\n"
                                                "S705A002000058\r\n");
    dialogs.openAnswers = {patch};
    trigger(*window, "VerifyPatch1");
    EXPECT_EQ(dialogs.openFilters.last(), "Motorola S3 format (*.s3)");
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(headings[1], patch);
    EXPECT_TRUE(reports[1].contains("0x01201010-0x01201013: байтов: 4: область Java\n"))
        << reports[1].toStdString();
    trigger(*window, "VerifyPatch1"); // cancelled
    EXPECT_EQ(reports.size(), 2);
}

TEST_F(CheckMenuTest, AddsAFirmwareUnderAnIdTheUserConfirmsAndSwitchesToItOnRequest) {
    auto window = open(MiniDataSet{});
    recordReports();
    const QString source = MiniDataSet{}.writeTo(scratch.path("elsewhere"), "X120NEW");
    dialogs.folderAnswers = {source};
    dialogs.textAnswers = {"X120NEW"};
    trigger(*window, "AddFirmware1");
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
    EXPECT_EQ(dialogs.proposedTexts, QStringList{"X120NEW"});
    EXPECT_EQ(dialogs.questions,
              QStringList{QStringLiteral("Прошивка X120NEW добавлена. Перейти на неё сейчас?")});
    EXPECT_TRUE(QFileInfo::exists(userFolder() + "/X120NEW/Data/PicNames.lst"));
    EXPECT_GE(child<QComboBox>(window.get(), "cbFirmware")->findText("X120NEW"), 0);
    EXPECT_EQ(window->session().firmwareSettings().currentId, "X120XEDJ2"); // answered no

    // A Data folder chosen itself; the id taken already is asked again, in
    // Russian; then the window switches to the new firmware.
    dialogs.folderAnswers = {source + "/Data"};
    dialogs.textAnswers = {"X120NEW", "X120NEW2"};
    dialogs.yesNoAnswers = {true};
    window->melodyPage()->slotList()->setCurrentItem(
        window->melodyPage()->slotList()->topLevelItem(0));
    trigger(*window, "AddFirmware1");
    EXPECT_EQ(dialogs.proposedTexts.value(1), "X120NEW_2");
    EXPECT_EQ(dialogs.warnings,
              QStringList{QStringLiteral("Прошивка X120NEW уже есть. Введите другое имя.")});
    EXPECT_EQ(dialogs.proposedTexts.value(2), "X120NEW");
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
    EXPECT_EQ(window->session().firmwareFolder(), userFolder() + "/X120NEW2");
    EXPECT_EQ(window->statusText(1), QStringLiteral("Прошивка: X120NEW2"));
    EXPECT_EQ(window->melodyPage()->slotList()->topLevelItemCount(), 3);
    EXPECT_EQ(child<QLabel>(window->melodyPage(), "lblMelName")->text(),
              QStringLiteral("Выберите мелодию"));
    EXPECT_EQ(DataSetLock(firmware()).tryLock(), DataSetLock::Result::Locked); // the old one freed
    EXPECT_EQ(DataSetLock(userFolder() + "/X120NEW2").tryLock(), DataSetLock::Result::HeldByOther);
    window->close();
    window = open();
    EXPECT_EQ(window->session().firmwareSettings().currentId, "X120NEW2"); // remembered

    // Broken: the report, nothing copied. No data set at all: told so.
    const QString broken = MiniDataSet{}.writeTo(scratch.path("elsewhere"), "X120BAD");
    listfile::save(broken + "/Data/Volumes.lst", {"00"});
    dialogs.folderAnswers = {broken, scratch.path("elsewhere")};
    dialogs.textAnswers = {"X120BAD"};
    trigger(*window, "AddFirmware1");
    ASSERT_EQ(headings.size(), 1);
    EXPECT_EQ(headings[0], "Прошивка X120BAD не добавлена: в наборе данных есть ошибки.");
    EXPECT_TRUE(reports[0].contains("Volumes.lst:1: ошибка: «00» не громкость"));
    EXPECT_FALSE(QFileInfo::exists(userFolder() + "/X120BAD"));
    trigger(*window, "AddFirmware1");
    EXPECT_TRUE(dialogs.warnings.value(1).startsWith(QStringLiteral("В папке ")));
}

TEST_F(CheckMenuTest, TheWindowsOwnTextsShowInRussian) {
    auto window = open(MiniDataSet{});
    QStringList settings;
    for (const QAction* action : child<QMenu>(window.get(), "N1")->actions()) {
        if (!action->isSeparator()) {
            settings << action->text();
        }
    }
    EXPECT_EQ(settings,
              QStringList({"&Версия прошивки", "&Проверить набор данных...", "Проверить па&тч...",
                           "&Добавить прошивку...", "&Сверить с прошивкой...",
                           "&Извлечь ресурсы прошивки...", "П&еренести набор на другую прошивку...",
                           "Приме&нить патчи к прошивке...", "Создать патч от&мены...",
                           "&Обновить превью из прошивки...", "Об&зор прошивки...",
                           "Созд&ать набор данных из прошивки..."}));
    EXPECT_EQ(child<QAction>(window.get(), "actPageHelp")->text(), "&Справка");
    EXPECT_TRUE(child<QLabel>(child<DonationDialog>(window.get(), "frmNagScreen"), "Label6")
                    ->text()
                    .endsWith("разработке.\nДля коммерческого использования\nсвяжитесь с "
                              "автором по e-mail."));
    // The pages' own hints, asked of their classes' translations.
    EXPECT_EQ(MemoryPanel::overLimitHint(5),
              "Памяти не хватает на 5 байт. Уберите или замените файлы, чтобы создать патч.");
    EXPECT_EQ(droppedfile::single({}).refusal,
              "Перетащите один файл: за раз можно взять только один.");
}
