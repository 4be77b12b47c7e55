// SPDX-License-Identifier: MIT
// The custom patch page as the user meets it in the window: its keys, the
// question before typed changes are thrown away, find and go to line.
#include "AppTestSupport.h"
#include "base/Cp1251.h"
#include "editor/CustomPatchPage.h"
#include "editor/PrimarySelection.h"
#include "pages/MelodyPage.h"
#include "pages/SlotListView.h"
#include "srec/CustomPatch.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

using Position = PatchEditor::Position;

namespace {

class CustomPatchWindow : public WindowTest {
protected:
    CustomPatchWindow() {
        window = open(MiniDataSet());
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.modals.isEmpty(); })); // donation
        page = window->customPatchPage();
        editor = child<PatchEditor>(page, "Editor");
        window->pageControl()->setCurrentWidget(page);
        editor->setFocus();
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    void openWithCtrlO(const QByteArray& bytes) {
        dialogs.openAnswers << scratch.write("in/file.bin", bytes);
        key(Qt::Key_O, Qt::ControlModifier);
    }
    QPoint pointOf(Position p) const {
        const QFontMetrics metrics = editor->fontMetrics();
        const QString line = editor->lines().line(p.line);
        const int row = int(p.line - editor->verticalScrollBar()->value());
        return {4 + metrics.horizontalAdvance(line.left(p.column)),
                row * metrics.lineSpacing() + metrics.lineSpacing() / 2};
    }

    std::unique_ptr<MainWindow> window;
    CustomPatchPage* page = nullptr;
    PatchEditor* editor = nullptr;
};

} // namespace

TEST_F(CustomPatchWindow, DeleteAndTheEditingKeysBelongToTheFocusedBox) {
    editor->setPlainText("S0 one\nS3 two");
    editor->setCursorPosition({0, 3});
    key(Qt::Key_Delete);
    EXPECT_EQ(editor->toPlainText(), "S0 ne\nS3 two");
    key(Qt::Key_End);
    key(Qt::Key_Delete); // the line break
    EXPECT_EQ(editor->toPlainText(), "S0 neS3 two");
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_Delete);
    EXPECT_EQ(editor->toPlainText(), "");

    child<QLineEdit>(page, "mmfOffset")->setFocus();
    child<QLineEdit>(page, "mmfOffset")->setCursorPosition(0);
    key(Qt::Key_Delete);
    EXPECT_EQ(child<QLineEdit>(page, "mmfOffset")->text(), "x00646880");

    // In a slot list Delete still gives the slot its standard resource back.
    window->pageControl()->setCurrentWidget(window->melodyPage());
    SlotListView* list = window->melodyPage()->slotList();
    list->setCurrentItem(list->topLevelItem(0));
    list->setFocus();
    dialogs.openAnswers << scratch.write("in/a.mid", "abc");
    key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(list->cell(0, 1), "a.mid");
    key(Qt::Key_Delete);
    EXPECT_EQ(list->cell(0, 1), QStringLiteral("[Стандартная мелодия]"));
}

TEST_F(CustomPatchWindow, TypedChangesAreOfferedForSavingBeforeTheyAreThrownAway) {
    openWithCtrlO(testsupport::sequence(20));
    openWithCtrlO(testsupport::sequence(40)); // nothing typed: nothing asked
    EXPECT_TRUE(dialogs.saveQuestions.isEmpty());
    EXPECT_EQ(editor->blockCount(), 5);

    // Cancel keeps the text; so does a cancelled save dialog.
    QTest::keyClicks(editor, "X");
    dialogs.saveChoices = {UserDialogs::SaveChoice::Cancel, UserDialogs::SaveChoice::Save};
    key(Qt::Key_O, Qt::ControlModifier);
    key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.saveQuestions, QStringList(2, QStringLiteral("Сохранить изменения?")));
    EXPECT_EQ(dialogs.openFilters.size(), 2); // no open dialog after either
    EXPECT_EQ(dialogs.saveRequests.size(), 1);
    EXPECT_EQ(editor->lines().line(0), "XS00600004844521B");

    // Saved when told, then the next file opens.
    const QString saved = scratch.path("saved.s3");
    dialogs.saveChoices = {UserDialogs::SaveChoice::Save};
    dialogs.saveAnswers = {saved};
    openWithCtrlO(testsupport::sequence(20));
    EXPECT_TRUE(testsupport::readAll(saved).startsWith("XS00600004844521B\r\n"));
    EXPECT_EQ(editor->blockCount(), 4);
    EXPECT_FALSE(editor->isModified());

    // Ctrl+Q: cancel keeps the window open, discard closes it.
    key(Qt::Key_Return);
    dialogs.saveChoices = {UserDialogs::SaveChoice::Cancel};
    key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(window->isVisible());
    dialogs.saveChoices = {UserDialogs::SaveChoice::Discard};
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(dialogs.saveQuestions.size(), 5);
}

