// SPDX-License-Identifier: MIT
#include "RtfTestUtil.h"
#include "support/TestSupport.h"

#include <QTextBlock>

using namespace rtftest;

namespace {

QByteArray sampleHelp() {
    return testsupport::readAll(QStringLiteral(TARVEX_RTF_DATA_DIR "/JavaHelp.rtf"));
}

TEST(RtfHelpText, ShowsTheTextOfAWordProcessorFile) {
    EXPECT_EQ(rtf::toPlainText(sampleHelp()),
              u"Менеджер JAVA игр\n"
              u"Каждая строка списка — одна игра: файл JAD и архив JAR.\n"
              u"·\tВыберите строку;\n"
              u"·\tнажмите Открыть;\n"
              u"\n"
              u"Внимание! Шрифт Café не меняется.\n"
              u"Размер:\t10 КБ"_qs);
}

TEST(RtfHelpText, KeepsCharacterFormatting) {
    const auto doc = read(sampleHelp());

    const QTextCharFormat heading = formatOf(*doc, u"Менеджер"_qs);
    EXPECT_TRUE(isBold(heading));
    EXPECT_DOUBLE_EQ(heading.fontPointSize(), 14.0);
    EXPECT_EQ(heading.foreground().color(), QColor(0, 0, 128));
    EXPECT_TRUE(heading.fontFamilies().toStringList().contains(u"Arial CYR"_qs));
    EXPECT_TRUE(heading.fontFamilies().toStringList().contains(u"Arial"_qs));
    EXPECT_TRUE(isBold(formatOf(*doc, u"игр"_qs)));

    const QTextCharFormat body = formatOf(*doc, u"Каждая"_qs);
    EXPECT_FALSE(isBold(body));
    EXPECT_FALSE(body.fontItalic());
    EXPECT_DOUBLE_EQ(body.fontPointSize(), 10.0);
    EXPECT_FALSE(body.hasProperty(QTextFormat::ForegroundBrush)); // \cf0 is the auto colour

    EXPECT_TRUE(formatOf(*doc, u"JAD"_qs).fontItalic());
    EXPECT_FALSE(formatOf(*doc, u" и архив"_qs).fontItalic());
    EXPECT_TRUE(formatOf(*doc, u"Открыть"_qs).fontUnderline());
    EXPECT_FALSE(formatOf(*doc, u";\n\nВнимание"_qs).fontUnderline());

    const QTextCharFormat warning = formatOf(*doc, u"Внимание!"_qs);
    EXPECT_TRUE(isBold(warning));
    EXPECT_EQ(warning.foreground().color(), QColor(192, 0, 0));
    EXPECT_TRUE(
        formatOf(*doc, u"Café"_qs).fontFamilies().toStringList().contains(u"Times New Roman"_qs));
}

TEST(RtfHelpText, KeepsParagraphFormatting) {
    const auto doc = read(sampleHelp());
    ASSERT_EQ(doc->blockCount(), 6);
    EXPECT_EQ(doc->findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(doc->findBlockByNumber(0).blockFormat().bottomMargin(), 8.0); // \sa120
    EXPECT_EQ(doc->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignJustify);
    const QTextBlockFormat bullet = doc->findBlockByNumber(2).blockFormat();
    EXPECT_DOUBLE_EQ(bullet.leftMargin(), 48.0);  // \li720
    EXPECT_DOUBLE_EQ(bullet.textIndent(), -24.0); // \fi-360
    // \pard clears the indents again.
    EXPECT_DOUBLE_EQ(doc->findBlockByNumber(5).blockFormat().leftMargin(), 0.0);
    EXPECT_EQ(doc->findBlockByNumber(5).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
}

TEST(RtfCodePages, FontCharsetAndDocumentCodePagePickTheDecoding) {
    // Without any declaration the data sets' Cyrillic code page applies.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 \\'cf\\'e8\\'ea}"), u"Пик"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1\\ansi\\ansicpg1252 Caf\\'e9}"), u"Café"_qs);
    // A Cyrillic font inside a Western document, and the other way round.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 A;}"
                               "{\\f1\\fcharset204 B;}}\\'e9 \\f1\\'e9}"),
              u"é й"_qs);
    // DEFAULT_CHARSET follows the document; \cpg wins over the charset.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1\\ansicpg1251{\\fonttbl{\\f0\\fcharset1 A;}"
                               "{\\f1\\fcharset204\\cpg1252 B;}}\\'e9\\f1\\'e9}"),
              u"йé"_qs);
    // An unknown document code page keeps the default.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1\\ansicpg936 \\'e9}"), u"й"_qs);
    // \deff names the font that text without \f uses.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1\\deff1{\\fonttbl{\\f0\\fcharset204 A;}"
                               "{\\f1\\fcharset0 B;}}\\'e9\\plain\\'e9\\f0\\'e9}"),
              u"ééй"_qs);
}

