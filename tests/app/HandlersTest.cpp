// SPDX-License-Identifier: MIT
// The manager pages' own handlers, driven through the window.
#include "AppTestSupport.h"
#include "dataset/ListFile.h"
#include "pages/JavaPage.h"
#include "pages/MelodyPage.h"
#include "pages/MemoryPanel.h"
#include "pages/PicturePage.h"
#include "pages/SlotListView.h"
#include "pictures/HandsetPicture.h"
#include "srec/S3Records.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QThread>
#include <QToolButton>

namespace {

void select(SlotListView* list, int row) {
    list->setCurrentItem(list->topLevelItem(row));
}

QString list(const QString& dataFile, int line) {
    return listfile::load(dataFile).value(line);
}

class Handlers : public WindowTest {
protected:
    QString bitmap(const QString& name, int width, int height, QRgb colour = qRgb(10, 20, 30)) {
        QImage image(width, height, QImage::Format_RGB888);
        image.fill(colour);
        const QString path = scratch.path("in/" + name);
        QDir().mkpath(scratch.path("in"));
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }
};

} // namespace

TEST_F(Handlers, MelodyOpenRecordsRefusesAndSaves) {
    auto window = open(MiniDataSet());
    MelodyPage* page = window->melodyPage();
    const QString file = scratch.write("in/ring.mmf", QByteArray(300, 'r'));

    page->openButton()->click(); // no row selected: no dialog
    EXPECT_TRUE(dialogs.openFilters.isEmpty());

    select(page->slotList(), 1);
    dialogs.openAnswers = {file, file};
    page->openButton()->click();
    EXPECT_EQ(page->slotList()->cell(1, 1), "ring.mmf");
    EXPECT_EQ(page->slotList()->cell(1, 3), "300");
    EXPECT_EQ(child<QLineEdit>(page, "edtMelFile")->text(), "ring.mmf");
    EXPECT_EQ(child<QLabel>(page, "lblMemUsed")->text(), QStringLiteral("300 байт"));
    EXPECT_EQ(list(dataFile("MelodiesFiles.lst"), 1), "ring.mmf");
    EXPECT_TRUE(QFile::exists(firmware("TempMelodies/ring.mmf")));

    select(page->slotList(), 2);
    page->openButton()->click();
    EXPECT_EQ(dialogs.warnings,
              QStringList{QStringLiteral(
                  "Файл уже используется. Пожалуйста, выберите другой файл мелодии.")});
    EXPECT_EQ(page->slotList()->cell(2, 1), QStringLiteral("[Стандартная мелодия]"));
}

TEST_F(Handlers, GaugeTurnsMaroonAndDisablesTheButtonPastTheTotal) {
    MiniDataSet set;
    set.memoryIni = "[Melodies]\r\nStartOffset=0x100\r\nEndOffset=0x1110\r\n"; // total 16
    auto window = open(set);
    MelodyPage* page = window->melodyPage();
    select(page->slotList(), 0);
    dialogs.openAnswers = {scratch.write("in/a.mid", QByteArray(16, 'a')),
                           scratch.write("in/b.mid", "b")};
    page->openButton()->click();
    EXPECT_EQ(child<QProgressBar>(page, "pgMemUsed")->value(), 100);
    EXPECT_TRUE(page->createButton()->isEnabled());
    select(page->slotList(), 1);
    page->openButton()->click();
    EXPECT_EQ(child<QProgressBar>(page, "pgMemUsed")->value(), 100);
    EXPECT_FALSE(page->createButton()->isEnabled());
    const QLabel* used = child<QLabel>(page, "lblMemUsed");
    EXPECT_EQ(used->palette().color(used->backgroundRole()), MemoryPanel::overLimitColour());
    select(page->slotList(), 1);
    page->restoreButton()->click();
    EXPECT_TRUE(page->createButton()->isEnabled());
}

