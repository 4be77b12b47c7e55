// SPDX-License-Identifier: MIT
#include "CliFixture.h"
#include "cli/Commands.h"
#include "dataset/ListFile.h"
#include "dataset/ManagerInfo.h"
#include "pictures/HandsetPicture.h"
#include "platform/SettingsStore.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using testsupport::Scratch;

namespace {

class Cli : public CliFixture {
protected:
    QStringList list(const QString& name) const {
        return listfile::load(firmware + "/Data/" + name);
    }
};

} // namespace

TEST_F(Cli, InfoPrintsOneLinePerValue) {
    ASSERT_EQ(run({"info"}), 0) << err.toStdString();
    const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines[0], "firmware: X120XEDJ2");
    EXPECT_EQ(lines[1], "firmware folder: " + firmware);
    EXPECT_EQ(lines[2], "melody start: 0x01300000");
    EXPECT_EQ(lines[10], "volume patch: 1");
    EXPECT_EQ(lines[14], "melody total: 8056815");
    EXPECT_EQ(lines[16], "picture total: 1808254");
}

TEST_F(Cli, WrongUsageExitsTwoAndErrorsOne) {
    EXPECT_EQ(run({}), 2);
    EXPECT_TRUE(err.contains("usage: tarvex-cli"));
    EXPECT_EQ(run({"frobnicate"}), 2);
    EXPECT_EQ(run({"slots"}), 2);
    EXPECT_EQ(run({"slots", "ringtones"}), 2);
    EXPECT_EQ(run({"custom", scratch.path("none.bin")}), 1);
    // The program's message after the program's name, then the system's reason.
    EXPECT_EQ(err.trimmed(), "tarvex-cli: Cannot open file " + scratch.path("none.bin") +
                                 ": No such file or directory");
    EXPECT_EQ(run({"--firmware", "MISSING", "info"}), 1);
    EXPECT_EQ(err,
              "tarvex-cli: There is no firmware MISSING in " + user() + "; it holds: X120XEDJ2\n");
    EXPECT_FALSE(QFileInfo::exists(user() + "/MISSING"));
    EXPECT_EQ(run({"info", "--frob"}), 2);
    EXPECT_TRUE(err.startsWith(
        "tarvex-cli: unknown option --frob\nusage: tarvex-cli [options] info [--json]\n"));
}

TEST_F(Cli, AssignRestoreAndVolumeChangeTheListsOnDisk) {
    const QString melody = scratch.write("in/ring tone.mmf", QByteArray(100, 'm'));
    ASSERT_EQ(run({"assign", "melodies", "1", melody}), 0) << err.toStdString();
    EXPECT_EQ(list("MelodiesFiles.lst")[1], "ring tone.mmf");
    EXPECT_EQ(list("MelodiesSize.lst")[1], "100");
    EXPECT_TRUE(QFile::exists(firmware + "/TempMelodies/ring tone.mmf"));
    EXPECT_TRUE(out.contains("used: 100 of 8056815 bytes (0%)"));

    // Any slot's name is refused, with the page's warning.
    EXPECT_EQ(run({"assign", "melodies", "2", melody}), 1);
    EXPECT_EQ(err.trimmed(),
              "tarvex-cli: The file is in use already. Please choose another melody file.");
    // Only the kinds the open dialog offers.
    EXPECT_EQ(run({"assign", "melodies", "2", scratch.write("in/x.wav", "w")}), 1);
    EXPECT_EQ(run({"assign", "java", "1", scratch.write("in/g.jad", "d")}), 1);
    EXPECT_EQ(run({"assign", "java", "0", scratch.path("in/g.jad")}), 0);

    ASSERT_EQ(run({"volume", "1", "127"}), 0) << err.toStdString();
    EXPECT_EQ(list("Volumes.lst")[1], "7F");
    EXPECT_EQ(run({"volume", "1", "128"}), 2);
    EXPECT_EQ(run({"volume", "9", "5"}), 1);

    ASSERT_EQ(run({"restore", "melodies", "1"}), 0);
    EXPECT_EQ(list("MelodiesFiles.lst")[1], QStringLiteral("[Стандартная мелодия]"));
    EXPECT_EQ(list("MelodiesNames.lst")[1], QStringLiteral("Мелодия 2"));
    EXPECT_EQ(list("MelodiesSize.lst")[1], "0");
    EXPECT_EQ(list("Volumes.lst")[1], "40");
    // The copy stays until the next build or close.
    EXPECT_TRUE(QFile::exists(firmware + "/TempMelodies/ring tone.mmf"));
}

