// SPDX-License-Identifier: MIT
// A required patch of the data set, read into a patch: every line of the file
// arrives unchanged, in order.
#include "FuzzSupport.h"
#include "base/Cp1251.h"
#include "base/TarvexError.h"
#include "base/TextLines.h"
#include "dataset/FirmwareDataSet.h"
#include "manager/PatchAssembly.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString firmware = [] {
        const QString folder = fuzz::scratchFolder() + QStringLiteral("/firmware");
        QDir().mkpath(folder + QStringLiteral("/Data/ReqPatches"));
        return folder;
    }();
    const QByteArray bytes = fuzz::bytesOf(data, size);
    fuzz::writeScratchFile(QStringLiteral("firmware/Data/ReqPatches/Required.s3"), bytes);

    const FirmwareDataSet dataSet(firmware);
    S3LineList lines;
    lines.append(std::string_view("S00600004844521B"));
    patch::appendRequiredPatches(dataSet, lines);

    const QStringList expected = textlines::decode(bytes);
    fuzz::check(lines.count() == expected.size() + 1, "lines lost or added");
    for (qsizetype i = 0; i < expected.size(); ++i) {
        fuzz::check(cp1251::decode(lines.line(i + 1)) == expected[i], "a line changed on its way");
    }
    return 0;
}
