// SPDX-License-Identifier: MIT
#include "pictures/PictureSlots.h"

#include "base/Report.h"
#include "base/TarvexError.h"
#include "dataset/ChosenName.h"
#include "dataset/ListFile.h"
#include "dataset/NumericText.h"
#include "pictures/HandsetPicture.h"
#include "pictures/PictureFit.h"
#include "pictures/PictureLoader.h"
#include "pictures/PixelImage.h"
#include "platform/FileOps.h"
#include "srec/S3Records.h"

#include <QFileInfo>

namespace pictureslots {

namespace {

const QString kConvertedName = QStringLiteral("temp.09");

int hexByte(const QString& digits) {
    return numeric::toInt(QStringLiteral("0x") + digits);
}

// The name checks a slot's file name must pass before anything is written,
// whether the user chose it or it was derived from the chosen one.
bool refusedAsUnsafe(const QString& name, Choice& choice) {
    choice.warning = name == kConvertedName ? Report::tr("Invalid file name: %1").arg(name)
                                            : chosenname::refusal(name);
    if (choice.warning.isEmpty()) {
        return false;
    }
    choice.outcome = Outcome::UnsafeName;
    return true;
}

} // namespace

RequiredSize requiredSize(const SlotTable& table, qsizetype slot) {
    const QString entry = table.data().line(table.info().standardEntryList, slot);
    return {hexByte(entry.mid(0, 2)), hexByte(entry.mid(4, 2))};
}

QString sizeRefusal(RequiredSize size, QSize actual, Front front) {
    // The first two sentences are the program's own warning (in Russian, the
    // letter between the numbers is the Cyrillic ha); the way out follows: in
    // the window by its check box, on the command line also by its option.
    return Report::tr("The picture does not match the size of %1x%2 pixels. Please choose "
                      "another file. The size of the chosen picture: %3x%4. To take it, tick "
                      "\"Fit the picture's size\"%5: a picture of another "
                      "size is scaled down or up and cropped at its edges.")
        .arg(size.width)
        .arg(size.height)
        .arg(actual.width())
        .arg(actual.height())
        .arg(front == Front::CommandLine ? Report::tr(" (in tarvex-cli: --fit)") : QString());
}

QString convertedFile(const SlotTable& table) {
    return table.data().workFile(table.info(), kConvertedName);
}

std::int64_t convertedSize(const SlotTable& table, const QImage& picture) {
    const QString converted = convertedFile(table);
    fileops::removeFileOrLink(converted);
    if (!convertPicture(toPixelImage(picture), converted)) {
        return 0;
    }
    const std::int64_t size = srec::fileSizeOfName(converted);
    fileops::removeFileOrLink(converted);
    return size;
}

Choice choose(SlotTable& table, qsizetype slot, const QString& picturePath, Fit fit) {
    Choice choice;
    QString name = chosenname::of(picturePath);
    if (refusedAsUnsafe(name, choice)) {
        return choice;
    }
    const RequiredSize required = requiredSize(table, slot);
    choice.picture = loadPicture(picturePath);
    QImage fitted;
    if (choice.picture.width() != required.width || choice.picture.height() != required.height) {
        if (fit == Fit::Yes) {
            fitted = picturefit::fitted(choice.picture, required.width, required.height);
        }
        if (fitted.isNull()) {
            choice.outcome = Outcome::WrongSize;
            choice.warning = sizeRefusal(required, choice.picture.size());
            return choice;
        }
        name = picturefit::fittedName(name);
        if (refusedAsUnsafe(name, choice)) {
            return choice;
        }
    }
    if (const auto user = table.slotUsing(name); user && *user != slot) {
        choice.outcome = Outcome::NameInUse;
        choice.warning = managers::nameInUseWarning(table.info());
        return choice;
    }
    QString copy;
    if (fitted.isNull()) {
        copy = table.copyIntoWorkFolder(picturePath, name);
    } else {
        // Through the conversion's working file, so that the fitted bitmap is
        // put in place exactly as a chosen file is.
        const QString staged = convertedFile(table);
        listfile::writeWhole(staged, picturefit::bitmapBytes(fitted));
        copy = table.copyIntoWorkFolder(staged, name);
        fileops::remove(staged);
    }
    // From here on the working copy is what counts, as the patch will use it.
    choice.picture = loadPicture(copy);
    table.recordChoice(slot, name, convertedSize(table, choice.picture));
    return choice;
}

PatchHooks patchHooks() {
    PatchHooks hooks;
    hooks.placeNewFile = [](const QString& file, std::int32_t size, std::int32_t address,
                            S3LineList& patch) {
        const QImage picture = loadPicture(file);
        const QString converted = QFileInfo(file).path() + QLatin1Char('/') + kConvertedName;
        convertPicture(toPixelImage(picture), converted);
        srec::appendFileRecords(converted, size, address, patch);
        fileops::removeFileOrLink(converted);
        return srec::pictureEntry(address, picture.width(), picture.height());
    };
    return hooks;
}

} // namespace pictureslots
