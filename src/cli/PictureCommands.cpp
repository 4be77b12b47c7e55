// SPDX-License-Identifier: MIT
// decode: the handset picture format back into an ordinary picture, to check
// a conversion or look at a picture a patch carries.
#include "base/Report.h"
#include "base/TarvexError.h"
#include "cli/Commands.h"
#include "pictures/HandsetPictureDecoder.h"
#include "platform/FileOps.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray readPicture(const QString& path) {
    QFile file;
    QString reason;
    if (!fileops::openRegular(file, path, &reason)) {
        throw errors::cannotOpenFile(path, reason);
    }
    // One byte more than any picture holds is enough to refuse a longer file.
    return file.read(kMaxHandsetPictureSize + 1);
}

void decode(CliContext& context) {
    OptionParser options(context.args());
    const QString output = options.take({QStringLiteral("-o"), QStringLiteral("--output")});
    const QString input = options.positional(1).first();
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("bmp")) {
        throw UsageError{Report::tr("decode needs -o IMAGE ending in .png or .bmp")};
    }
    const QImage image = toImage(decodeHandsetPicture(readPicture(input)));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, suffix.toLatin1().constData());
    context.requireOutput(output, {input});
    context.writeOutput(output, bytes);
}

} // namespace

QList<CliCommand> pictureCommands() {
    return {
        {QStringLiteral("decode"),
         QStringLiteral("decode PICTURE -o IMAGE"),
         decode,
         Report::tr("a picture in the handset picture format back into an image"),
         {{QStringLiteral("PICTURE"),
           Report::tr("a file in the handset picture format, as convert writes it; malformed "
                      "input is refused with the offset of the fault")},
          {QStringLiteral("-o, --output IMAGE"),
           Report::tr("the image to write: .png or .bmp, by its name")}}},
    };
}
