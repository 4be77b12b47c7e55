// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The filters of the window's own file dialogs (the managers' are in
// ManagerInfo), in Qt's form: the description the user sees, then the
// patterns in parentheses.
namespace dialogfilters {

inline const QString kS3 = QStringLiteral("Motorola S3 format (*.s3)");
// The custom patch opens any file.
inline const QString kAnyFile;

} // namespace dialogfilters

// The names of the window's own file dialogs; each remembers its own folder.
namespace dialognames {

inline const QString kOpenAny = QStringLiteral("OpenDialog1");
inline const QString kSaveCustom = QStringLiteral("SaveS3Dialog");

} // namespace dialognames