TEST(RtfUnicode, ReplacementCharactersAreSkipped) {
    EXPECT_EQ(rtf::toPlainText("{\\rtf1\\uc1 \\u1055?\\u1080?\\u1082?}"), u"Пик"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1\\uc1\\u1055\\'cf!}"), u"П!"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1\\uc2\\u1055\\'cf\\'cf!}"), u"П!"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1\\uc0\\u1055 !}"), u"П!"_qs);
    // Without \uc one stand-in follows.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 \\u1055?x}"), u"Пx"_qs);
    // Negative values count from 65536; surrogate halves pair up.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 \\u-4064?}"), QString(QChar(0xF020)));
    EXPECT_EQ(rtf::toPlainText("{\\rtf1\\uc1\\u-10179?\\u-8704?}"), u"\U0001F600"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 \\u-10179?x}"), u"\uFFFDx"_qs);
    // Skipping stops at a group boundary, and \uc is restored with the group.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1{\\uc3\\u1055 ab}cd}"), u"Пcd"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1{\\uc2 x}\\u1055??}"), u"xП?"_qs);
}

TEST(RtfGroups, FormattingEndsWithItsGroup) {
    const auto doc = read("{\\rtf1\\fs20 a{\\b\\fs32 b{\\i\\ul c}d}e}");
    EXPECT_EQ(doc->toPlainText(), u"abcde"_qs);
    EXPECT_FALSE(isBold(formatAt(*doc, 0)));
    EXPECT_TRUE(isBold(formatAt(*doc, 1)));
    EXPECT_DOUBLE_EQ(formatAt(*doc, 1).fontPointSize(), 16.0);
    EXPECT_TRUE(formatAt(*doc, 2).fontItalic());
    EXPECT_TRUE(formatAt(*doc, 2).fontUnderline());
    EXPECT_TRUE(isBold(formatAt(*doc, 2)));
    EXPECT_FALSE(formatAt(*doc, 3).fontItalic());
    EXPECT_FALSE(formatAt(*doc, 3).fontUnderline());
    EXPECT_TRUE(isBold(formatAt(*doc, 3)));
    EXPECT_FALSE(isBold(formatAt(*doc, 4)));
    EXPECT_DOUBLE_EQ(formatAt(*doc, 4).fontPointSize(), 10.0);
}

TEST(RtfGroups, PlainAndTogglesResetFormatting) {
    const auto doc = read("{\\rtf1\\b\\i\\ul\\fs40 a\\plain b\\b\\i\\ul c\\b0\\i0\\ul0 d"
                          "\\ul e\\ulnone f{\\plain g}h}");
    EXPECT_EQ(doc->toPlainText(), u"abcdefgh"_qs);
    EXPECT_TRUE(isBold(formatAt(*doc, 0)));
    EXPECT_DOUBLE_EQ(formatAt(*doc, 0).fontPointSize(), 20.0);
    const QTextCharFormat b = formatAt(*doc, 1);
    EXPECT_FALSE(isBold(b) || b.fontItalic() || b.fontUnderline());
    EXPECT_DOUBLE_EQ(b.fontPointSize(), 12.0);
    EXPECT_TRUE(isBold(formatAt(*doc, 2)) && formatAt(*doc, 2).fontItalic());
    const QTextCharFormat d = formatAt(*doc, 3);
    EXPECT_FALSE(isBold(d) || d.fontItalic() || d.fontUnderline());
    EXPECT_TRUE(formatAt(*doc, 4).fontUnderline());
    EXPECT_FALSE(formatAt(*doc, 5).fontUnderline());
    EXPECT_FALSE(formatAt(*doc, 6).fontUnderline());
    EXPECT_FALSE(formatAt(*doc, 7).fontUnderline());
}

TEST(RtfText, EscapesBreaksAndSpecialCharacters) {
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 a\\\\b\\{c\\}d}"), u"a\\b{c}d"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 a\\tab b\\line c\\par d}"), u"a\tb\nc\nd"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 a\\emdash b\\endash c\\bullet\\lquote\\rquote"
                               "\\ldblquote\\rdblquote}"),
              u"a—b–c•‘’“”"_qs);
    // Line ends of the file are no text; a backslash before one is a paragraph.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 ab\r\ncd\\\r\nef}"), u"abcd\nef"_qs);
    // \line stays a line break inside the paragraph.
    const auto doc = read("{\\rtf1 a\\line b\\par c\\par}");
    EXPECT_EQ(doc->blockCount(), 2);
    EXPECT_EQ(doc->firstBlock().text(), u"a"_qs + QChar::LineSeparator + u"b"_qs);
    // Consecutive paragraph marks keep their empty paragraphs.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 a\\par\\par\\par b\\par\\par}"), u"a\n\n\nb\n"_qs);
    // Hidden text is not shown.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 a{\\v hidden}b\\v c\\v0 d}"), u"abd"_qs);
}

