// SPDX-License-Identifier: MIT
// What a chosen file holds, where users look: the edit panel's line, the
// row's warning mark, and a game's JAD corrected when the user agrees.
#include "AppTestSupport.h"
#include "content/ContentFile.h"
#include "pages/JavaPage.h"
#include "pages/MelodyPage.h"
#include "pages/SlotListView.h"
#include "support/ContentSamples.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

namespace {

class ContentInWindow : public WindowTest {
protected:
    static void select(SlotListView* list, int row) {
        list->setCurrentItem(list->topLevelItem(row));
    }
};

} // namespace

TEST_F(ContentInWindow, TheMelodyPanelSaysWhatTheFileHoldsAndMarksARowWithAProblem) {
    auto window = open(MiniDataSet());
    MelodyPage* page = window->melodyPage();
    auto* line = child<QLabel>(page, "lblMelContent");
    select(page->slotList(), 0);
    dialogs.openAnswers = {scratch.write(
        "in/tune.mid", samples::midi(0, 96, {samples::midiTrack("Morning Tune", 192, 1000000)}))};
    page->openButton()->click();
    EXPECT_EQ(line->text(), QStringLiteral("MIDI, 0:02, «Morning Tune»"));
    EXPECT_TRUE(page->slotList()->topLevelItem(0)->icon(0).isNull());

    select(page->slotList(), 1);
    EXPECT_EQ(line->text(), QString()); // a standard slot
    dialogs.openAnswers = {scratch.write("in/song.mid", "ID3\x03")};
    page->openButton()->click();
    EXPECT_TRUE(line->text().startsWith(QStringLiteral("MP3 — "))) << line->text().toStdString();
    EXPECT_FALSE(page->slotList()->topLevelItem(1)->icon(0).isNull());
    EXPECT_EQ(page->slotList()->topLevelItem(1)->toolTip(2).count(QLatin1Char('\n')), 1);

    // Marked again when the window opens the data set anew.
    window.reset();
    window = open();
    EXPECT_FALSE(window->melodyPage()->slotList()->topLevelItem(1)->icon(0).isNull());
    EXPECT_TRUE(window->melodyPage()->slotList()->topLevelItem(0)->icon(0).isNull());
}

TEST_F(ContentInWindow, AGamesJadIsCorrectedWhenTheUserAgrees) {
    auto window = open(MiniDataSet());
    JavaPage* page = window->javaPage();
    const QByteArray jar = samples::jar(samples::manifest("Space Run", "Ulvane Games", "1.2.0"));
    select(page->slotList(), 1);
    dialogs.openAnswers = {scratch.write("in/space.jar", jar)};
    page->openButton()->click();
    EXPECT_EQ(dialogs.warnings.size(), 1); // the standard JAD names the old size
    EXPECT_TRUE(dialogs.questions.isEmpty());

    const QByteArray jad = samples::jad("Space Run", "Ulvane Games", "1.2.0", "12");
    select(page->slotList(), 0);
    dialogs.openAnswers = {scratch.write("in/space.jad", jad)};
    dialogs.yesNoAnswers = {true};
    page->openButton()->click();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(
        dialogs.questions[0].endsWith(QStringLiteral("MIDlet-Jar-Size: 12 → %1").arg(jar.size())));
    const QByteArray corrected = testsupport::readAll(firmware("TempJava/space.jad"));
    EXPECT_TRUE(corrected.contains("MIDlet-Jar-Size: " + QByteArray::number(jar.size()) + "\r\n"));
    EXPECT_EQ(page->slotList()->cell(0, 3), QString::number(corrected.size()));
    EXPECT_EQ(testsupport::readAll(scratch.path("in/space.jad")), jad);
    EXPECT_EQ(child<QLabel>(page, "lblJavaContent")->text(),
              QStringLiteral("Space Run 1.2.0 (Ulvane Games), MIDP-1.0"));

    const QString corrected0 = QStringLiteral("MIDlet-Jar-Size: 12 → %1").arg(jar.size());
    EXPECT_EQ(window->statusText(0), corrected0);
    select(page->slotList(), 1); // the same game: its news stands
    EXPECT_EQ(window->statusText(0), corrected0);

    // Answered no: the working copy keeps what the user chose, and the row,
    // the panel and the warning name the mismatch; slot 0's news is gone.
    select(page->slotList(), 2);
    EXPECT_EQ(window->statusText(0), QString());
    dialogs.openAnswers = {scratch.write("in/other.jad", jad)};
    dialogs.yesNoAnswers = {false};
    page->openButton()->click();
    EXPECT_EQ(dialogs.questions.size(), 2);
    EXPECT_EQ(testsupport::readAll(firmware("TempJava/other.jad")), jad);
    const QString mismatch = QStringLiteral("MIDlet-Jar-Size 12 в JAD слота 2, а в JAR слота 3 "
                                            "байтов: 4096");
    EXPECT_FALSE(page->slotList()->topLevelItem(2)->icon(0).isNull());
    EXPECT_TRUE(page->slotList()->topLevelItem(2)->toolTip(1).contains(mismatch));
    EXPECT_TRUE(child<QLabel>(page, "lblJavaContent")->toolTip().contains(mismatch));
    EXPECT_TRUE(dialogs.warnings.last().contains(mismatch))
        << dialogs.warnings.last().toStdString();
    EXPECT_EQ(window->statusText(0), QString());

    // Restoring the JAR of slot 1 asks again for the JAD of slot 0.
    select(page->slotList(), 1);
    dialogs.yesNoAnswers = {true};
    page->restoreButton()->click();
    ASSERT_EQ(dialogs.questions.size(), 3);
    EXPECT_EQ(content::describeFile(firmware("TempJava/space.jad")).declaredJarSize, 4096);
    EXPECT_EQ(window->statusText(0), QStringLiteral("MIDlet-Jar-Size: %1 → 4096").arg(jar.size()));
}

TEST_F(ContentInWindow, AMarkedRowsTooltipNamesItsProblemsBelowACutCellsWholeText) {
    auto window = open(MiniDataSet());
    window->show();
    SlotListView* list = window->melodyPage()->slotList();
    select(list, 1);
    const QString name = QString(80, 'n') + ".mid";
    dialogs.openAnswers = {scratch.write("in/" + name, "ID3\x03")};
    window->melodyPage()->openButton()->click();
    const QString problems = list->topLevelItem(1)->toolTip(0);
    ASSERT_FALSE(problems.isEmpty());
    auto tipAt = [&](int column) {
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        const QPoint at = list->visualRect(list->model()->index(1, column)).center();
        QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tipAt(0), problems); // the mark's own cell
    EXPECT_EQ(tipAt(1), name + "\n" + problems);
    // The columns reach the list's right edge.
    int width = 0;
    for (int column = 0; column < list->columnCount(); ++column) {
        width += list->header()->isSectionHidden(column) ? 0 : list->header()->sectionSize(column);
    }
    EXPECT_EQ(width, list->viewport()->width());
}