TEST_F(Cli, SlotsListsRowsAndVolumes) {
    ASSERT_EQ(run({"slots", "melodies"}), 0);
    const QStringList rows = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3);
    // The volume in decimal, as "volume" takes it (the list holds 40 in hexadecimal).
    EXPECT_EQ(rows[0], QStringLiteral("0\tМелодия 1\t[Стандартная мелодия]\tМелодия 1\t0\t64"));
    ASSERT_EQ(run({"volume", "0", "100"}), 0) << err.toStdString();
    ASSERT_EQ(run({"slots", "melodies"}), 0);
    EXPECT_TRUE(
        out.startsWith(QStringLiteral("0\tМелодия 1\t[Стандартная мелодия]\tМелодия 1\t0\t100\n")))
        << out.toStdString();
    ASSERT_EQ(run({"slots", "java"}), 0);
    EXPECT_TRUE(out.startsWith(QStringLiteral("0\tИгра0.jad\t[Стандартная игра]\t\t0\n")));
}

TEST_F(Cli, ControlCharactersFromTheDataSetArePrintedEscaped) {
    listfile::save(firmware + "/Data/StdMelodiesList.lst",
                   {"Tab\there", "\x1b[2JClear", QStringLiteral("Мелодия\x7f\u0098")});
    listfile::save(firmware + "/Data/MelodiesSize.lst", {"0", "0\x01", "0"});
    ASSERT_EQ(run({"slots", "melodies"}), 0) << err.toStdString();
    const QStringList rows = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(rows[0].startsWith("0\tTab\\there\t")) << rows[0].toStdString();
    EXPECT_TRUE(rows[1].startsWith("1\t\\x1B[2JClear\t")) << rows[1].toStdString();
    EXPECT_TRUE(rows[1].contains("\t0\\x01\t"));
    EXPECT_TRUE(rows[2].startsWith(QStringLiteral("2\tМелодия\\x7F\\x98\t")));
    // The gauge fails on the size line; the message shows it escaped too.
    EXPECT_EQ(run({"restore", "melodies", "0"}), 1);
    EXPECT_EQ(err.trimmed(), "tarvex-cli: '0\\x01' is not a valid integer value");
    QFile ini(firmware + "/Data/Memory.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[Melodies]\r\nStartOffset=\x1b]0;title\x07\r\n");
    ini.close();
    EXPECT_EQ(run({"info"}), 1);
    EXPECT_TRUE(err.startsWith("tarvex-cli: '\\x1B]0;title\\x07' is not a valid integer value: "))
        << err.toStdString();
}

TEST_F(Cli, ABadOffsetNamesItsFileLineAndKey) {
    listfile::writeWhole(firmware + "/Data/Memory.ini",
                         "[Melodies]\r\nStartOffset=0x01300000\r\n\r\n[JavaGames]\r\n"
                         "StartOffset=0x01200000\r\nEndOffset=zzz\r\n");
    const QString patch = scratch.write("p.s3", "S70500000000FA\r\n");
    const QString place = firmware + "/Data/Memory.ini:6: [JavaGames] EndOffset; ";
    for (const QStringList& args :
         {QStringList{"slots", "melodies"}, QStringList{"info"}, QStringList{"verify", patch},
          QStringList{"build", "melodies", "-o", scratch.path("out.s3")}}) {
        EXPECT_EQ(run(args), 1) << args.join(' ').toStdString();
        EXPECT_TRUE(err.startsWith("tarvex-cli: 'zzz' is not a valid integer value: " + place))
            << err.toStdString();
        EXPECT_TRUE(err.contains("tarvex-cli check")) << err.toStdString();
    }
}

