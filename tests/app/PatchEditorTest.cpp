// SPDX-License-Identifier: MIT
#include "editor/PatchEditor.h"

#include "base/Cp1251.h"
#include "srec/CustomPatch.h"
#include "srec/CustomPatchSource.h"
#include "support/TestSupport.h"

#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTest>

using testsupport::Scratch;
using testsupport::sequence;
using Position = PatchEditor::Position;

namespace {

class PatchEditorTest : public ::testing::Test {
protected:
    // The patch of a file of `bytes` bytes at 0x1000, and the editor showing it.
    CustomPatch open(int bytes) {
        const QString file = scratch.write("in.bin", sequence(bytes, 7));
        editor.setSource(std::make_shared<const CustomPatchSource>(
            CustomPatchSource::read(file, bytes, 0x1000)));
        return makeCustomPatch(file, bytes, 0x1000);
    }
    QPoint pointOf(Position p) const {
        const QFontMetrics metrics = editor.fontMetrics();
        const QString line = editor.lines().line(p.line);
        const int row = int(p.line - editor.verticalScrollBar()->value());
        return QPoint(4 + metrics.horizontalAdvance(line.left(p.column)) -
                          editor.horizontalScrollBar()->value(),
                      row * metrics.lineSpacing() + metrics.lineSpacing() / 2);
    }

    Scratch scratch;
    PatchEditor editor;
};

} // namespace

TEST_F(PatchEditorTest, KeysMoveJoinAndSplitLinesLikeAnyEditor) {
    editor.setPlainText("S0 one\nS3 two");
    editor.setCursorPosition({0, 3});
    QTest::keyClick(&editor, Qt::Key_Return);
    EXPECT_EQ(editor.toPlainText(), "S0 \none\nS3 two");
    QTest::keyClick(&editor, Qt::Key_Backspace);
    EXPECT_EQ(editor.toPlainText(), "S0 one\nS3 two");
    QTest::keyClick(&editor, Qt::Key_End);
    QTest::keyClick(&editor, Qt::Key_Delete);
    EXPECT_EQ(editor.toPlainText(), "S0 oneS3 two");
    QTest::keyClick(&editor, Qt::Key_Home);
    QTest::keyClick(&editor, Qt::Key_Left);
    EXPECT_EQ(editor.cursorPosition(), (Position{0, 0}));

    // Text from an input method goes in as typed text.
    QInputMethodEvent compose;
    compose.setCommitString(QStringLiteral("ЖЖ"));
    QApplication::sendEvent(&editor, &compose);
    EXPECT_EQ(editor.lines().line(0), QStringLiteral("ЖЖS0 oneS3 two"));
}

TEST_F(PatchEditorTest, PagesScrollAndTheMousePlacesAndSelects) {
    const CustomPatch made = open(16 * 1000);
    editor.resize(400, 300);
    editor.show();
    const int rows = editor.viewport()->height() / editor.fontMetrics().lineSpacing();
    ASSERT_GT(rows, 3);
    QTest::keyClick(&editor, Qt::Key_PageDown);
    QTest::keyClick(&editor, Qt::Key_PageDown);
    EXPECT_EQ(editor.cursorPosition().line, 2 * rows);
    EXPECT_GT(editor.verticalScrollBar()->value(), 0);

    const std::int64_t top = editor.verticalScrollBar()->value();
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, pointOf({top + 1, 12}));
    EXPECT_EQ(editor.cursorPosition(), (Position{top + 1, 12}));
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::ShiftModifier, pointOf({top + 2, 4}));
    EXPECT_EQ(editor.selectedText(), cp1251::decode(made.lines.line(top + 1)).mid(12) + "\n" +
                                         cp1251::decode(made.lines.line(top + 2)).left(4));

    // Ctrl+End reaches the end record however far away it is.
    QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(editor.cursorPosition(), (Position{made.lines.count() - 1, 14}));
    EXPECT_EQ(editor.verticalScrollBar()->value(), editor.verticalScrollBar()->maximum());
}
