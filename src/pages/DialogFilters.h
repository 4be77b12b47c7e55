// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The filters of the window's file dialogs, in Qt's form: the description the
// user sees, then the patterns in parentheses.
namespace dialogfilters {

inline const QString kMelodies = QStringLiteral("MMF, MIDI (*.mmf *.mid *.midi)");
inline const QString kJad = QStringLiteral("JAD файлы (*.jad)");
inline const QString kJar = QStringLiteral("JAR файлы (*.jar)");
inline const QString kBitmaps = QStringLiteral("Bitmaps (*.bmp)");
inline const QString kAllPictures =
    QStringLiteral("Все изображения (*.bmp *.png *.jpg *.jpeg *.gif)");
// The picture dialog: every kind it reads first, so that a folder of PNG or
// JPEG pictures does not look empty; it then starts on the filter last used.
inline const QString kPictures = kAllPictures + QStringLiteral(";;") + kBitmaps;
inline const QString kS3 = QStringLiteral("Motorola S3 format (*.s3)");
// The custom patch opens any file.
inline const QString kAnyFile;

} // namespace dialogfilters

// The names of the window's file dialogs; each remembers its own folder.
namespace dialognames {

inline const QString kOpenMelodies = QStringLiteral("OpenMelDialog");
inline const QString kOpenJava = QStringLiteral("OpenJavaDialog");
inline const QString kOpenPictures = QStringLiteral("OpenPicDialog");
inline const QString kOpenAny = QStringLiteral("OpenDialog1");
inline const QString kSaveCustom = QStringLiteral("SaveS3Dialog");
inline const QString kSaveMelodies = QStringLiteral("SaveMelS3Dialog");
inline const QString kSaveJava = QStringLiteral("SaveJavaS3Dialog");
inline const QString kSavePictures = QStringLiteral("SavePicS3Dialog");

} // namespace dialognames