TEST_F(Handlers, VolumesFollowTheClickedRowAndRestore) {
    MiniDataSet set;
    set.melodies = 26;
    auto window = open(set);
    MelodyPage* page = window->melodyPage();
    select(page->slotList(), 25);
    page->showSelectedSlot();
    EXPECT_EQ(child<QLabel>(page, "lblVolumePercent")->text(), QStringLiteral("н/д"));
    EXPECT_FALSE(child<QSlider>(page, "tbVolume")->isEnabled());

    select(page->slotList(), 3);
    page->showSelectedSlot();
    EXPECT_TRUE(child<QSlider>(page, "tbVolume")->isEnabled());
    EXPECT_EQ(child<QSlider>(page, "tbVolume")->value(), 0x40);
    EXPECT_EQ(child<QLabel>(page, "lblVolumePercent")->text(), "50%");
    child<QSlider>(page, "tbVolume")->setValue(127);
    EXPECT_EQ(child<QLabel>(page, "lblVolumePercent")->text(), "100%");
    // In memory at once, on disk with the next save.
    EXPECT_EQ(list(dataFile("Volumes.lst"), 3), "40");
    page->restoreButton()->click();
    EXPECT_EQ(child<QSlider>(page, "tbVolume")->value(), 0x40);
    EXPECT_EQ(list(dataFile("Volumes.lst"), 3), "40");
    child<QSlider>(page, "tbVolume")->setValue(1);
    window->close();
    EXPECT_EQ(list(dataFile("Volumes.lst"), 3), "01");
}

TEST_F(Handlers, BuildingSavesReportsAndCleansOrCancels) {
    auto window = open(MiniDataSet());
    MelodyPage* page = window->melodyPage();
    select(page->slotList(), 0);
    dialogs.openAnswers = {scratch.write("in/a.mid", testsupport::sequence(20))};
    page->openButton()->click();
    scratch.write("user/X120XEDJ2/TempMelodies/orphan.mid", "o");

    page->createButton()->click(); // cancelled
    EXPECT_EQ(dialogs.saveRequests.value(0),
              (QStringList{"MelodyPatch", "Motorola S3 format (*.s3)"}));
    EXPECT_FALSE(QFile::exists(firmware("TempMelodies/orphan.mid")));
    EXPECT_TRUE(window->statusBar()->findChildren<QLabel*>().size() >= 1);

    const QString out = scratch.path("MelodyPatch.s3");
    dialogs.saveAnswers = {out};
    page->createButton()->click();
    QString error;
    EXPECT_EQ(testsupport::srecCatBytes(out, 0x01301000, 20, &error), testsupport::sequence(20))
        << error.toStdString();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
}

TEST_F(Handlers, JavaRestoreNamesTheStandardFileInTheHiddenColumn) {
    auto window = open(MiniDataSet());
    JavaPage* page = window->javaPage();
    select(page->slotList(), 1);
    dialogs.openAnswers = {scratch.write("in/game.jar", "jar bytes")};
    page->openButton()->click();
    EXPECT_EQ(dialogs.openFilters.value(0), "JAR файлы (*.jar)");
    EXPECT_EQ(page->slotList()->cell(1, 3), "9");
    page->restoreButton()->click();
    EXPECT_EQ(page->slotList()->cell(1, 1), QStringLiteral("[Стандартная игра]"));
    EXPECT_EQ(page->slotList()->cell(1, 2), QStringLiteral("Игра0.jar"));
    EXPECT_EQ(child<QLineEdit>(page, "edtJavaFile")->text(), QStringLiteral("[Стандартная игра]"));
    EXPECT_EQ(list(dataFile("JavaSize.lst"), 1), "0");
}

TEST_F(Handlers, PicturesShowPreviewsCheckSizesAndFollowTheKeys) {
    MiniDataSet set;
    const QString firmwareFolder = set.writeTo(userFolder());
    QDir().mkpath(firmwareFolder + "/Data/Pic");
    QImage preview(4, 2, QImage::Format_RGB888);
    preview.fill(Qt::green);
    ASSERT_TRUE(preview.save(firmwareFolder + "/Data/Pic/1.jpg", "JPG"));
    auto window = open();
    PicturePage* page = window->picturePage();

    select(page->slotList(), 0);
    page->showSelectedSlot();
    EXPECT_EQ(child<QLabel>(page, "lblPicWidth")->text(), "4");
    EXPECT_EQ(child<QLabel>(page, "lblPicHeight")->text(), "2");
    EXPECT_TRUE(page->newPicture().isNull());

    dialogs.openAnswers = {bitmap("wrong.bmp", 4, 3), bitmap("right.bmp", 4, 2)};
    page->openButton()->click();
    EXPECT_TRUE(dialogs.warnings.value(0).startsWith(
        QStringLiteral("Картинка не соответствует размеру 4х2 пикселей. Пожалуйста, выберите "
                       "другой файл. Размер выбранной картинки: 4x3.")))
        << dialogs.warnings.value(0).toStdString();
    EXPECT_TRUE(page->newPicture().isNull());
    page->openButton()->click();
    EXPECT_EQ(page->newPicture().size(), QSize(4, 2));
    EXPECT_EQ(page->slotList()->cell(0, 1), "right.bmp");
    EXPECT_EQ(page->slotList()->cell(0, 2), "14");

    // No preview file for slot 1: nothing shown, 0 x 0.
    select(page->slotList(), 1);
    EXPECT_EQ(child<QLabel>(page, "lblPicWidth")->text(), "0");
    select(page->slotList(), 0); // the panel follows the selection
    EXPECT_EQ(child<QLabel>(page, "lblPicWidth")->text(), "4");
    EXPECT_FALSE(page->newPicture().isNull());

    page->restoreButton()->click();
    EXPECT_TRUE(page->newPicture().isNull());
    EXPECT_EQ(page->slotList()->cell(0, 2), "0");
    EXPECT_TRUE(QFile::exists(firmware("TempPic/right.bmp"))); // until the next build
}

