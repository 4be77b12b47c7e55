// SPDX-License-Identifier: MIT
#include "editor/PatchEditor.h"

#include "base/TarvexError.h"
#include "editortext/EditorCursor.h"
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

std::string written(const EditedLines& lines) {
    std::string out;
    lines.write(0, lines.count(), [&](std::string_view block) { out += block; });
    return out;
}

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

TEST_F(PatchEditorTest, EditsSpliceLinesAndWhatTheyReturnPutsThemBack) {
    const CustomPatch made = open(16 * 40);
    EditedLines lines;
    lines.reset(std::make_shared<const CustomPatchSource>(
        CustomPatchSource::read(scratch.path("in.bin"), 16 * 40, 0x1000)));
    ASSERT_EQ(written(lines), made.lines.text());

    // Two runs of the user's lines inside the made ones, then both undone.
    EditedLines::Span first = lines.splice(10, 2, EditedLines::ownLines({"S0 a", "S0 b", "S0 c"}));
    EditedLines::Span second = lines.splice(30, 1, EditedLines::ownLines({}));
    EXPECT_EQ(lines.count(), made.lines.count());
    EXPECT_EQ(lines.line(11), "S0 b");
    EXPECT_EQ(lines.line(13), made.lines.lineText(12));
    EXPECT_EQ(lines.line(30), made.lines.lineText(30));
    std::string expected(made.lines.text());
    const auto lineStart = [&](qsizetype i) {
        return made.lines.line(i).data() - made.lines.text().data();
    };
    expected.erase(lineStart(29), lineStart(30) - lineStart(29));
    expected.replace(lineStart(10), lineStart(12) - lineStart(10), "S0 a\r\nS0 b\r\nS0 c\r\n");
    EXPECT_EQ(written(lines), expected);
    EXPECT_GE(lines.widestLine(), 46);

    lines.splice(30, 0, std::move(second));
    lines.splice(10, 3, std::move(first));
    EXPECT_EQ(written(lines), made.lines.text());

    // A character outside the code page stops the writing and is named.
    lines.splice(5, 1, EditedLines::ownLines({QStringLiteral("S3 \u2713")}));
    try {
        written(lines);
        ADD_FAILURE() << "written";
    } catch (const TarvexError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("\u2713")));
    }
}

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

    // Typing after an undo drops what could have been redone.
    editor.undo();
    EXPECT_EQ(editor.toPlainText(), "S0 one\nS3 two");
    QTest::keyClicks(&editor, "X");
    editor.redo();
    EXPECT_EQ(editor.toPlainText(), "S0 oneX\nS3 two");

    // Text from an input method goes in as typed text.
    QInputMethodEvent compose;
    compose.setCommitString(QStringLiteral("ЖЖ"));
    QApplication::sendEvent(&editor, &compose);
    EXPECT_EQ(editor.lines().line(0), QStringLiteral("S0 oneXЖЖ"));
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
    EXPECT_EQ(editor.selectedText(),
              made.lines.lineText(top + 1).mid(12) + "\n" + made.lines.lineText(top + 2).left(4));

    // Ctrl+End reaches the end record however far away it is.
    QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(editor.cursorPosition(), (Position{made.lines.count() - 1, 14}));
    EXPECT_EQ(editor.verticalScrollBar()->value(), editor.verticalScrollBar()->maximum());
}

TEST(EditorCursor, UpAndDownKeepThePixelColumnAndAClickTakesTheNearestGap) {
    // "W" is three times as wide as any other character.
    EditedText text;
    text.reset(QStringList({"WWWW", "ab", "abcdefghijkl"}));
    EditorCursor cursor(text, [](const QString& line, int column) {
        int x = 0;
        for (const QChar c : line.left(column)) {
            x += c == QLatin1Char('W') ? 30 : 10;
        }
        return x;
    });
    text.setCursor({0, 2}); // 60 pixels in
    ASSERT_TRUE(cursor.move(Qt::Key_Down, false, false, 1));
    EXPECT_EQ(text.cursor(), (Position{1, 2})); // the short line's end
    ASSERT_TRUE(cursor.move(Qt::Key_Down, false, false, 1));
    EXPECT_EQ(text.cursor(), (Position{2, 6}));
    ASSERT_TRUE(cursor.move(Qt::Key_Up, false, true, 1));
    ASSERT_TRUE(cursor.move(Qt::Key_Up, false, true, 1));
    EXPECT_EQ(text.cursor(), (Position{0, 2}));
    EXPECT_EQ(text.anchor(), (Position{2, 6}));
    // A sideways move forgets the column.
    ASSERT_TRUE(cursor.move(Qt::Key_Left, false, false, 1));
    ASSERT_TRUE(cursor.move(Qt::Key_Down, false, false, 1));
    EXPECT_EQ(text.cursor(), (Position{1, 2}));
    ASSERT_TRUE(cursor.move(Qt::Key_Down, false, false, 1));
    EXPECT_EQ(text.cursor(), (Position{2, 3}));

    EXPECT_EQ(cursor.nearest(0, 44), (Position{0, 1}));
    EXPECT_EQ(cursor.nearest(0, 45), (Position{0, 2}));
    EXPECT_EQ(cursor.nearest(-1, 500), (Position{0, 4}));
    EXPECT_EQ(cursor.nearest(9, 15), (Position{2, 2}));
}
