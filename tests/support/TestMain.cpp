#include "melodies/MelodyPlayer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef TARVEX_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The build lists the tests: no application, so no platform messages in
    // the build output.
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt wants a private runtime folder, which a build machine may not have.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid()) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    }
    TestApplication app(argc, argv);
    // Programs are looked for in an empty folder, not on PATH: a MIDI player
    // the machine happens to have must not change what a test sees.
    const QTemporaryDir noPrograms;
    MelodyPlayer::setProgramFolders({noPrograms.path()});
    return RUN_ALL_TESTS();
}
