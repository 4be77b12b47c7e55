// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// A small data set written into a scratch user folder, with every list of the
// three managers, so tests need not depend on the bundled demonstration one.
struct MiniDataSet {
    int melodies = 3;
    int java = 4;
    int pictures = 2;
    bool volumes = true;
    QString memoryIni;                    // empty: a Memory.ini with the default offsets
    QMap<QString, QStringList> overrides; // list file -> lines

    // Writes userFolder/<id>/Data and returns the firmware folder.
    QString writeTo(const QString& userFolder,
                    const QString& id = QStringLiteral("X120XEDJ2")) const;

    static QStringList lists(); // every list file name written
    QStringList linesOf(const QString& list) const;
};

#include "dataset/Session.h"
#include "support/TestSupport.h"

#include <memory>

// A session started on a MiniDataSet in a scratch user folder, with a
// settings file of its own; the settings store is pointed back on destruction.
class MiniSession {
public:
    explicit MiniSession(const MiniDataSet& set = {});
    ~MiniSession();

    testsupport::Scratch scratch;
    std::unique_ptr<Session> session;

    FirmwareDataSet& data() { return session->dataSet(); }
    QString userFolder() const { return scratch.path("user"); }
    // A path inside the firmware folder.
    QString firmware(const QString& relative) const {
        return session->firmwareFolder() + "/" + relative;
    }
};
