// SPDX-License-Identifier: MIT
#include "RtfTestUtil.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextBlock>

using namespace rtftest;

namespace {

QByteArray sampleHelp() {
    return testsupport::readAll(QStringLiteral(TARVEX_RTF_DATA_DIR "/JavaHelp.rtf"));
}

TEST(RtfBrokenInput, EmptyAndNonRtfFilesShowAsPlainText) {
    EXPECT_EQ(rtf::toPlainText(QByteArray()), QString());
    EXPECT_EQ(rtf::toPlainText("{\\rtf"), QString());
    EXPECT_EQ(rtf::toPlainText("\xcf\xf0\xe8\xe2\xe5\xf2\r\n\xec\xe8\xf0\r\x01!\tx"),
              u"Привет\nмир\n!\tx"_qs);
    // Almost RTF is still plain text: nothing is lost to half-understood markup.
    EXPECT_EQ(rtf::toPlainText("{\\rt \\b x}"), u"{\\rt \\b x}"_qs);
    // Leading blank lines do not hide the RTF header.
    EXPECT_EQ(rtf::toPlainText("\r\n {\\rtf1 \\b x}"), u"x"_qs);
}

TEST(RtfBrokenInput, TruncatedFilesKeepWhatWasRead) {
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 Hello \\b wor"), u"Hello wor"_qs);
    EXPECT_TRUE(isBold(formatAt(*read("{\\rtf1 Hello \\b wor"), 7)));
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 Hello\\"), u"Hello"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 Hello\\pa"), u"Hello"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 Hello\\'"), u"Hello"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 Hello\\'c"), u"Hello"_qs); // a control byte
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 Hello\\'zz"), u"Hellozz"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 Hello\\u"), u"Hello"_qs);
    // A '-' without digits is no parameter, so it stays text.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 Hello\\u-"), u"Hello-"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 a{\\fonttbl{\\f0 Ari"), u"a"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 a{\\pict 0102"), u"a"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 a{\\pict\\bin99 xy"), u"a"_qs);
}

// Cut anywhere outside a control sequence, the text read is the start of the
// whole file's text, and no cut at all crashes.
TEST(RtfBrokenInput, EveryPrefixOfAHelpFileReadsSafely) {
    const QByteArray full = sampleHelp();
    const QString fullText = rtf::toPlainText(full);
    ASSERT_FALSE(fullText.isEmpty());
    int checked = 0;
    for (qsizetype n = 0; n <= full.size(); ++n) {
        const QString text = rtf::toPlainText(full.left(n));
        const char next = n < full.size() ? full.at(n) : '\0';
        // Shorter than "{\rtf" it is not yet RTF, and shows as plain text.
        if (n >= 5 && (next == '\\' || next == '{' || next == '}')) {
            EXPECT_TRUE(fullText.startsWith(text)) << "cut at " << n;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

TEST(RtfBrokenInput, UnbalancedBraces) {
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 a}}} b}"), u"a b"_qs);
    EXPECT_EQ(rtf::toPlainText("}}}{\\rtf1 a}"), u"}}}{\\rtf1 a}"_qs); // not RTF
    const auto doc = read("{\\rtf1 {\\b a{\\i b");
    EXPECT_EQ(doc->toPlainText(), u"ab"_qs);
    EXPECT_TRUE(isBold(formatAt(*doc, 1)) && formatAt(*doc, 1).fontItalic());
    // Formatting after extra closing braces falls back to the defaults.
    const auto extra = read("{\\rtf1\\b a}}\\i b");
    EXPECT_FALSE(isBold(formatAt(*extra, 1)));
    EXPECT_TRUE(formatAt(*extra, 1).fontItalic());
}

TEST(RtfBrokenInput, HugeNumbersSaturate) {
    const auto doc = read("{\\rtf1\\fs99999999999999999999999 a\\fs-5 b\\fs0 c"
                          "\\li99999999999999 \\fi-99999999999999 d}");
    EXPECT_EQ(doc->toPlainText(), u"abcd"_qs);
    EXPECT_DOUBLE_EQ(formatAt(*doc, 0).fontPointSize(), 1638.0);
    EXPECT_DOUBLE_EQ(formatAt(*doc, 1).fontPointSize(), 12.0);
    EXPECT_DOUBLE_EQ(formatAt(*doc, 2).fontPointSize(), 12.0);
    EXPECT_LT(doc->firstBlock().blockFormat().leftMargin(), 3000.0);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 \\u99999999999999999?x\\u-99999999999?y}"),
              u"\uFFFDx\uFFFDy"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 a\\bin99999999999999999999 bcd}"), u"a"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 a\\bin-5 b\\uc-3\\u1055 c\\uc99999999999\\u1055 d}e"),
              u"abПcПe"_qs);
    EXPECT_EQ(rtf::toPlainText("{\\rtf1{\\colortbl;\\red99999\\green-7\\blue3;}\\cf1 x"
                               "\\cf99999999999 y\\cf-1 z}"),
              u"xyz"_qs);
    EXPECT_EQ(formatAt(*read("{\\rtf1{\\colortbl;\\red99999\\green-7\\blue3;}\\cf1 x}"), 0)
                  .foreground()
                  .color(),
              QColor(255, 0, 3));
    // A control word of any length is one word.
    EXPECT_EQ(rtf::toPlainText("{\\rtf1 a\\" + QByteArray(100000, 'b') + " c}"), u"ac"_qs);
}

