// SPDX-License-Identifier: MIT
#pragma once

#include "support/MiniDataSet.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

// A firmware and the data set that belongs to it, made together from a list
// of pieces in address order: pseudo-random code, erased regions, the three
// tables, the volume bytes, the resources, and the bytes under the Patch64K
// line and the required patch. Moving or adding pieces makes another
// version of the same firmware.
struct FirmwareMaker {
    enum class Kind {
        Code,
        MelodyRegion,
        JavaRegion,
        PictureRegion,
        MelodyTable,
        Volumes,
        JavaTable,
        PictureTable,
        Melody,
        Java,
        Picture,
        Patch64K,
        Required
    };
    struct Piece {
        Kind kind;
        int index = 0; // the resource's slot; the code's seed
    };
    std::vector<Piece> pieces;
    std::uint32_t base = 0x0000F000; // low enough for S1 records at the start

    static FirmwareMaker standard(); // three melodies, two Java files, two pictures
    // A later version: code inserted at the start and before the Java table,
    // the second melody moved to the end.
    FirmwareMaker later() const;

    std::size_t find(Kind kind, int index = 0) const;

    struct Made {
        QByteArray image; // from base
        MiniDataSet set;
        QByteArray requiredPatch;             // ReqPatches/Fix.s3
        std::vector<std::uint32_t> addresses; // of each piece
    };
    Made make() const;

    static QByteArray resource(Kind kind, int index); // the resource's own bytes
};

namespace firmwaremaker {

// S-records of the image: S0, then records of 16 and 32 bytes whose type
// is S1, S2 or S3 in turn where the address allows, S5, S9. Bytes in
// [skipFrom, skipTo) are left out.
QByteArray sRecords(const QByteArray& image, std::uint32_t base, std::uint32_t skipFrom = 0,
                    std::uint32_t skipTo = 0);
// One S-record of the type at the address.
QByteArray record(int type, std::uint32_t address, const QByteArray& data);

// Writes the made data set into userFolder/id, with its required patch.
QString writeDataSet(const FirmwareMaker::Made& made, const QString& userFolder,
                     const QString& id = QStringLiteral("X120XEDJ2"));

} // namespace firmwaremaker
