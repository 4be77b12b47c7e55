// The window as one writer among others: the data set's lock, lists cut at a
// NUL, patches aimed at a working folder, and errors of the volume bar.
#include "AppTestSupport.h"
#include "dataset/ListFile.h"
#include "manager/MemoryPanel.h"
#include "manager/SlotListView.h"
#include "melodies/MelodyPage.h"
#include "platform/DataSetLock.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

using testsupport::readAll;

TEST_F(WindowTest, SecondWindowOnTheSameDataSetOpensWithNothingToChange) {
    auto first = open(MiniDataSet());
    EXPECT_EQ(DataSetLock(firmware()).tryLock(), DataSetLock::Result::HeldByOther);
    const QByteArray files = readAll(dataFile("MelodiesFiles.lst"));
    {
        auto second = open();
        ASSERT_EQ(dialogs.warnings.size(), 1);
        EXPECT_TRUE(dialogs.warnings[0].contains(
            QStringLiteral("уже изменяет другая программа: test_app (pid %1")
                .arg(QCoreApplication::applicationPid())))
            << dialogs.warnings[0].toStdString();
        EXPECT_EQ(second->melodyPage()->lvMels->topLevelItemCount(), 0);
        EXPECT_FALSE(second->melodyPage()->isEnabled());
        second->close();
    }
    EXPECT_EQ(first->melodyPage()->lvMels->topLevelItemCount(), 3);
    first->close();
    first.reset();
    EXPECT_EQ(readAll(dataFile("MelodiesFiles.lst")), files);
    EXPECT_EQ(DataSetLock(firmware()).tryLock(), DataSetLock::Result::Locked);
}

TEST_F(WindowTest, ListCutAtNulIsNamedAtStartUp) {
    MiniDataSet set;
    set.writeTo(userFolder());
    listfile::writeWhole(dataFile("JavaSize.lst"),
                         QByteArray("0\r\n0\r\n0\r\n0\r\n\0lost\r\n", 15));
    auto window = open();
    ASSERT_EQ(dialogs.warnings.size(), 1);
    EXPECT_TRUE(dialogs.warnings[0].contains(dataFile("JavaSize.lst")));
}

TEST_F(WindowTest, PatchAimedAtAWorkingFolderIsRefusedWithAWarning) {
    auto window = open(MiniDataSet());
    dialogs.saveAnswers = {firmware("TempMelodies/MelodyPatch.s3")};
    window->melodyPage()->btnCreateMelPatch->click();
    ASSERT_EQ(dialogs.warnings.size(), 1);
    EXPECT_TRUE(dialogs.warnings[0].contains(QStringLiteral("рабочую папку")));
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_FALSE(QFile::exists(firmware("TempMelodies/MelodyPatch.s3")));
}

TEST_F(WindowTest, VolumeBarPastTheVolumeSlotsIsSwitchedOffWhenTheKeysGetThere) {
    MiniDataSet set;
    set.melodies = 30;
    auto window = open(set);
    MelodyPage* page = window->melodyPage();
    page->lvMels->setCurrentItem(page->lvMels->topLevelItem(0));
    page->lvMelsClick();
    ASSERT_TRUE(page->tbVolume->isEnabled());
    for (int row = 0; row < 27; ++row) { // the panel follows the keys
        QTest::keyClick(page->lvMels, Qt::Key_Down);
    }
    ASSERT_EQ(page->lvMels->selectedRow(), 27);
    EXPECT_FALSE(page->tbVolume->isEnabled());
    EXPECT_EQ(page->lblVolumePercent->text(), QStringLiteral("н/д"));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}
