// SPDX-License-Identifier: MIT
// The window as one writer among others: the data set's lock, lists cut at a
// NUL, patches aimed at a working folder, and errors of the volume bar.
#include "AppTestSupport.h"
#include "dataset/ListFile.h"
#include "editor/CustomPatchPage.h"
#include "editor/PatchEditor.h"
#include "pages/JavaPage.h"
#include "pages/MelodyPage.h"
#include "pages/MemoryPanel.h"
#include "pages/SlotListView.h"
#include "platform/DataSetLock.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QUrl>

using testsupport::readAll;

TEST_F(WindowTest, SecondWindowOnTheSameDataSetShowsItReadOnly) {
    auto first = open(MiniDataSet());
    EXPECT_EQ(DataSetLock(firmware()).tryLock(), DataSetLock::Result::HeldByOther);
    {
        auto second = open();
        second->show();
        QApplication::setActiveWindow(second.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(second.get()));
        EXPECT_TRUE(dialogs.warnings.isEmpty());
        EXPECT_TRUE(second->windowTitle().endsWith(QStringLiteral("(только чтение)")));
        EXPECT_TRUE(second->statusNotice().contains(
            QStringLiteral("test_app (PID %1").arg(QCoreApplication::applicationPid())))
            << second->statusNotice().toStdString();
        EXPECT_NE(second->pos(), first->pos());
        MelodyPage* mel = second->melodyPage();
        ASSERT_EQ(mel->slotList()->topLevelItemCount(), 3); // the data, to look at
        mel->slotList()->setCurrentItem(mel->slotList()->topLevelItem(0));
        EXPECT_EQ(child<QLabel>(mel, "lblMelName")->text(), mel->slotList()->cell(0, 0));
        for (const char* name : {"actOpenFile", "actSavePatch", "actRestoreSlot"}) {
            EXPECT_FALSE(child<QAction>(second.get(), name)->isEnabled()) << name;
        }
        EXPECT_FALSE(mel->openButton()->isEnabled());
        EXPECT_FALSE(mel->createButton()->isEnabled());
        EXPECT_FALSE(child<QSlider>(mel, "tbVolume")->isEnabled());
        QTest::keyClick(second.get(), Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(dialogs.saveRequests.isEmpty());

        // What the first window chose outlives the second's close.
        first->melodyPage()->assignFileToSlot(0, scratch.write("in/a.mid", "abc"),
                                              child<QLineEdit>(first->melodyPage(), "edtMelFile"));
        second->close();
    }
    EXPECT_EQ(listfile::load(dataFile("MelodiesFiles.lst")).value(0), "a.mid");
    EXPECT_TRUE(QFile::exists(firmware("TempMelodies/a.mid")));
    first->close();
    first.reset();
    EXPECT_EQ(DataSetLock(firmware()).tryLock(), DataSetLock::Result::Locked);
}

// Who holds the data set and the errors found at start are a lasting state:
// they stay in the status bar from page to page, and a window too narrow for
// them cuts them at their end, never in the middle.
TEST_F(WindowTest, TheReadOnlyNoticeLastsAndIsCutOnlyAtItsEnd) {
    MiniDataSet broken;
    broken.overrides["MelodiesSize.lst"] = {"0", "12x", "0"};
    auto first = open(broken);
    auto second = open();
    second->show();
    const QString notice = second->statusNotice();
    EXPECT_TRUE(notice.startsWith(QStringLiteral("Только чтение: данные изменяет ")));
    EXPECT_TRUE(notice.contains(QStringLiteral("В наборе данных "))) << notice.toStdString();
    auto* panel = child<QLabel>(second.get(), "StatusNotice");
    for (const int width : {1000, 690, 1000}) {
        second->resize(width, 600);
        for (int page : {1, 2, 0}) {
            second->pageControl()->setCurrentIndex(page);
            QApplication::processEvents();
            EXPECT_EQ(second->statusNotice(), notice);
            EXPECT_TRUE(panel->isVisible());
            EXPECT_EQ(panel->toolTip(), notice);
            const QString shown = panel->text();
            EXPECT_TRUE(shown == notice ||
                        (shown.endsWith(QChar(0x2026)) && notice.startsWith(shown.chopped(1))))
                << width << ": " << shown.toStdString();
        }
    }
    // At 1000 pixels the whole of the holder's part is shown.
    EXPECT_TRUE(panel->text().startsWith(notice.section(QStringLiteral(". "), 0, 0)))
        << panel->text().toStdString();
    // News of the moment, such as a drag's refusal, reads whole beside it.
    const QString refusal = QStringLiteral("Данные прошивки открыты только для чтения.");
    for (const int width : {1000, 690}) {
        second->resize(width, 600);
        second->setStatusText(refusal);
        QApplication::processEvents();
        EXPECT_EQ(child<QLabel>(second.get(), "StatusPanel0")->text(), refusal) << width;
        EXPECT_TRUE(panel->isVisible());
    }
    second->close();
    first->close();
}

// The window warns once, shows the page's rows and turns its changes off;
// the other pages work and the cut list stays as it is on disk.
TEST_F(WindowTest, ListCutAtNulIsNamedOnceAndItsPageChangesNothing) {
    MiniDataSet set;
    set.writeTo(userFolder());
    const QByteArray cut("0\r\n0\r\n0\r\n0\r\n\0lost\r\n", 15);
    listfile::writeWhole(dataFile("JavaSize.lst"), cut);
    auto window = open();
    ASSERT_EQ(dialogs.warnings.size(), 1);
    EXPECT_TRUE(
        dialogs.warnings[0].contains(dataFile("JavaSize.lst") + QStringLiteral(", строка 5")))
        << dialogs.warnings[0].toStdString();
    JavaPage* java = window->javaPage();
    EXPECT_EQ(java->slotList()->topLevelItemCount(), 4);
    for (QAbstractButton* button :
         {java->openButton(), java->restoreButton(), java->createButton()}) {
        EXPECT_FALSE(button->isEnabled());
    }
    java->slotList()->setCurrentItem(java->slotList()->topLevelItem(1));
    window->pageControl()->setCurrentWidget(java);
    QTest::keyClick(window.get(), Qt::Key_Delete); // the restore command does nothing
    java->dropOnSlot(1, {QUrl::fromLocalFile(scratch.write("in/g.jar", "jar"))});
    EXPECT_EQ(dialogs.warnings.size(), 1);
    // Another page's change writes its lists and leaves the cut one whole.
    MelodyPage* melodies = window->melodyPage();
    melodies->slotList()->setCurrentItem(melodies->slotList()->topLevelItem(1));
    EXPECT_TRUE(melodies->openButton()->isEnabled()); // with a slot selected
    melodies->restoreButton()->click();
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(readAll(dataFile("JavaSize.lst")), cut);
}

// Every save dialog refuses a place inside a firmware folder, a link to one
// included: its lists, its lock, its journal, its working folders.
TEST_F(WindowTest, PatchesAreNeverSavedInsideAFirmwareFolder) {
    auto window = open(MiniDataSet());
    ASSERT_TRUE(QFile::link(firmware("TempMelodies"), scratch.path("linked")));
    const QByteArray files = readAll(dataFile("MelodiesFiles.lst"));
    const QStringList targets{firmware("TempMelodies/MelodyPatch.s3"),
                              dataFile("MelodiesFiles.lst"), firmware(".tarvex.lock"),
                              dataFile(".lists.commit"), scratch.path("linked/MelodyPatch.s3")};
    for (const QString& target : targets) {
        dialogs.warnings.clear();
        dialogs.saveAnswers = {target};
        window->melodyPage()->createButton()->click();
        ASSERT_EQ(dialogs.warnings.size(), 1) << target.toStdString();
        EXPECT_TRUE(dialogs.warnings[0].contains(QStringLiteral("рабочую папку")));
    }
    window->pageControl()->setCurrentWidget(window->customPatchPage());
    child<PatchEditor>(window->customPatchPage(), "Editor")->setPlainText("S00600004844521B");
    for (const QString& target : targets) {
        dialogs.warnings.clear();
        dialogs.saveAnswers = {target};
        window->customPatchPage()->saveButton()->click();
        ASSERT_EQ(dialogs.warnings.size(), 1) << target.toStdString();
    }
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_FALSE(QFile::exists(firmware("TempMelodies/MelodyPatch.s3")));
    EXPECT_FALSE(QFile::exists(dataFile(".lists.commit")));
    EXPECT_EQ(readAll(dataFile("MelodiesFiles.lst")), files);
}

TEST_F(WindowTest, VolumeBarPastTheVolumeSlotsIsSwitchedOffWhenTheKeysGetThere) {
    MiniDataSet set;
    set.melodies = 30;
    auto window = open(set);
    MelodyPage* page = window->melodyPage();
    page->slotList()->setCurrentItem(page->slotList()->topLevelItem(0));
    page->showSelectedSlot();
    ASSERT_TRUE(child<QSlider>(page, "tbVolume")->isEnabled());
    for (int row = 0; row < 27; ++row) { // the panel follows the keys
        QTest::keyClick(page->slotList(), Qt::Key_Down);
    }
    ASSERT_EQ(page->slotList()->selectedRow(), 27);
    EXPECT_FALSE(child<QSlider>(page, "tbVolume")->isEnabled());
    EXPECT_EQ(child<QLabel>(page, "lblVolumePercent")->text(), QStringLiteral("н/д"));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}
