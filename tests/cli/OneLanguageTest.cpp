// SPDX-License-Identifier: MIT
#include "base/Cp1251.h"
#include "base/OurLanguage.h"
#include "base/Report.h"
#include "base/ReportLanguage.h"
#include "base/TarvexError.h"
#include "firmware/FirmwareMaker.h"
#include "firmware/FirmwareRevert.h"
#include "pictures/HandsetPictureDecoder.h"
#include "platform/DataSetLock.h"
#include "support/TestSupport.h"

#include <QDirIterator>
#include <QImage>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSysInfo>
#include <gtest/gtest.h>

// Every command of the parser's table, run by the program itself under an
// English and a Russian locale, with good and bad arguments: no line may mix
// the two languages. Names and file contents are the user's and may be in
// either, so the words of the data set's files and the scratch paths are
// taken out of a line before it is judged.

namespace {

class OneLanguage : public ::testing::Test {
protected:
    void SetUp() override {
        const FirmwareMaker old = FirmwareMaker::standard();
        const FirmwareMaker::Made made = old.make();
        firmwaremaker::writeDataSet(made, user());
        firmwareFile = scratch.write("old.s3", firmwaremaker::sRecords(made.image, old.base));
        const FirmwareMaker later = old.later();
        laterFile =
            scratch.write("new.s3", firmwaremaker::sRecords(later.make().image, later.base));
        melody =
            scratch.write("in/tune.mid", FirmwareMaker::resource(FirmwareMaker::Kind::Melody, 0));
        QImage picture(3, 5, QImage::Format_RGB888);
        picture.fill(Qt::red);
        ASSERT_TRUE(picture.save(scratch.path("in/odd.bmp"), "BMP"));
    }

    QString user() const { return scratch.path("user"); }

    // Standard output and error, line by line.
    QStringList run(const QString& locale, const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_MESSAGES", "LANG", "LC_ALL"}) {
            env.remove(name);
        }
        env.insert("LC_ALL", locale);
        env.insert("XDG_CONFIG_HOME", scratch.path("config"));
        env.insert("XDG_DATA_HOME", scratch.path("data"));
        // The trash a removal reaches lies in the scratch folder's own home.
        env.insert("HOME", scratch.mkdir("data"));
        p.setProcessEnvironment(env);
        const bool table = args == QStringList{"--command-names"}; // takes no other option
        p.start(TARVEX_CLI_PATH,
                (table ? QStringList() : QStringList{"--user-folder", user()}) + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        const QString text =
            QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        return text.split('\n', Qt::SkipEmptyParts);
    }

