// SPDX-License-Identifier: MIT
#pragma once

#include "cli/Commands.h"
#include "platform/SettingsStore.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTextStream>
#include <gtest/gtest.h>

// A user folder holding the mini data set, and the front end run in-process on it.
class CliFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SettingsStore::setOverrideFile(scratch.path("settings.ini"));
        QDir().mkpath(user());
        firmware = set.writeTo(user());
    }
    void TearDown() override { SettingsStore::setOverrideFile({}); }

    QString user() const { return scratch.path("user"); }

    // Runs the front end in-process; returns the exit code.
    int run(const QStringList& args) {
        out.clear();
        err.clear();
        QTextStream o(&out);
        QTextStream e(&err);
        return runCli(QStringList{"--user-folder", user()} + args, scratch.path("bin"), o, e);
    }

    testsupport::Scratch scratch;
    MiniDataSet set;
    QString firmware;
    QString out;
    QString err;
};
