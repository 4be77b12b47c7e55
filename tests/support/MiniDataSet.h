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