TEST(RtfText, DestinationsThatHoldNoTextAreSkipped) {
    EXPECT_EQ(rtf::toPlainText("{\\rtf1{\\*\\unknown a{b}c}x{\\info{\\title t}{\\author a}}"
                               "{\\stylesheet{\\s0 Normal;}}y{\\header page}"
                               "{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt link}}}"),
              u"xylink"_qs);
    // Binary picture data may hold any byte, braces included.
    QByteArray withBinary("{\\rtf1 a{\\pict\\bin6 }}{{\\}b}c{\\*\\x\\bin3 }}}}d}");
    EXPECT_EQ(rtf::toPlainText(withBinary), u"acd"_qs);
    // A \* that does not open its group is ignored rather than eating the text.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 a\\*b}"), u"ab"_qs);
}

TEST(RtfColours, ColourTableAndHighlight) {
    const auto doc = read("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}"
                          "\\cf1 r\\cf2\\highlight1 g\\cf0\\highlight0 n\\cf9 x}");
    EXPECT_EQ(doc->toPlainText(), u"rgnx"_qs);
    EXPECT_EQ(formatAt(*doc, 0).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatAt(*doc, 1).foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(formatAt(*doc, 1).background().color(), QColor(255, 0, 0));
    EXPECT_FALSE(formatAt(*doc, 2).hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_FALSE(formatAt(*doc, 2).hasProperty(QTextFormat::BackgroundBrush));
    EXPECT_FALSE(formatAt(*doc, 3).hasProperty(QTextFormat::ForegroundBrush));
}

TEST(RtfText, ReadingReplacesThePreviousContent) {
    QTextDocument doc;
    doc.setPlainText(u"old"_qs);
    rtf::readRtf("{\\rtf1 new}", doc);
    EXPECT_EQ(doc.toPlainText(), u"new"_qs);
    EXPECT_FALSE(doc.isUndoAvailable());
}

} // namespace