TEST_F(CustomPatchWindow, UndoRedoAndTheMouseWorkAsInAnyEditor) {
    editor->setPlainText("S0 one ");
    editor->setCursorPosition({0, 7});
    QTest::keyClicks(editor, "new");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor->toPlainText(), "S0 one ");
    key(Qt::Key_Y, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(editor->toPlainText(), "S0 one new");

    // Double click: the word; a third click: the line. Both are the primary
    // selection, which a middle click pastes where it points.
    primaryselection::keepOwnForTests(true);
    editor->setPlainText("S0 one\nS3 0A1B two");
    QTest::mouseDClick(editor->viewport(), Qt::LeftButton, {}, pointOf({1, 5}));
    EXPECT_EQ(editor->selectedText(), "0A1B");
    EXPECT_EQ(primaryselection::text(), "0A1B");
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, pointOf({1, 5}));
    EXPECT_EQ(editor->selectedText(), "S3 0A1B two");
    QTest::mouseClick(editor->viewport(), Qt::MiddleButton, {}, pointOf({0, 3}));
    EXPECT_EQ(editor->lines().line(0), "S0 S3 0A1B twoone");
    primaryselection::keepOwnForTests(false);
}

TEST_F(CustomPatchWindow, FindAndGoToLineReachAnyLineOfALargePatch) {
    const int bytes = 16 * 200000;
    openWithCtrlO(testsupport::sequence(bytes, 3));
    const CustomPatch made = makeCustomPatch(scratch.path("in/file.bin"), bytes, 0x00646880);
    editor->setCursorPosition({150000, 0});
    editor->insertText(QStringLiteral("Метка "));

    // Ctrl+F takes the selection as what to find; F3 finds the next match,
    // round past the end.
    editor->setCursorPosition({150000, 0});
    editor->setCursorPosition({150000, 5}, true);
    key(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(child<QWidget>(page, "findBar")->isVisible());
    EXPECT_EQ(child<QLineEdit>(page, "edtFind")->text(), QStringLiteral("Метка"));
    child<QLineEdit>(page, "edtFind")->insert(QStringLiteral("метка s3150")); // any case, any part
    key(Qt::Key_Return);
    EXPECT_EQ(editor->cursorPosition(), (Position{150000, 11}));

    const QString record = cp1251::decode(made.lines.line(199990)).mid(4, 8); // an address
    child<QLineEdit>(page, "edtFind")->setText(record.toLower());
    key(Qt::Key_F3);
    EXPECT_EQ(editor->cursorPosition(), (Position{199990, 12}));
    EXPECT_GT(editor->verticalScrollBar()->value(), 199900);
    editor->setCursorPosition({199995, 0});
    key(Qt::Key_F3);
    EXPECT_EQ(editor->cursorPosition(), (Position{199990, 12}));

    child<QLineEdit>(page, "edtFind")->setText("S3 nowhere");
    key(Qt::Key_F3);
    EXPECT_EQ(child<QLabel>(page, "lblFindResult")->text(),
              QStringLiteral("Текст «S3 nowhere» не найден."));
    editor->setFocus();
    key(Qt::Key_Escape); // from the editor as from the bar
    EXPECT_FALSE(child<QWidget>(page, "findBar")->isVisible());

    int width = 0;
    int title = 0;
    dialogs.onModal = [&](QDialog& dialog) {
        // Room for the whole title: window managers draw it larger and bold.
        QFont bold = dialog.font();
        bold.setBold(true);
        title = QFontMetrics(bold).horizontalAdvance(dialog.windowTitle());
        dialog.adjustSize();
        width = dialog.width();
        static_cast<QInputDialog&>(dialog).setIntValue(123456);
        return int(QDialog::Accepted);
    };
    key(Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(dialogs.modals.last(), "dlgGoToLine");
    EXPECT_GE(width, 2 * title);
    EXPECT_EQ(editor->cursorPosition(), (Position{123455, 0}));
    const int top = editor->verticalScrollBar()->value();
    EXPECT_TRUE(top < 123455 && top > 123455 - 100) << top;
}

TEST_F(CustomPatchWindow, StatusTextIsClearedOnceItNoLongerHolds) {
    editor->setPlainText("S00600004844521B");
    dialogs.saveAnswers = {scratch.path("custom.s3")};
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(window->statusText(0).endsWith(QStringLiteral("создан.")));
    window->pageControl()->setCurrentWidget(window->melodyPage());
    EXPECT_EQ(window->statusText(0), "");

    // A build whose save was cancelled leaves no progress behind.
    window->melodyPage()->slotList()->setFocus();
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.saveRequests.size(), 2);
    EXPECT_EQ(window->statusText(0), "");
}