TEST_F(Cli, MatchOnAFirmwareItCannotReadBlamesTheFileAndPrintsNoDocument) {
    const QString missing = scratch.path("none.s3");
    const QString folder = scratch.mkdir("folder.s3");
    for (const QString& json : {QString("--json"), QString("--base=0")}) {
        EXPECT_EQ(run({"match", missing, json}), 1);
        EXPECT_EQ(out, "");
        EXPECT_EQ(err.trimmed(), "tarvex-cli: " + missing + ":0: error: does not exist");
        EXPECT_EQ(run({"match", folder, json}), 1);
        EXPECT_EQ(out, "");
        EXPECT_TRUE(err.contains(folder + ":0: error: is not a regular file")) << err.toStdString();
    }
}

TEST_F(Cli, ShortListPrintsThePartialRowAndFails) {
    listfile::save(firmware + "/Data/MelodiesSize.lst", {"0"});
    EXPECT_EQ(run({"slots", "melodies"}), 1);
    EXPECT_TRUE(out.endsWith(QStringLiteral("1\tМелодия 2\t[Стандартная мелодия]\tМелодия 2\n")));
    EXPECT_EQ(err.trimmed(), "tarvex-cli: List index out of bounds (1)");
}

TEST_F(Cli, BuildWritesThePatchAndCleansTheWorkingFolder) {
    const QString melody = scratch.write("in/a.mid", testsupport::sequence(20));
    ASSERT_EQ(run({"assign", "melodies", "0", melody}), 0);
    scratch.write("user/X120XEDJ2/TempMelodies/stale.mid", "old");
    const QString patchFile = scratch.path("out.s3");
    ASSERT_EQ(run({"build", "melodies", "-o", patchFile}), 0) << err.toStdString();
    EXPECT_EQ(out.trimmed(), QStringLiteral("File \"%1\" created.").arg(patchFile));
    EXPECT_FALSE(QFile::exists(firmware + "/TempMelodies/stale.mid"));
    EXPECT_TRUE(QFile::exists(firmware + "/TempMelodies/a.mid"));
    QString error;
    EXPECT_EQ(testsupport::srecCatBytes(patchFile, 0x01301000, 20, &error),
              testsupport::sequence(20))
        << error.toStdString() << testsupport::readAll(patchFile).toStdString();
    EXPECT_EQ(run({"build", "melodies"}), 2);
}

TEST_F(Cli, BuildAndApplyOnADemonstrationSetEndWithOneWarning) {
    // The program's bundled sets: the current id is one of them, MINE is not.
    QDir().mkpath(scratch.path("bin/data/firmware/X120XEDJ2"));
    set.writeTo(user(), "MINE");
    const QString warning =
        "tarvex-cli: warning: X120XEDJ2 is the bundled demonstration data set: its addresses are "
        "examples, never flash this onto a handset\n";
    const QString patch = scratch.path("a.s3");
    ASSERT_EQ(run({"build", "melodies", "-o", patch}), 0) << err.toStdString();
    EXPECT_EQ(err, warning);
    EXPECT_EQ(run({"apply", patch, patch, "-o", scratch.path("fw.s3")}), 0) << err.toStdString();
    EXPECT_EQ(err, warning);
    EXPECT_EQ(run({"--firmware", "MINE", "build", "melodies", "-o", patch}), 0);
    EXPECT_EQ(err, "");
    EXPECT_EQ(run({"--firmware", "MINE", "apply", patch, patch, "-o", scratch.path("fw.s3")}), 0);
    EXPECT_EQ(err, "");
}

