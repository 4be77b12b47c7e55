// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Where a data set keeps what every manager shares, inside a firmware
// folder's "Data". Each manager's own lists, help text and working folder
// are named in its ManagerInfo.
namespace datasetlayout {

inline const QString kDataFolder = QStringLiteral("Data");
inline QString dataFolder(const QString& firmwareFolder) {
    return firmwareFolder + QLatin1Char('/') + kDataFolder;
}
inline const QString kMemoryIni = QStringLiteral("Memory.ini");
// The previews of the standard pictures, one JPEG per picture slot.
inline const QString kPreviewFolder = QStringLiteral("Pic");
// The patches every built patch carries, each a "*.s3" file.
inline const QString kRequiredPatchFolder = QStringLiteral("ReqPatches");
inline const QString kRequiredPatchMask = QStringLiteral("*.s3");

// Data's path of the preview of a picture slot counted from 0; the files
// themselves are numbered from 1.
inline QString previewFile(qsizetype slot) {
    return kPreviewFolder + QStringLiteral("/%1.jpg").arg(slot + 1);
}

// Data's path of a file in the required-patch folder.
inline QString requiredPatchFile(const QString& bareName) {
    return kRequiredPatchFolder + QLatin1Char('/') + bareName;
}

} // namespace datasetlayout