TEST(RtfBrokenInput, DeepNestingIsBoundedAndFast) {
    constexpr int kDepth = 1'000'000;
    QElapsedTimer timer;
    timer.start();
    // Unclosed groups, then text, then far fewer closing braces.
    const QByteArray open =
        "{\\rtf1 a" + QByteArray(kDepth, '{') + "\\b b" + QByteArray(1000, '}') + "c";
    const auto doc = read(open);
    EXPECT_EQ(doc->toPlainText(), u"abc"_qs);
    EXPECT_TRUE(isBold(formatAt(*doc, 1)));
    // Balanced deep nesting: the formatting outside the deep groups survives.
    QByteArray balanced = "{\\rtf1 a";
    for (int i = 0; i < 1000; ++i) {
        balanced += "{\\i x";
    }
    balanced += QByteArray(1000, '}') + " b}";
    const auto doc2 = read(balanced);
    EXPECT_EQ(doc2->toPlainText(), u"a"_qs + QString(1000, u'x') + u" b"_qs);
    EXPECT_TRUE(formatAt(*doc2, 1).fontItalic());
    EXPECT_FALSE(formatAt(*doc2, 1002).fontItalic());
    // Skipped destinations nest without limit too.
    const QByteArray skipped =
        "{\\rtf1 a{\\*\\x" + QByteArray(kDepth, '{') + QByteArray(kDepth, '}') + "}b}";
    EXPECT_EQ(rtf::toPlainText(skipped), u"ab"_qs);
    EXPECT_LT(timer.elapsed(), 20'000);
}

TEST(RtfBrokenInput, BinaryGarbageNeverBreaksTheReader) {
    QRandomGenerator random(20240611);
    const QByteArray sample = sampleHelp();
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = "{\\rtf1 ";
        const int size = int(random.bounded(4000));
        for (int i = 0; i < size; ++i) {
            // Mostly syntax characters, so that the damage reaches the parser.
            static const char kSyntax[] = "{}\\'*-0123456789abuclpardfs ;?\r\n";
            bytes += random.bounded(3) == 0 ? char(random.bounded(256))
                                            : kSyntax[random.bounded(int(sizeof kSyntax - 1))];
        }
        rtf::toPlainText(bytes);
        // And damaged copies of a real file: random bytes overwritten.
        QByteArray damaged = sample;
        for (int i = 0; i < 10; ++i) {
            damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
        }
        rtf::toPlainText(damaged);
    }
}

TEST(RtfBrokenInput, LargeFileReadsInLinearTime) {
    QByteArray big = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}}";
    const QByteArray paragraph = "\\pard\\b \\'cf\\'e8\\'ea\\b0  text \\i more\\i0\\par\r\n";
    for (int i = 0; i < 20000; ++i) {
        big += paragraph;
    }
    big += "{\\pict " + QByteArray(2'000'000, 'a') + "}}";
    QElapsedTimer timer;
    timer.start();
    const auto doc = read(big);
    const qint64 ms = timer.elapsed();
    EXPECT_EQ(doc->blockCount(), 20000);
    EXPECT_EQ(doc->firstBlock().text(), u"Пик text more"_qs);
    RecordProperty("milliseconds", int(ms));
    EXPECT_LT(ms, 30'000);
}

// One paragraph of 400 KB in many runs, once alternating bold and once
// switching among thousands of fonts: a document that grows run by run and
// files a format per font must still be read in one linear pass.
TEST(RtfBrokenInput, ManyRunsAndFontsInOneParagraphReadInLinearTime) {
    QByteArray runs = "{\\rtf1\\ansi ";
    while (runs.size() < 400'000) {
        runs += "\\b x\\b0 y";
    }
    QByteArray fonts = "{\\rtf1\\ansi{\\fonttbl";
    for (int f = 0; f < 5000; ++f) {
        fonts += "{\\f" + QByteArray::number(f) + " F" + QByteArray::number(f) + ";}";
    }
    fonts += "}";
    for (int i = 0; fonts.size() < 400'000; ++i) {
        fonts += "\\f" + QByteArray::number(i % 5000) + " t";
    }
    QElapsedTimer timer;
    timer.start();
    const auto doc = read(runs + "}");
    const auto doc2 = read(fonts + "}");
    const qint64 ms = timer.elapsed();
    EXPECT_EQ(doc->blockCount(), 1);
    EXPECT_EQ(doc->characterCount(), 2 * ((runs.size() - 12) / 9) + 1);
    EXPECT_TRUE(isBold(formatAt(*doc, 0)));
    EXPECT_FALSE(isBold(formatAt(*doc, 1)));
    EXPECT_TRUE(formatOf(*doc2, u"t"_qs).fontFamilies().toStringList().contains(u"F0"_qs));
    RecordProperty("milliseconds", int(ms));
    // Linear, these take a few seconds at most, unoptimised on a busy machine;
    // quadratic, many minutes.
    EXPECT_LT(ms, 10'000);
}

} // namespace
