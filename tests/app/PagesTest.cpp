// SPDX-License-Identifier: MIT
#include "AppTestSupport.h"
#include "base/TarvexError.h"
#include "pages/JavaPage.h"
#include "pages/MelodyPage.h"
#include "pages/MemoryPanel.h"
#include "pages/PicturePage.h"
#include "pages/SlotListView.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

using testsupport::Scratch;

namespace {

// A data set in memory whose melody total is 200 bytes.
FirmwareDataSet smallMelodySet() {
    FirmwareDataSet data(QStringLiteral("unused"));
    MemoryMap map;
    map.melodyStart = "0";
    map.melodyEnd = "4296";
    data.setMemoryMap(map);
    data.computeTotals();
    data.setList("StdMelodiesList.lst", {"Один", "Два"});
    data.setList("MelodiesFiles.lst", {"a.mmf", "[Стандартная мелодия]"});
    data.setList("MelodiesNames.lst", {"Новая", "Два"});
    data.setList("MelodiesSize.lst", {"0", "0"});
    return data;
}

void clickRow(SlotListView* list, int row) {
    const QRect cell = list->visualItemRect(list->topLevelItem(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

TEST(ManagerPages, SlotListsHaveTheirColumnsAndReportStyle) {
    MelodyPage mel;
    JavaPage java;
    PicturePage pic;
    const struct {
        SlotListView* list;
        QList<int> widths;
        int hidden;
    } lists[] = {{mel.slotList(), {170, 180, 0, 55}, 2},
                 {java.slotList(), {170, 180, 0, 55}, 2},
                 {pic.slotList(), {170, 180, 56}, -1}};
    for (const auto& expected : lists) {
        SCOPED_TRACE(expected.list->objectName().toStdString());
        const QHeaderView* header = expected.list->header();
        for (int column = 0; column < expected.widths.size(); ++column) {
            EXPECT_EQ(header->isSectionHidden(column), column == expected.hidden);
            if (column != expected.hidden) {
                EXPECT_EQ(header->sectionSize(column), expected.widths[column]);
            }
        }
        EXPECT_EQ(expected.list->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_EQ(expected.list->selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_EQ(expected.list->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_FALSE(expected.list->isSortingEnabled());
    }
    EXPECT_EQ(mel.slotList()->headerItem()->text(1), "Новый файл мелодии");
    EXPECT_EQ(java.slotList()->headerItem()->text(0), "Стандартные файлы игры");
    EXPECT_EQ(pic.slotList()->headerItem()->text(2), "Размер");
    // Columns keep their limits when dragged.
    mel.slotList()->header()->resizeSection(0, 10);
    EXPECT_EQ(mel.slotList()->header()->sectionSize(0), 60);
    pic.slotList()->header()->resizeSection(2, 200);
    EXPECT_EQ(pic.slotList()->header()->sectionSize(2), 60);
}

TEST(ManagerPages, ControlsStartAsDesigned) {
    MelodyPage mel;
    EXPECT_FALSE(child<QSlider>(&mel, "tbVolume")->isEnabled());
    EXPECT_FALSE(child<QLabel>(&mel, "lblVolume")->isEnabled());
    EXPECT_EQ(child<QLabel>(&mel, "lblVolumePercent")->text(), "0 %");
    EXPECT_EQ(child<QSlider>(&mel, "tbVolume")->minimum(), 1);
    EXPECT_EQ(child<QSlider>(&mel, "tbVolume")->maximum(), 127);
    EXPECT_EQ(child<QSlider>(&mel, "tbVolume")->tickInterval(), 8);
    EXPECT_EQ(child<QSlider>(&mel, "tbVolume")->tickPosition(), QSlider::TicksBelow);
    EXPECT_EQ(child<QLineEdit>(&mel, "edtMelFile")->text(), "[Стандартная мелодия]");
    EXPECT_TRUE(child<QLineEdit>(&mel, "edtMelName")->isHidden());
    EXPECT_EQ(child<QLineEdit>(&mel, "edtMelName")->maxLength(), 20);
    EXPECT_EQ(mel.openButton()->toolTip(), "Открыть мелодию");
    EXPECT_EQ(child<QToolButton>(&mel, "btnPlayMelody")->toolTip(), "Проиграть мелодию");
    EXPECT_EQ(child<QLabel>(&mel, "lblMemUsed")->text(), "0 байт");
    EXPECT_EQ(child<QProgressBar>(&mel, "pgMemUsed")->maximum(), 100);
    EXPECT_TRUE(mel.createButton()->font().bold());
    EXPECT_EQ(mel.createButton()->text(), "Создать патч!");

    JavaPage java;
    EXPECT_EQ(child<QLineEdit>(&java, "edtJavaFile")->text(), "[Стандартная игра]");
    EXPECT_EQ(java.openButton()->toolTip(), "Открыть Midlet");
    EXPECT_TRUE(java.helpBox()->isReadOnly());
    EXPECT_EQ(java.helpBox()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(child<QLineEdit>(&java, "Edit2")->isHidden());

    PicturePage pic;
    EXPECT_EQ(child<QLabel>(&pic, "imgStd")->size(), QSize(128, 128));
    EXPECT_EQ(child<QLabel>(&pic, "imgNew")->size(), QSize(128, 128));
    EXPECT_FALSE(child<QLabel>(&pic, "imgStd")->hasScaledContents());
    EXPECT_EQ(child<QLabel>(&pic, "lblPicWidth")->text(), "0");
    EXPECT_EQ(child<QLineEdit>(&pic, "edtPicFile")->text(), "[Стандартная картинка]");
    EXPECT_EQ(pic.openButton()->toolTip(), "Открыть картинку");
    EXPECT_TRUE(pic.helpBox()->isReadOnly());
}

TEST(ManagerPages, GaugeShowsTheShareTheColourAndTheButton) {
    ScriptedDialogs dialogs;
    FirmwareDataSet data = smallMelodySet();
    MelodyPage page;
    page.setDataSet(&data);
    const QColor face = page.palette().color(QPalette::Button);
    const struct {
        const char* used;
        int percent;
        bool over;
    } cases[] = {{"1", 0, false},
                 {"3", 2, false},
                 {"199", 100, false},
                 {"200", 100, false},
                 {"201", 100, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.used);
        data.setLine("MelodiesSize.lst", 0, c.used);
        page.updateMemory();
        const QLabel* used = child<QLabel>(&page, "lblMemUsed");
        EXPECT_EQ(used->text(), QString::fromLatin1(c.used) + " байт");
        EXPECT_EQ(child<QProgressBar>(&page, "pgMemUsed")->value(), c.percent);
        EXPECT_EQ(used->palette().color(QPalette::Window), c.over ? QColor(128, 0, 0) : face);
        EXPECT_EQ(page.createButton()->isEnabled(), !c.over);
    }
}

TEST(ManagerPages, AGaugeThatCannotBeComputedLeavesTheLabels) {
    FirmwareDataSet data = smallMelodySet();
    MelodyPage page;
    page.setDataSet(&data);
    data.setLine("MelodiesSize.lst", 1, "201");
    page.updateMemory();
    data.setLine("MelodiesSize.lst", 0, "abc");
    try {
        page.updateMemory();
        ADD_FAILURE() << "no error";
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(child<QLabel>(&page, "lblMemUsed")->text(), "201 байт");
    EXPECT_FALSE(page.createButton()->isEnabled());

    // An unavailable manager's page is left alone.
    MemoryMap off = data.memoryMap();
    off.melodyPageAvailable = false;
    data.setMemoryMap(off);
    data.setLine("MelodiesSize.lst", 0, "0");
    page.updateMemory();
    EXPECT_EQ(child<QLabel>(&page, "lblMemUsed")->text(), "201 байт");
}

TEST(ManagerPages, ClickingARowShowsItsSlotInTheEditPanel) {
    ScriptedDialogs dialogs;
    FirmwareDataSet data = smallMelodySet();
    MelodyPage page;
    page.setDataSet(&data);
    page.fill();
    page.resize(690, 420);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));

    // A click with no row selected changes nothing.
    QTest::mouseClick(page.slotList()->viewport(), Qt::LeftButton, {},
                      QPoint(5, page.slotList()->viewport()->height() - 3));
    EXPECT_EQ(child<QLabel>(&page, "lblMelName")->text(), "Выберите мелодию");

    clickRow(page.slotList(), 0);
    EXPECT_EQ(page.slotList()->selectedRow(), 0);
    EXPECT_EQ(child<QLabel>(&page, "lblMelName")->text(), "Один");
    EXPECT_EQ(child<QLineEdit>(&page, "edtMelFile")->text(), "a.mmf");
    EXPECT_EQ(child<QLineEdit>(&page, "edtMelName")->text(), "Новая");
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST(ManagerPages, ClickingAJavaRowShowsItsNameAndFile) {
    FirmwareDataSet data(QStringLiteral("unused"));
    data.setList("JavaStdNames.lst", {"Игра.jad", "Игра.jar"});
    data.setList("JavaFiles.lst", {"[Стандартная игра]", "new.jar"});
    data.setList("JavaSize.lst", {"0", "12"});
    JavaPage page;
    page.setDataSet(&data);
    page.fill();
    page.resize(690, 420);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    clickRow(page.slotList(), 1);
    EXPECT_EQ(child<QLabel>(&page, "lblJavaName")->text(), "Игра.jar");
    EXPECT_EQ(child<QLineEdit>(&page, "edtJavaFile")->text(), "new.jar");
}

TEST(ManagerPages, DialogsOfferTheManagersFiltersAndPatchNames) {
    ScriptedDialogs dialogs;
    MelodyPage mel;
    JavaPage java;
    PicturePage pic;
    mel.askReplacementFile(3);
    for (int row = 0; row < 3; ++row) {
        java.askReplacementFile(row);
    }
    pic.askReplacementFile(0);
    EXPECT_EQ(dialogs.openFilters,
              QStringList({"MMF, MIDI (*.mmf *.mid *.midi);;RIFF MIDI (*.rmi)", "JAD файлы (*.jad)",
                           "JAR файлы (*.jar)", "JAD файлы (*.jad)"}));
    EXPECT_EQ(dialogs.pictureFilters,
              QStringList("Все изображения (*.bmp *.png *.jpg *.jpeg *.gif);;Bitmaps (*.bmp)"));
    for (const ManagerPage* page :
         {static_cast<ManagerPage*>(&mel), static_cast<ManagerPage*>(&java),
          static_cast<ManagerPage*>(&pic)}) {
        page->askPatchFile();
    }
    const QString s3 = "Motorola S3 format (*.s3)";
    EXPECT_EQ(dialogs.saveRequests,
              QList<QStringList>({{"MelodyPatch", s3}, {"JavaPatch", s3}, {"PicturePatch", s3}}));
}

TEST(ManagerPages, StatusTextGoesToTheSink) {
    PicturePage page;
    QStringList shown;
    page.showStatus("ignored without a sink");
    page.setStatusSink([&shown](const QString& text) { shown << text; });
    page.showStatus("Файл \"a.s3\" создан.");
    EXPECT_EQ(shown, QStringList("Файл \"a.s3\" создан."));
}
