#include "AppTestSupport.h"
#include "app/untOptFirmware.h"
#include "dataset/ListFile.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

class CheckMenuTest : public WindowTest {
protected:
    // Records the report dialog's heading and text when it is shown.
    void recordReports() {
        dialogs.onModal = [this](QDialog& dialog) {
            headings << dialog.findChild<QLabel*>("lblHeading")->text();
            reports << dialog.findChild<QPlainTextEdit*>("memReport")->toPlainText();
            return int(QDialog::Accepted);
        };
    }
    void trigger(const TForm1& window, const char* action) {
        child<QAction>(&window, action)->trigger();
    }

    QStringList headings;
    QStringList reports;
};

} // namespace

TEST_F(CheckMenuTest, ChecksTheDataSetAndVerifiesAPatchInADialog) {
    auto window = open(MiniDataSet{});
    recordReports();
    listfile::save(dataFile("JavaSize.lst"), {"0", "x", "0", "0"});
    trigger(*window, "CheckDataSet1");
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(headings[0], "Прошивка: X120XEDJ2");
    EXPECT_TRUE(reports[0].contains(dataFile("JavaSize.lst") + ":2: error: \"x\" is not a size"));
    EXPECT_TRUE(reports[0].endsWith("1 error, 2 warnings\n")) << reports[0].toStdString();

    const QString patch = scratch.write("p.s3", "S00600004844521B\r\nS30901201010101112136F\r\n"
                                                "S705A002000058\r\n");
    dialogs.openAnswers = {patch};
    trigger(*window, "VerifyPatch1");
    EXPECT_EQ(dialogs.openFilters.last(), "Motorola S3 format (*.s3)");
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(headings[1], patch);
    EXPECT_TRUE(reports[1].contains("0x01201010-0x01201013: 4 bytes: Java region\n"));
    trigger(*window, "VerifyPatch1"); // cancelled
    EXPECT_EQ(reports.size(), 2);
}

TEST_F(CheckMenuTest, AddsAFirmwareTheFirmwareDialogThenOffers) {
    auto window = open(MiniDataSet{});
    recordReports();
    const QString source = MiniDataSet{}.writeTo(scratch.path("elsewhere"), "X120NEW");
    dialogs.openAnswers = {source + "/Data/Memory.ini"};
    trigger(*window, "AddFirmware1");
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
    EXPECT_EQ(dialogs.informs, QList<QStringList>({{"Пожалуйста, перезапустите программу.", ""}}));
    EXPECT_TRUE(QFileInfo::exists(userFolder() + "/X120NEW/Data/PicNames.lst"));
    EXPECT_GE(window->frmOptFirmware()->cbFirmware->findText("X120NEW"), 0);
    EXPECT_EQ(window->frmOptFirmware()->chosenFirmware(), "X120XEDJ2");

    // Again: the id exists. Broken: the report, nothing copied.
    dialogs.openAnswers = {source + "/Data/Memory.ini"};
    trigger(*window, "AddFirmware1");
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains("exists already"));
    const QString broken = MiniDataSet{}.writeTo(scratch.path("elsewhere"), "X120BAD");
    listfile::save(broken + "/Data/Volumes.lst", {"00"});
    dialogs.openAnswers = {broken + "/Data/Volumes.lst"};
    trigger(*window, "AddFirmware1");
    ASSERT_EQ(headings.size(), 1);
    EXPECT_EQ(headings[0], "Прошивка X120BAD не добавлена: в наборе данных есть ошибки.");
    EXPECT_TRUE(reports[0].contains("Volumes.lst:1: error: \"00\" is not a volume"));
    EXPECT_FALSE(QFileInfo::exists(userFolder() + "/X120BAD"));
}