TEST_F(Cli, RunningOutOfMemoryIsAMessageAndExitOne) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    // Four million slots need some 220 MB; the program itself takes about 70.
    QFile names(firmware + "/Data/StdMelodiesList.lst");
    ASSERT_TRUE(names.open(QIODevice::WriteOnly | QIODevice::Truncate));
    const QByteArray block = QByteArray("x\r\n").repeated(1 << 20);
    for (int i = 0; i < 4; ++i) {
        names.write(block);
    }
    names.close();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", scratch.path("config"));
    p.setProcessEnvironment(env);
    p.start("/bin/sh", {"-c", "ulimit -v 200000 && exec \"$0\" \"$@\"", TARVEX_CLI_PATH,
                        "--user-folder", user(), "slots", "melodies"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(p.readAllStandardError().trimmed(), "tarvex-cli: Out of memory");
}

// A FIFO or a folder in place of the settings file is no reason to wait forever:
// the commands run without the stored choice, and storing one is refused.
TEST_F(Cli, SettingsFileThatIsNoFileNeitherBlocksNorIsWritten) {
    for (const char* place : {"config/Ulvane/Tarvex.conf", "config/Ulvane.conf"}) {
        SCOPED_TRACE(place);
        QDir(scratch.path("config")).removeRecursively();
        QDir().mkpath(scratch.path("config/Ulvane"));
        ASSERT_EQ(::mkfifo(scratch.path(place).toLocal8Bit().constData(), 0600), 0);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", scratch.path("config"));
        p.setProcessEnvironment(env);
        for (const QStringList& command :
             {QStringList{"firmwares"}, {"use", QDir(firmware).dirName()}}) {
            p.start(TARVEX_CLI_PATH, QStringList{"--user-folder", user()} + command);
            if (!p.waitForFinished(20000)) {
                p.kill();
                p.waitForFinished();
                ADD_FAILURE() << command.first().toStdString() << " waits on the settings FIFO";
            }
        }
        EXPECT_EQ(p.exitCode(), 1);
        EXPECT_TRUE(p.readAllStandardError().contains("could not be stored"));
    }
}

TEST_F(Cli, HelpVersionAndOptionForms) {
    ASSERT_EQ(run({"--help"}), 0);
    for (const char* name : {"info", "custom", "convert", "slots", "assign", "build"}) {
        EXPECT_TRUE(out.contains(QStringLiteral("\n  %1 ").arg(name))) << name;
    }
    ASSERT_EQ(run({"build", "melodies", "--help"}), 0);
    EXPECT_TRUE(
        out.startsWith("usage: tarvex-cli [options] build melodies|java|pictures -o OUT\n"));
    EXPECT_TRUE(out.contains("\n  -o, --output OUT  "));
    EXPECT_TRUE(err.isEmpty());
    ASSERT_EQ(run({"-h"}), 0);
    ASSERT_EQ(run({"--version"}), 0);
    EXPECT_TRUE(QRegularExpression("^tarvex-cli \\d+\\.\\d+\\.\\d+\n$").match(out).hasMatch())
        << out.toStdString();

    QTextStream o(&out);
    QTextStream e(&err);
    out.clear();
    ASSERT_EQ(runCli({"--user-folder=" + user(), "info"}, scratch.path("bin"), o, e), 0);
    o.flush();
    EXPECT_TRUE(out.contains("firmware folder: " + firmware));

    // "--opt=value", and "--" before an argument that looks like an option.
    scratch.write("-odd.bin", testsupport::sequence(20));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(scratch.path());
    EXPECT_EQ(run({"custom", "--offset=0x01201000", "--output=odd.s3", "--", "-odd.bin"}), 0)
        << err.toStdString();
    EXPECT_EQ(run({"custom", "-odd.bin"}), 2);
    QDir::setCurrent(previous);
    EXPECT_EQ(testsupport::readAll(scratch.path("odd.s3")),
              "S00600004844521B\r\nS31501201000000102030405060708090A0B0C0D0E0F41\r\n"
              "S30901201010101112136F\r\nS705A002000058\r\n");
}

TEST(OptionParser, ValuesFlagsAndTheEndOfOptions) {
    OptionParser options(
        {"a", "--offset=0x10", "-o", "out", "--json", "--", "--not-an-option", "-"});
    EXPECT_EQ(options.take({"--offset"}), "0x10");
    EXPECT_EQ(options.take({"-o", "--output"}), "out");
    EXPECT_EQ(options.take({"--missing"}, "fallback"), "fallback");
    EXPECT_TRUE(options.flag({"--json"}));
    EXPECT_FALSE(options.flag({"--json"}));
    EXPECT_EQ(options.positional(1, -1), (QStringList{"a", "--not-an-option", "-"}));

    EXPECT_THROW(OptionParser({"--json=1"}).flag({"--json"}), UsageError);
    EXPECT_THROW(OptionParser({"x", "-o"}).take({"-o"}), UsageError);
    EXPECT_THROW(OptionParser({"x", "--frob"}).positional(1), UsageError);
    EXPECT_THROW(OptionParser({"x", "y"}).positional(1), UsageError);
}

TEST(OptionParser, CheckedAgainstTheDeclaredOptionsAsGetoptReadsThem) {
    const QList<CliHelpItem> items{{"FILE", "x"},
                                   {"-o, --output OUT", "x"},
                                   {"--offset TEXT", "x"},
                                   {"--json", "x"},
                                   cli::helpOption()};
    auto canonical = [&](const QStringList& args) { return checkOptions(args, items).canonical(); };
    // The last of a repeated option wins; short values attached or apart.
    EXPECT_EQ(canonical({"--offset=1", "f", "--offset", "2", "--json", "--json"}),
              (QStringList{"--offset=2", "--json", "--", "f"}));
    EXPECT_EQ(canonical({"-oout.s3", "f"}), (QStringList{"--output=out.s3", "--", "f"}));
    EXPECT_EQ(canonical({"-o-", "f", "-o", "--offset"}),
              (QStringList{"--output=--offset", "--", "f"}));
    EXPECT_EQ(canonical({"-ho", "x", "-", "--", "--json"}),
              (QStringList{"--help", "--output=x", "--", "-", "--json"}));
    for (const QStringList& wrong : QList<QStringList>{{"--frob"},
                                                       {"-x"},
                                                       {"--json=1"},
                                                       {"--offset"},
                                                       {"--offset="},
                                                       {"-o", ""},
                                                       {"f", "-o"}}) {
        EXPECT_THROW(checkOptions(wrong, items), UsageError) << wrong.join(' ').toStdString();
    }
    // The program's options end at the command.
    const CheckedOptions program = checkOptions(
        {"--firmware=A", "--firmware", "B", "info", "--json"}, cli::programOptions(), true);
    EXPECT_EQ(program.canonical(), (QStringList{"--firmware=B", "--", "info", "--json"}));
}

TEST_F(Cli, RepeatedAndAttachedOptionsAndAnEmptyUserFolder) {
    const QString file = scratch.write("in.bin", testsupport::sequence(4));
    ASSERT_EQ(
        run({"custom", "--offset=1", "--offset=0x01201000", "-o" + scratch.path("out.s3"), file}),
        0)
        << err.toStdString();
    EXPECT_TRUE(testsupport::readAll(scratch.path("out.s3"))
                    .startsWith("S00600004844521B\r\nS30901201000"));
    ASSERT_EQ(run({"info", "--json", "--json"}), 0) << err.toStdString();
    QTextStream o(&out);
    QTextStream e(&err);
    EXPECT_EQ(runCli({"--user-folder=", "info"}, scratch.path("bin"), o, e), 2);
    e.flush();
    EXPECT_TRUE(err.startsWith("tarvex-cli: --user-folder needs a non-empty value\n"));
}

TEST_F(Cli, MessagesNameWhatIsWrongAndWhatThereIs) {
    EXPECT_EQ(run({"assign", "melodies", "999", scratch.write("a.mid", "MThd")}), 1);
    EXPECT_EQ(err, "tarvex-cli: There is no slot 999: melodies has slots 0 to 2\n");
    EXPECT_EQ(run({"restore", "pictures", "-1"}), 2); // an option, not a slot
    const QString text = scratch.write("hostname", "host\n");
    EXPECT_EQ(run({"convert", text, "-o", scratch.path("out.bin")}), 1);
    EXPECT_TRUE(err.startsWith("tarvex-cli: " + text + ": ")) << err.toStdString();
    EXPECT_EQ(run({"verify", "--no-dataset", scratch.path("none.s3")}), 1);
    EXPECT_TRUE(out.startsWith(scratch.path("none.s3") +
                               ":0: error: cannot be read: No such file or directory\n"))
        << out.toStdString();
}

TEST_F(Cli, EveryCommandDescribesItself) {
    ASSERT_EQ(run({"--help"}), 0);
    const QStringList lines = out.split('\n');
    const qsizetype first = lines.indexOf("Commands:") + 1;
    ASSERT_GT(first, 0);
    for (qsizetype i = first; i < lines.size() && !lines[i].isEmpty(); ++i) {
        const QString name = lines[i].simplified().section(' ', 0, 0);
        ASSERT_EQ(run({name, "--help"}), 0) << name.toStdString();
        EXPECT_TRUE(out.startsWith("usage: tarvex-cli [options] " + name)) << name.toStdString();
        EXPECT_TRUE(out.contains("  -h, --help")) << name.toStdString();
    }
}

TEST_F(Cli, AFailedBuildLeavesTheOutputAsItWas) {
    const QString melody = scratch.write("in/a.mid", testsupport::sequence(20));
    ASSERT_EQ(run({"assign", "melodies", "0", melody}), 0);
    scratch.write("user/X120XEDJ2/TempMelodies/a.mid", "short"); // shorter than recorded
    const QString patchFile = scratch.write("out.s3", "old");
    EXPECT_EQ(run({"build", "melodies", "-o", patchFile}), 1);
    EXPECT_EQ(err.trimmed(), "tarvex-cli: Stream read error");
    EXPECT_EQ(testsupport::readAll(patchFile), "old");
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Hidden | QDir::Files), QStringList{"out.s3"});
}

