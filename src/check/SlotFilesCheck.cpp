// SPDX-License-Identifier: MIT
#include "check/SlotFilesCheck.h"

#include "base/OurLanguage.h"
#include "base/TarvexError.h"
#include "dataset/DataSetLayout.h"
#include "dataset/NumericText.h"
#include "java/JavaPair.h"
#include "manager/AddressLayout.h"
#include "manager/SlotContent.h"
#include "pictures/HandsetPicture.h"
#include "pictures/JpegLoader.h"
#include "pictures/PictureLoader.h"
#include "pictures/PixelImage.h"
#include "platform/FileOps.h"
#include "rtf/RtfReader.h"
#include "srec/S3Records.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>

namespace slotfilescheck {

namespace {

struct PixelSize {
    int width = 0;
    int height = 0;
};

// The width and height a picture slot's standard entry gives it.
std::optional<PixelSize> requiredSize(const FirmwareDataSet& data, qsizetype slot) {
    const QStringList& entries = data.list(managers::pictures().standardEntryList);
    if (slot >= entries.size() || !numeric::hexField(entries[slot], 16)) {
        return std::nullopt;
    }
    return PixelSize{int(*numeric::hexField(entries[slot].mid(0, 2), 2)),
                     int(*numeric::hexField(entries[slot].mid(4, 2), 2))};
}

// The bytes the working copy gives the patch: the file itself, or for a
// picture its converted form, which must also have the slot's size. A
// picture is read as the page and the picture patch read it (bitmap, PNG,
// JPEG or GIF by its suffix).
std::int64_t placedSize(const FirmwareDataSet& data, const ManagerInfo& info, qsizetype slot,
                        const QString& path, QString& problem) {
    if (!info.handsetPictures) {
        return srec::fileSizeOfName(path);
    }
    const QImage image = loadPicture(path);
    const std::optional<PixelSize> required = requiredSize(data, slot);
    if (required && (image.width() != required->width || image.height() != required->height)) {
        problem = QCoreApplication::translate(
                      "Report", "the picture is %1 x %2 pixels, the slot takes %3 x %4")
                      .arg(image.width())
                      .arg(image.height())
                      .arg(required->width)
                      .arg(required->height);
    }
    return encodeHandsetPicture(toPixelImage(image)).size();
}

void checkWorkingCopies(const FirmwareDataSet& data, const ManagerInfo& info, Report& report) {
    const QStringList& files = data.list(info.filesList);
    const QStringList& sizes = data.list(info.sizeList);
    const qsizetype slotTotal = std::min({data.slotCount(info), files.size(), sizes.size()});
    for (qsizetype i = 0; i < slotTotal; ++i) {
        std::int32_t recorded = 0;
        if (files[i] != info.placeholder && sizes[i] == QLatin1String("0")) {
            // The slot looks replaced, but every patch keeps its standard resource.
            report.warning(data.dataFile(info.sizeList), i + 1,
                           QCoreApplication::translate("Report",
                                                       "size 0 for %1: the patches keep the "
                                                       "slot's standard resource")
                               .arg(files[i]));
            continue;
        }
        if (files[i] == info.placeholder || !fileops::isSafeBareName(files[i]) ||
            !numeric::tryToInt(sizes[i], recorded)) {
            continue; // standard, or a field already reported
        }
        const QString path = data.workFile(info, files[i]);
        const QString where = data.dataFile(info.filesList);
        if (!fileops::exists(path)) {
            report.error(
                where, i + 1,
                QCoreApplication::translate("Report", "the working copy %1 is missing").arg(path));
            continue;
        }
        QString problem;
        std::int64_t size = 0;
        try {
            size = placedSize(data, info, i, path, problem);
        } catch (const TarvexError& error) {
            report.error(where, i + 1,
                         QCoreApplication::translate("Report", "the working copy %1 cannot be "
                                                               "used: %2")
                             .arg(path, error.message()));
            continue;
        }
        if (!problem.isEmpty()) {
            report.error(where, i + 1, problem);
        }
        if (size != recorded) {
            report.error(data.dataFile(info.sizeList), i + 1,
                         QCoreApplication::translate("Report", "%1 bytes recorded, but %2 gives %3")
                             .arg(recorded)
                             .arg(path)
                             .arg(size));
        }
        if (!info.handsetPictures) { // a picture's content is checked above
            for (const QString& contentProblem : slotcontent::ofFile(info, i, path).problems) {
                report.warning(where, i + 1, contentProblem);
            }
        }
    }
}

// Each game's JAD and JAR, slots 2k and 2k+1, as one: what the phone compares.
void checkJavaPairs(const FirmwareDataSet& data, Report& report) {
    const SlotTable java(const_cast<FirmwareDataSet&>(data), managers::java());
    const QString where = data.dataFile(java.info().filesList);
    for (qsizetype jad = 0; jad + 1 < java.slotCount(); jad += 2) {
        javapair::Review pair;
        try {
            pair = javapair::review(java, jad);
        } catch (const TarvexError&) {
            break; // a short list, reported with the lists
        }
        // A standard JAD's line says nothing about the new JAR: the JAR's line does.
        const qint64 line = java.isStandard(jad) ? jad + 2 : jad + 1;
        // The phone refuses a game whose halves disagree on what it compares.
        if (pair.correction) {
            report.error(where, line, pair.correction->problem());
        }
        for (const QString& disagreement : pair.disagreements) {
            report.error(where, line, disagreement);
        }
        for (const QString& warning : pair.warnings) {
            report.warning(where, line, warning);
        }
    }
}

void checkPreviews(const FirmwareDataSet& data, Report& report) {
    for (qsizetype i = 0; i < data.slotCount(managers::pictures()); ++i) {
        const QString path = data.dataFile(datasetlayout::previewFile(i));
        if (!fileops::exists(path)) {
            report.warning(
                path, 0,
                QCoreApplication::translate("Report", "no preview of picture slot %1").arg(i));
            continue;
        }
        QImage image;
        try {
            image = loadJpeg(path, JpegEnd::WholeOnly);
        } catch (const TarvexError& error) {
            // The page shows an error box for this slot instead of its picture.
            report.warning(path, 0,
                           QCoreApplication::translate("Report",
                                                       "the preview of picture slot %1 is not a "
                                                       "whole JPEG picture the program can show "
                                                       "(%2)")
                               .arg(i)
                               .arg(error.message()));
            continue;
        }
        const std::optional<PixelSize> required = requiredSize(data, i);
        if (required && (image.width() != required->width || image.height() != required->height)) {
            report.warning(path, 0,
                           QCoreApplication::translate(
                               "Report", "the preview is %1 x %2 pixels, the slot takes %3 x %4")
                               .arg(image.width())
                               .arg(image.height())
                               .arg(required->width)
                               .arg(required->height));
        }
    }
}

void checkHelpText(const FirmwareDataSet& data, const ManagerInfo& info, Report& report) {
    const QString path = data.dataFile(info.helpFile);
    QFile file;
    QString reason;
    if (!fileops::openRegular(file, path, &reason)) {
        report.error(
            path, 0,
            ourlanguage::withSystemText(
                QCoreApplication::translate("Report", "the help text cannot be read"), reason));
    } else if (rtf::toPlainText(file.readAll()).trimmed().isEmpty()) {
        report.warning(path, 0,
                       QCoreApplication::translate("Report", "the help text shows nothing"));
    }
}

} // namespace

void run(const FirmwareDataSet& data, Report& report) {
    for (const ManagerInfo* info : managers::all()) {
        if (!data.isAvailable(*info)) {
            continue;
        }
        checkWorkingCopies(data, *info, report);
        if (info->pairedRows) {
            checkJavaPairs(data, report);
        }
        if (!info->helpFile.isEmpty()) {
            checkHelpText(data, *info, report);
        }
    }
    if (data.isAvailable(managers::pictures())) {
        checkPreviews(data, report);
    }
}

} // namespace slotfilescheck