    // The words of every list and INI file under the user folder: the user's names.
    QSet<QString> dataWords() const {
        QSet<QString> words{QSysInfo::machineHostName()}; // a lock holder's host
        QDirIterator it(user(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            words.insert(QFileInfo(path).completeBaseName());
            if (path.endsWith(".lst") || path.endsWith(".ini")) {
                const QString text = cp1251::decode(testsupport::readAll(path));
                for (const QString& w : text.split(QRegularExpression("[^\\p{L}\\p{N}]+"))) {
                    words.insert(w);
                }
            }
        }
        return words;
    }

    // What a line holds of ours: paths, quoted names and the user's words removed.
    QStringList ourWords(QString line, const QSet<QString>& data) const {
        line.replace(scratch.path(), QString());
        line.remove(QRegularExpression("\"[^\"]*\"|«[^»]*»|\\([^()]*[/.][^()]*\\)"));
        QStringList words;
        for (const QString& token : line.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) {
            if (token.contains(QRegularExpression("[/._=$]|--|^\\[?-|^0x|\\d"))) {
                continue; // options, file names, addresses, figures
            }
            for (const QString& w :
                 token.split(QRegularExpression("[^\\p{L}\\p{N}]+"), Qt::SkipEmptyParts)) {
                if (w.size() > 1 && !data.contains(w)) {
                    words.append(w);
                }
            }
        }
        return words;
    }

    // Runs the command and fails on every word of ours not in the locale's language.
    void expectOneLanguage(const char* locale, const QStringList& args,
                           const QStringList& commands);

    testsupport::Scratch scratch;
    QString firmwareFile;
    QString laterFile;
    QString melody;
};

// The invocations of each command: good ones where the test can make them
// (a missing one is fine: the bad ones still run), then three bad ones.
QList<QStringList> invocations(const QString& command, const QString& fw, const QString& later,
                               const QString& melody, const QString& scratch) {
    const QString out = scratch + "/out/" + command;
    const QMap<QString, QList<QStringList>> good{
        {"info", {{}}},
        {"custom", {{melody, "-o", out + ".s3"}}},
        {"convert", {{scratch + "/in/odd.bmp", "-o", out + ".09"}}},
        {"slots", {{"melodies"}, {"pictures"}}},
        {"assign", {{"melodies", "0", melody}, {"pictures", "0", scratch + "/in/odd.bmp"}}},
        {"restore", {{"melodies", "0"}}},
        {"volume", {{"0", "100"}, {"30", "100"}}},
        {"build",
         {{"melodies", "-o", out + ".s3"}, {"java", "-o", scratch + "/user/X120XEDJ2/b.s3"}}},
        {"check", {{}}},
        {"verify", {{fw}, {scratch + "/nosuch.s3"}}},
        {"match", {{fw}, {scratch + "/nosuch.bin"}}},
        {"scan", {{fw}}},
        {"draft", {{fw, "--as", "DRAFTED"}}},
        {"extract", {{fw, "-o", out}, {fw, "-o", out}}},
        {"previews", {{fw}}},
        {"apply", {{fw, scratch + "/user/X120XEDJ2/Data/ReqPatches/Fix.s3", "-o", out + ".s3"}}},
        {"port", {{fw, later, "--as", "LATER"}}},
        {"firmwares", {{}}},
        {"use", {{"LATER"}, {"NOSUCH"}}},
        {"remove", {{"DRAFTED"}, {"DRAFTED", "--yes"}, {"LATER", "--yes"}}},
    };
    return good.value(command) + QList<QStringList>{{}, {"--no-such-option"}, {"--help"}};
}

bool cyrillic(const QString& word) {
    return word.contains(QRegularExpression("\\p{Cyrillic}"));
}

// Latin words a Russian line may hold: format names, the program's name, the
// folder names of a data set and the words the user types (commands, ids).
bool ownName(const QString& word, const QStringList& commands) {
    static const QSet<QString> names{"Java", "Tarvex", "tarvex", "cli", "Data", "MiB", "KiB"};
    return word == word.toUpper() || names.contains(word) || commands.contains(word) ||
           QStringList{"melodies", "java", "pictures"}.contains(word);
}

} // namespace

void OneLanguage::expectOneLanguage(const char* locale, const QStringList& args,
                                    const QStringList& commands) {
    const bool russian = QByteArray(locale).startsWith("ru");
    const QStringList lines = run(locale, args);
    const QSet<QString> data = dataWords();
    for (const QString& line : lines) {
        for (const QString& w : ourWords(line, data)) {
            const bool wrong = russian ? !cyrillic(w) && !ownName(w, commands) : cyrillic(w);
            EXPECT_FALSE(wrong) << locale << ": " << args.join(' ').toStdString() << "\n  "
                                << line.toStdString() << "\n  word: " << w.toStdString();
        }
    }
}

TEST_F(OneLanguage, EveryCommandSpeaksTheLocalesLanguageOnly) {
    const QStringList commands = run("C", {"--command-names"});
    ASSERT_GE(commands.size(), 17);
    for (const char* locale : {"C", "ru_RU.UTF-8"}) {
        for (const QString& command : commands) {
            for (const QStringList& args :
                 invocations(command, firmwareFile, laterFile, melody, scratch.path())) {
                expectOneLanguage(locale, QStringList{command} + args, commands);
            }
        }
        // The second language's run starts from the same data set.
        QDir(user() + "/DRAFTED").removeRecursively();
        QDir(user() + "/LATER").removeRecursively();
        QDir(scratch.path("out")).removeRecursively();
        run("C", {"use", "X120XEDJ2"});
    }
}

// A data set tampered with, or held by another program, is refused in the
// locale's language too: these refusals come from below the commands.
TEST_F(OneLanguage, RefusalsOfAFolderTamperedWithSpeakTheLocalesLanguage) {
    const QStringList commands = run("C", {"--command-names"});
    const QString firmware = user() + "/X120XEDJ2";
    const auto expectBoth = [&](const QString& args) {
        for (const char* locale : {"C", "ru_RU.UTF-8"}) {
            expectOneLanguage(locale, args.split(' '), commands);
        }
    };
    expectBoth("assign pictures 0 " + scratch.write("in/bad.bmp", "BM not a bitmap"));
    // A link where a working folder or the lock file belongs.
    for (const QString& place : {firmware + "/TempMelodies", firmware + "/.tarvex.lock"}) {
        QDir(place).removeRecursively();
        ASSERT_TRUE(QFile::link(scratch.path("in"), place));
        expectBoth("assign melodies 0 " + melody);
        ASSERT_TRUE(QFile::remove(place));
    }
    // Memory.ini that cannot be read.
    const QString ini = firmware + "/Data/Memory.ini";
    ASSERT_TRUE(QFile::rename(ini, ini + ".kept") && QDir().mkdir(ini));
    expectBoth("info");
    ASSERT_TRUE(QDir().rmdir(ini) && QFile::rename(ini + ".kept", ini));
    // The data set held by another program.
    DataSetLock other(firmware);
    ASSERT_EQ(other.tryLock(), DataSetLock::Result::Locked);
    expectBoth("volume 0 100");
}

// Counts take the Russian form their number asks for, and the fixed error
// messages keep their English wording for the window's error box.
TEST(RussianTexts, PluralFormsAndFixedMessages) {
    ASSERT_TRUE(reportlanguage::use(QLocale(QLocale::Russian)));
    const auto bytes = [](qint64 n) {
        return countedText(n, QT_TRANSLATE_N_NOOP("Report", "%n byte"),
                           QT_TRANSLATE_N_NOOP("Report", "%n bytes"));
    };
    EXPECT_EQ(bytes(1), "1 байт");
    EXPECT_EQ(bytes(2474), "2474 байта");
    EXPECT_EQ(bytes(11), "11 байт");
    EXPECT_EQ(bytes(22), "22 байта");
    EXPECT_EQ(bytes(25), "25 байт");
    const TarvexError error = errors::cannotOpenFile("a.lst", "No such file or directory");
    EXPECT_EQ(error.message(), "Не удаётся открыть файл a.lst");
    EXPECT_EQ(error.englishMessage(), "Cannot open file a.lst");
    // A reason the C library gave in English is left out of a Russian line.
    EXPECT_EQ(reportlanguage::inOurLanguage(error.reason()), QString());
    EXPECT_EQ(reportlanguage::inOurLanguage("Нет такого файла или каталога"),
              "Нет такого файла или каталога");
    reportlanguage::use(QLocale(QLocale::English));
    EXPECT_EQ(errors::cannotOpenFile("a.lst").message(), "Cannot open file a.lst");
    EXPECT_EQ(reportlanguage::inOurLanguage("Нет такого файла"), QString());
}

// A line made of several counts, a count inside a sentence, and a system
// reason quoted in a line: each in the locale's language and form.
TEST(RussianTexts, CountsInSentencesAndQuotedReasons) {
    firmwarerevert::Result revert;
    revert.ranges.resize(3);
    revert.bytes = 2474;
    revert.records = 21;
    const QByteArray tooShort("\x09\x01\x00\x00", 4);
    ASSERT_TRUE(reportlanguage::use(QLocale(QLocale::Russian)));
    EXPECT_EQ(revert.summary(), "2474 байта, 3 диапазона, 21 запись");
    try {
        decodeHandsetPicture(tooShort);
        ADD_FAILURE() << "a picture of four bytes was decoded";
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "Неверная картинка в формате картинок телефона: файл обрывается "
                               "раньше времени, смещение 4");
    }
    EXPECT_EQ(ourlanguage::withSystemText("файл не удаётся прочитать", "Permission denied"),
              "файл не удаётся прочитать");
    reportlanguage::use(QLocale(QLocale::English));
    revert.ranges.resize(1);
    revert.bytes = 1;
    revert.records = 1;
    EXPECT_EQ(revert.summary(), "1 byte in 1 range, 1 record");
    EXPECT_EQ(ourlanguage::withSystemText("the file cannot be read", "Permission denied"),
              "the file cannot be read: Permission denied");
    EXPECT_EQ(ourlanguage::withSystemText("the file cannot be read", "Отказано в доступе"),
              "the file cannot be read");
}
