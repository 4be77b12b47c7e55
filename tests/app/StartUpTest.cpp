// SPDX-License-Identifier: MIT
#include "AppTestSupport.h"
#include "dataset/ListFile.h"
#include "editor/CustomPatchPage.h"
#include "pages/JavaPage.h"
#include "pages/MelodyPage.h"
#include "pages/PicturePage.h"
#include "pages/SlotListView.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

using testsupport::readAll;

namespace {

QStringList rowOf(const SlotListView* list, int row) {
    QStringList cells;
    for (int column = 0; column < list->columnCount(); ++column) {
        cells << list->cell(row, column);
    }
    return cells;
}

QStringList visibleTabs(const QTabWidget* tabs) {
    QStringList names;
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->isTabVisible(i)) {
            names << tabs->widget(i)->objectName();
        }
    }
    return names;
}

} // namespace

TEST_F(WindowTest, StartUpFillsEveryPageFromTheDataSet) {
    MiniDataSet set;
    set.overrides["MelodiesSize.lst"] = {"10", "0", "5"};
    auto window = open(set);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();

    EXPECT_EQ(window->windowTitle(), MainWindow::kCaption);
    EXPECT_EQ(window->minimumSize(), QSize(690, 500));
    EXPECT_EQ(
        visibleTabs(window->pageControl()),
        QStringList({"tsMelodiesManager", "tsJavaGames", "tsGraphics", "tsCreateCustomPatch"}));
    EXPECT_EQ(window->pageControl()->currentWidget(), window->melodyPage());

    const MelodyPage* mel = window->melodyPage();
    ASSERT_EQ(mel->slotList()->topLevelItemCount(), 3);
    EXPECT_EQ(rowOf(mel->slotList(), 2),
              QStringList({"Мелодия 3", "[Стандартная мелодия]", "Мелодия 3", "5"}));
    EXPECT_EQ(child<QLabel>(mel, "lblMemUsed")->text(), "15 байт");
    EXPECT_EQ(child<QLabel>(mel, "lblMemLeft")->text(), "8056815 байт");

    const JavaPage* java = window->javaPage();
    ASSERT_EQ(java->slotList()->topLevelItemCount(), 4);
    EXPECT_EQ(rowOf(java->slotList(), 1),
              QStringList({"Игра0.jar", "[Стандартная игра]", "", "0"}));
    EXPECT_EQ(child<QLabel>(java, "lblJavaMemTotal")->text(), "1044463 байт");
    EXPECT_EQ(java->helpBox()->toPlainText(), "Java help");

    const PicturePage* pic = window->picturePage();
    ASSERT_EQ(pic->slotList()->topLevelItemCount(), 2);
    EXPECT_EQ(rowOf(pic->slotList(), 0),
              QStringList({"Картинка 1", "[Стандартная картинка]", "0"}));
    EXPECT_EQ(child<QLabel>(pic, "lblPicMemTotal")->text(), "1808254 байт");
    EXPECT_EQ(pic->helpBox()->toPlainText(), "Picture help");

    EXPECT_EQ(window->statusText(1), "Прошивка: X120XEDJ2");
    EXPECT_TRUE(child<PatchEditor>(window->customPatchPage(), "Editor")->toPlainText().isEmpty());
    for (const char* folder : {"TempMelodies", "TempJava", "TempPic"}) {
        EXPECT_TRUE(QFileInfo(firmware(folder)).isDir()) << folder;
    }
}

TEST_F(WindowTest, MissingFirmwareFolderStopsAtTheFirstListAndTheWindowStaysUsable) {
    auto window = open();
    EXPECT_EQ(dialogs.errors,
              QStringList("Cannot open file " + dataFile("StdMelodiesList.lst") + "."));
    EXPECT_EQ(window->melodyPage()->slotList()->topLevelItemCount(), 0);
    // The totals come before the lists; the status line after them.
    EXPECT_EQ(child<QLabel>(window->melodyPage(), "lblMemLeft")->text(), "8056815 байт");
    EXPECT_EQ(window->statusText(1), "");

    // The other pages still work.
    const QString file = scratch.write("any.bin", "0123456789");
    dialogs.openAnswers << file;
    dialogs.errors.clear();
    window->customPatchPage()->openButton()->click();
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(window->customPatchPage()->editorLines().size(), 3);

    // Nothing was read, so nothing is written and the close goes through.
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(firmware()));
}

TEST_F(WindowTest, InvalidOffsetStopsBeforeAnyListIsReadOrWritten) {
    MiniDataSet set;
    set.memoryIni = "[Melodies]\r\nStartOffset=0x12G\r\n";
    set.overrides["JavaFiles.lst"] = {"a.jad", "b.jar", "c.jad", "d.jar"};
    auto window = open(set);
    EXPECT_EQ(dialogs.errors, QStringList("'0x12G' is not a valid integer value."));
    EXPECT_EQ(child<QLabel>(window->melodyPage(), "lblMemLeft")->text(), "0 байт");
    EXPECT_EQ(window->javaPage()->slotList()->topLevelItemCount(), 0);

    const QByteArray before = readAll(dataFile("JavaFiles.lst"));
    EXPECT_TRUE(window->close());
    EXPECT_EQ(readAll(dataFile("JavaFiles.lst")), before);
}

