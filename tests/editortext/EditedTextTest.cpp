// SPDX-License-Identifier: MIT
#include "editortext/EditedText.h"

#include "base/Cp1251.h"
#include "base/TarvexError.h"
#include "editortext/EditorCursor.h"
#include "srec/CustomPatch.h"
#include "srec/CustomPatchSource.h"
#include "support/TestSupport.h"

using Position = EditedText::Position;
using Edit = EditedText::Edit;

namespace {

std::string written(const EditedLines& lines) {
    std::string out;
    lines.write(0, lines.count(), [&](std::string_view block) { out += block; });
    return out;
}

// Each character as the window types it, or a Backspace: the character
// before the cursor selected from where the cursor stood, then erased.
void type(EditedText& text, const QString& typed) {
    for (const QChar c : typed) {
        text.replace(text.cursor(), text.cursor(), QString(c), Edit::Typing);
    }
}
void backspace(EditedText& text) {
    text.setCursor(*text.moved(Qt::Key_Left, false, 1), true);
    const auto [from, to] = text.selection();
    text.replace(from, to, QString(), Edit::Erasing);
}

} // namespace

TEST(EditedLines, EditsSpliceLinesAndWhatTheyReturnPutsThemBack) {
    testsupport::Scratch scratch;
    const QString file = scratch.write("in.bin", testsupport::sequence(16 * 40, 7));
    const CustomPatch made = makeCustomPatch(file, 16 * 40, 0x1000);
    EditedLines lines;
    lines.reset(
        std::make_shared<const CustomPatchSource>(CustomPatchSource::read(file, 16 * 40, 0x1000)));
    ASSERT_EQ(written(lines), made.lines.text());

    // Two runs of the user's lines inside the made ones, then both undone.
    EditedLines::Span first = lines.splice(10, 2, EditedLines::ownLines({"S0 a", "S0 b", "S0 c"}));
    EditedLines::Span second = lines.splice(30, 1, EditedLines::ownLines({}));
    EXPECT_EQ(lines.count(), made.lines.count());
    EXPECT_EQ(lines.line(11), "S0 b");
    EXPECT_EQ(lines.line(13), cp1251::decode(made.lines.line(12)));
    EXPECT_EQ(lines.line(30), cp1251::decode(made.lines.line(30)));
    EXPECT_EQ(lines.text({9, 40}, {13, 4}), cp1251::decode(made.lines.line(9)).mid(40) +
                                                "\nS0 a\nS0 b\nS0 c\n" +
                                                cp1251::decode(made.lines.line(12)).left(4));
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

TEST(EditedText, TypingUndoesAWordAtATimeErasingInOneStepAndANewEditDropsRedo) {
    EditedText text;
    text.reset(QStringList({"S0 one "}));
    text.setCursor({0, 7});
    type(text, "new words");
    ASSERT_TRUE(text.undo());
    EXPECT_EQ(text.lines().line(0), "S0 one new ");
    ASSERT_TRUE(text.undo());
    EXPECT_EQ(text.lines().line(0), "S0 one ");
    EXPECT_EQ(text.cursor(), (Position{0, 7}));
    ASSERT_TRUE(text.redo());
    ASSERT_TRUE(text.redo());
    EXPECT_FALSE(text.redo());
    EXPECT_EQ(text.lines().line(0), "S0 one new words");

    backspace(text);
    backspace(text);
    EXPECT_EQ(text.lines().line(0), "S0 one new wor");
    ASSERT_TRUE(text.undo());
    EXPECT_EQ(text.lines().line(0), "S0 one new words");

    // A move ends the run; typing after an undo drops what could be redone.
    text.setCursor({0, 0});
    text.endRun();
    type(text, "A");
    ASSERT_TRUE(text.undo());
    EXPECT_EQ(text.lines().line(0), "S0 one new words");
    type(text, "B");
    EXPECT_FALSE(text.redo());
}

TEST(EditHistory, ModifiedMeansNotTheTextLastSetOrSaved) {
    EditedText text;
    text.reset(QStringList({"ab"}));
    text.setCursor({0, 2});
    type(text, "X");
    EXPECT_TRUE(text.isModified());
    text.setModified(false); // saved as "abX"

    // A run of typing never joins across the save: undo stops there.
    type(text, "Y");
    EXPECT_TRUE(text.isModified());
    ASSERT_TRUE(text.undo());
    EXPECT_EQ(text.lines().line(0), "abX");
    EXPECT_FALSE(text.isModified());
    ASSERT_TRUE(text.undo());
    EXPECT_TRUE(text.isModified());

    // The saved text went with the dropped redo steps: no edit reaches it.
    type(text, "Z");
    EXPECT_TRUE(text.isModified());
    ASSERT_TRUE(text.undo());
    EXPECT_EQ(text.lines().line(0), "ab");
    EXPECT_TRUE(text.isModified());

    // Past the oldest kept step, the set text is out of reach too.
    text.reset(QStringList({""}));
    int steps = 0;
    for (int i = 0; i < 10001; ++i) {
        text.replace(text.cursor(), text.cursor(), "x");
    }
    while (text.undo()) {
        ++steps;
    }
    EXPECT_EQ(steps, 10000);
    EXPECT_EQ(text.lines().line(0), "x");
    EXPECT_TRUE(text.isModified());
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