TEST_F(Handlers, FitCheckBoxFitsAPhotoAndIsRememberedAndThePreviewShowsHandsetColours) {
    MiniDataSet set;
    set.overrides["PicOffsets.lst"] = {"8000800000007000", "0200020000007000"};
    auto window = open(set);
    PicturePage* page = window->picturePage();
    QCheckBox* fit = child<QCheckBox>(page, "cbFitPicture");
    EXPECT_FALSE(fit->isChecked());
    EXPECT_EQ(fit->text(), QStringLiteral("Подгонять размер картинки"));
    const QString photo = bitmap("photo.bmp", 640, 480, qRgb(13, 77, 201));
    QImage(photo).save(scratch.path("in/photo.png"));
    select(page->slotList(), 0);
    dialogs.openAnswers = {scratch.path("in/photo.png"), scratch.path("in/photo.png")};
    page->openButton()->click();
    EXPECT_EQ(dialogs.warnings.size(), 1); // off: refused as ever
    fit->click();
    page->openButton()->click();
    EXPECT_EQ(dialogs.warnings.size(), 1);
    EXPECT_EQ(page->slotList()->cell(0, 1), "photo.bmp");
    ASSERT_EQ(page->newPicture().size(), QSize(128, 128));
    const QByteArray converted = encodeHandsetPicture(toPixelImage(page->newPicture()));
    EXPECT_EQ(page->slotList()->cell(0, 2), QString::number(converted.size()));
    // 13, 77, 201 keep their top 5, 6 and 5 bits, repeated into the low ones.
    EXPECT_EQ(child<QLabel>(page, "imgNew")->pixmap().toImage().pixel(64, 64), qRgb(8, 77, 206));
    EXPECT_FALSE(child<QLabel>(page, "imgNew")->toolTip().isEmpty());

    const QString patchFile = scratch.path("pic.s3");
    dialogs.saveAnswers = {patchFile};
    page->createButton()->click();
    EXPECT_TRUE(testsupport::readAll(patchFile).contains(
        srec::tableRecord("00600100", srec::pictureEntry(0x00646880, 128, 128)).toLatin1()));

    window.reset();
    EXPECT_TRUE(child<QCheckBox>(open()->picturePage(), "cbFitPicture")->isChecked());
}

TEST_F(Handlers, PreviewStartsTheFoundPlayerAndTheCloseEndsIt) {
    TARVEX_SKIP_WITHOUT_POSIX_SHELL();
    const QString log = scratch.path("player.log");
    standInPlayer("player/MidRadio.exe", log);
    {
        QSettings settings(scratch.path("settings.ini"), QSettings::IniFormat);
        settings.setValue("Software/YAMAHA/MidRadio2/Profiles/InstallDirectory",
                          scratch.path("player"));
    }
    auto window = open(MiniDataSet());
    MelodyPage* page = window->melodyPage();
    ASSERT_TRUE(page->player().isAvailable());
    select(page->slotList(), 0);
    dialogs.openAnswers = {scratch.write("in/my tune.mid", "m")};
    page->openButton()->click();
    child<QToolButton>(page, "btnPlayMelody")->click();
    ASSERT_TRUE(page->player().isRunning());
    for (int i = 0; i < 200 && testsupport::readAll(log).isEmpty(); ++i) {
        QThread::msleep(10);
    }
    EXPECT_EQ(QString::fromUtf8(testsupport::readAll(log)).trimmed(),
              firmware("TempMelodies/my tune.mid"));
    window->close();
    EXPECT_FALSE(page->player().isRunning());
}

TEST_F(Handlers, NoPlayerMeansNoPreviewButton) {
    auto window = open(MiniDataSet());
    EXPECT_FALSE(child<QToolButton>(window->melodyPage(), "btnPlayMelody")->isEnabled());
}