TEST_F(WindowTest, ShortListKeepsThePartialRowAndSkipsTheLaterSteps) {
    MiniDataSet set;
    set.overrides["MelodiesSize.lst"] = {"0", "0"};
    auto window = open(set);
    // ')' sorts before '.', so no full stop is added.
    EXPECT_EQ(dialogs.errors, QStringList("List index out of bounds (2)"));
    const MelodyPage* mel = window->melodyPage();
    ASSERT_EQ(mel->slotList()->topLevelItemCount(), 3);
    EXPECT_EQ(rowOf(mel->slotList(), 2),
              QStringList({"Мелодия 3", "[Стандартная мелодия]", "Мелодия 3", ""}));
    EXPECT_EQ(window->javaPage()->slotList()->topLevelItemCount(), 0);
    EXPECT_EQ(child<QLabel>(mel, "lblMemUsed")->text(), "0 байт");
    EXPECT_EQ(window->statusText(1), "");
}

TEST_F(WindowTest, HelpTextReadBeforeAFailureIsStillShown) {
    MiniDataSet().writeTo(userFolder());
    QFile::remove(dataFile("PicHelp.rtf"));
    auto window = open();
    EXPECT_EQ(dialogs.errors, QStringList("Cannot open file " + dataFile("PicHelp.rtf") + "."));
    EXPECT_EQ(window->javaPage()->helpBox()->toPlainText(), "Java help");
    EXPECT_TRUE(window->picturePage()->helpBox()->toPlainText().isEmpty());
}

TEST_F(WindowTest, UnavailablePagesAreHiddenAndTheNextVisibleOneIsActive) {
    MiniDataSet set;
    set.memoryIni = "[Patches]\r\nMelTabAvailable=0\r\n";
    auto window = open(set);
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(visibleTabs(window->pageControl()),
              QStringList({"tsJavaGames", "tsGraphics", "tsCreateCustomPatch"}));
    EXPECT_EQ(window->pageControl()->currentWidget(), window->javaPage());
    EXPECT_EQ(window->melodyPage()->slotList()->topLevelItemCount(), 0);
}

TEST_F(WindowTest, WithEveryManagerUnavailableOnlyTheCustomPatchPageShows) {
    MiniDataSet set;
    set.memoryIni = "[Patches]\r\nMelTabAvailable=0\r\nJavaTabAvailable=0\r\nPicTabAvailable=0\r\n";
    auto window = open(set);
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(visibleTabs(window->pageControl()), QStringList({"tsCreateCustomPatch"}));
    EXPECT_EQ(window->pageControl()->currentWidget(), window->customPatchPage());
    EXPECT_TRUE(window->close());
}

TEST_F(WindowTest, CloseSavesTheListsAndCleansOnlyTheMelodyFolder) {
    auto window = open(MiniDataSet());
    FirmwareDataSet& data = window->session().dataSet();
    data.setLine("MelodiesFiles.lst", 0, "kept.mmf");
    data.setLine("JavaSize.lst", 1, "7");
    for (const char* file :
         {"TempMelodies/kept.mmf", "TempMelodies/stray.mid", "TempJava/stray.jar"}) {
        scratch.write("user/X120XEDJ2/" + QString::fromLatin1(file), "x");
    }

    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(listfile::load(dataFile("MelodiesFiles.lst")).value(0), "kept.mmf");
    EXPECT_EQ(listfile::load(dataFile("JavaSize.lst")).value(1), "7");
    EXPECT_EQ(QDir(firmware("TempMelodies")).entryList(QDir::Files), QStringList("kept.mmf"));
    EXPECT_TRUE(QFileInfo::exists(firmware("TempJava/stray.jar")));
    EXPECT_FALSE(data.hasList("MelodiesFiles.lst"));
}

TEST_F(WindowTest, AfterAnEarlyFailureTheCloseLeavesTheMelodyCopiesAlone) {
    MiniDataSet set;
    set.overrides["MelodiesFiles.lst"] = {"a.mmf", "[Стандартная мелодия]",
                                          "[Стандартная мелодия]"};
    set.writeTo(userFolder());
    QFile::remove(dataFile("JavaHelp.rtf"));
    scratch.write("user/X120XEDJ2/TempMelodies/stray.mid", "x");
    auto window = open();
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(QFileInfo::exists(firmware("TempMelodies/stray.mid")));
}

TEST_F(WindowTest, AListThatCannotBeWrittenKeepsTheWindowOpen) {
    auto window = open(MiniDataSet());
    window->show();
    scratch.write("user/X120XEDJ2/TempMelodies/stray.mid", "x");
    // A folder in the list's place cannot be replaced, not even by root.
    QFile::remove(dataFile("MelodiesNames.lst"));
    scratch.write("user/X120XEDJ2/Data/MelodiesNames.lst/blocker", "x");

    EXPECT_FALSE(window->close());
    EXPECT_EQ(dialogs.errors,
              QStringList("Cannot create file " + dataFile("MelodiesNames.lst") + "."));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->session().dataSet().hasList("MelodiesFiles.lst"));
    EXPECT_TRUE(QFileInfo::exists(firmware("TempMelodies/stray.mid")));

    // Once the list can be written, Файл / Выход closes the window.
    QDir(dataFile("MelodiesNames.lst")).removeRecursively();
    dialogs.errors.clear();
    child<QAction>(window.get(), "Exit1")->trigger();
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(QFileInfo::exists(firmware("TempMelodies/stray.mid")));
}

TEST_F(WindowTest, StartsOnTheBundledDataSet) {
    bundledRoot = TARVEX_BUNDLED_DIR;
    auto window = open();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
    EXPECT_GT(window->melodyPage()->slotList()->topLevelItemCount(), 0);
    EXPECT_GT(window->javaPage()->slotList()->topLevelItemCount(), 0);
    EXPECT_GT(window->picturePage()->slotList()->topLevelItemCount(), 0);
    EXPECT_FALSE(window->javaPage()->helpBox()->toPlainText().isEmpty());
    EXPECT_FALSE(window->picturePage()->helpBox()->toPlainText().isEmpty());
    EXPECT_TRUE(window->close());
}