#ifndef Q_OS_WIN
TEST_F(Cli, DevicesAndFifosAreWrittenIntoNotReplaced) {
    const QString input = scratch.write("t.bin", testsupport::sequence(20));
    EXPECT_EQ(run({"custom", input, "-o", "/dev/full"}), 1);
    EXPECT_EQ(err.trimmed(), "tarvex-cli: Cannot write file /dev/full: No space left on device");
    EXPECT_FALSE(QFileInfo("/dev/full").isFile());
    EXPECT_EQ(run({"custom", input, "-o", "/dev/null"}), 0);

    const QString fifo = scratch.path("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QProcess reader;
    reader.start("cat", {fifo});
    ASSERT_TRUE(reader.waitForStarted());
    EXPECT_EQ(run({"custom", input, "--offset", "0x01201000", "-o", fifo}), 0);
    ASSERT_TRUE(reader.waitForFinished(30000));
    EXPECT_EQ(reader.readAllStandardOutput(),
              "S00600004844521B\r\nS31501201000000102030405060708090A0B0C0D0E0F41\r\n"
              "S30901201010101112136F\r\nS705A002000058\r\n");
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

TEST(CliProgram, FailedWritesToStandardOutputExitOne) {
    Scratch dir;
    const QString file = dir.write("t.bin", testsupport::sequence(1 << 20));
    QProcess full;
    full.setStandardOutputFile("/dev/full");
    full.start(TARVEX_CLI_PATH, {"custom", file});
    ASSERT_TRUE(full.waitForFinished(30000));
    EXPECT_EQ(full.exitCode(), 1);
    EXPECT_EQ(full.readAllStandardError(),
              "tarvex-cli: Cannot write to standard output: No space left on device\n");
    full.start(TARVEX_CLI_PATH, {"--help"});
    ASSERT_TRUE(full.waitForFinished(30000));
    EXPECT_EQ(full.exitCode(), 1);

    // A reader that goes away after one byte, SIGPIPE ignored as a parent
    // that ignores it leaves it to its children.
    QProcess closed;
    const QString status = dir.path("status");
    closed.start("sh",
                 {"-c", "trap '' PIPE; { \"$0\" custom \"$1\"; echo $? > \"$2\"; } | head -c 1",
                  TARVEX_CLI_PATH, file, status});
    ASSERT_TRUE(closed.waitForFinished(30000));
    EXPECT_EQ(testsupport::readAll(status), "1\n");
    EXPECT_EQ(closed.readAllStandardError(),
              "tarvex-cli: Cannot write to standard output: Broken pipe\n");
}
#endif

TEST(CliProgram, AFailedBuildWritesNothingToStandardOutput) {
    Scratch dir;
    const QString user = dir.mkdir("user");
    const QString firmware = MiniDataSet().writeTo(user);
    listfile::save(firmware + "/Data/MelodiesFiles.lst",
                   {"a.mid", "[Стандартная мелодия]", "[Стандартная мелодия]"});
    listfile::save(firmware + "/Data/MelodiesSize.lst", {"100", "0", "0"});
    dir.write("user/X120XEDJ2/TempMelodies/a.mid", "short");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir.path("config"));
    p.setProcessEnvironment(env);
    const QStringList common{"--user-folder", user, "--firmware", "X120XEDJ2", "build", "melodies"};
    p.start(TARVEX_CLI_PATH, common + QStringList{"-o", "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(p.readAllStandardOutput(), "");
    EXPECT_EQ(p.readAllStandardError(), "tarvex-cli: Stream read error\n");

    dir.write("user/X120XEDJ2/TempMelodies/a.mid", testsupport::sequence(100));
    p.start(TARVEX_CLI_PATH, common + QStringList{"--output=-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QByteArray patch = p.readAllStandardOutput();
    EXPECT_TRUE(patch.startsWith("S00600004844521B\r\n"));
    EXPECT_TRUE(patch.endsWith("S705A002000058\r\n"));
}

TEST(CliProgram, ExitCodesOfTheExecutable) {
    QProcess p;
    p.start(QStringLiteral(TARVEX_CLI_PATH), {"custom"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardError().contains("usage:"));
    Scratch dir;
    const QString file = dir.write("t.bin", testsupport::sequence(20));
    p.start(QStringLiteral(TARVEX_CLI_PATH), {"custom", file, "--offset", "0x01201000"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    const QByteArray patch = p.readAllStandardOutput();
    EXPECT_EQ(patch, "S00600004844521B\r\nS31501201000000102030405060708090A0B0C0D0E0F41\r\n"
                     "S30901201010101112136F\r\nS705A002000058\r\n");
    p.start(QStringLiteral(TARVEX_CLI_PATH), {"custom", file, "-o", "-", "--offset", "0x01201000"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.readAllStandardOutput(), patch);
}

TEST_F(Cli, FitAssignsAPhotoAndDecodeReadsTheConvertedPictureBack) {
    listfile::save(firmware + "/Data/PicOffsets.lst", {"8000800000007000", "0200020000007000"});
    QImage photo(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            photo.setPixel(x, y, qRgb(x % 256, y % 256, (x ^ y) % 256));
        }
    }
    const QString png = scratch.mkdir("in") + "/photo.png";
    ASSERT_TRUE(photo.save(png));
    EXPECT_EQ(run({"assign", "pictures", "0", png}), 1);
    EXPECT_TRUE(err.startsWith(
        QStringLiteral("tarvex-cli: The picture does not match the size of 128x128 pixels. "
                       "Please choose another file. The size of the chosen picture: 640x480.")));
    EXPECT_TRUE(err.contains("--fit"));
    EXPECT_EQ(run({"assign", "melodies", "0", png, "--fit"}), 2);
    ASSERT_EQ(run({"assign", "pictures", "--fit", "0", png}), 0) << err.toStdString();
    EXPECT_EQ(list("PicFiles.lst")[0], "photo.bmp");
    const QString copy = firmware + "/TempPic/photo.bmp";
    EXPECT_EQ(QImage(copy).size(), QSize(128, 128));
    // The fitted picture's name is checked as a chosen one is: slot 0 has it.
    EXPECT_EQ(run({"assign", "pictures", "1", png, "--fit"}), 1);
    EXPECT_EQ(err.trimmed(), "tarvex-cli: " + managers::nameInUseWarning(managers::pictures()));

    // What convert makes of the working copy is what the slot recorded and
    // what decode gives back in the handset's colours.
    const QString converted = scratch.path("photo.09");
    ASSERT_EQ(run({"convert", copy, "-o", converted}), 0) << err.toStdString();
    EXPECT_EQ(list("PicSize.lst")[0], QString::number(QFile(converted).size()));
    const QString decoded = scratch.path("back.png");
    ASSERT_EQ(run({"decode", converted, "-o", decoded}), 0) << err.toStdString();
    EXPECT_EQ(QImage(decoded).convertToFormat(QImage::Format_RGB32),
              inHandsetColours(QImage(copy)));
    const QString patchFile = scratch.path("pic.s3");
    ASSERT_EQ(run({"build", "pictures", "-o", patchFile}), 0) << err.toStdString();
    QString error;
    EXPECT_EQ(testsupport::srecCatBytes(patchFile, 0x00646880, QFile(converted).size(), &error),
              testsupport::readAll(converted))
        << error.toStdString();

    EXPECT_EQ(run({"decode", png, "-o", decoded}), 1);
    EXPECT_EQ(err.trimmed(),
              "tarvex-cli: Not a valid handset picture: bad format byte 0x89 (0x09 expected) "
              "at offset 0");
    EXPECT_EQ(run({"decode", converted, "-o", scratch.path("back.txt")}), 2);
}
