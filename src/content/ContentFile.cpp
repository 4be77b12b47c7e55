// SPDX-License-Identifier: MIT
#include "content/ContentFile.h"

#include "base/OurLanguage.h"
#include "base/Report.h"
#include "content/JavaReaders.h"
#include "content/MelodyReaders.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace content {

namespace {

// The system's reason only where it is in our language.
QString cannotBeRead(const QString& reason) {
    return ourlanguage::withSystemText(
        QCoreApplication::translate("Report", "the file cannot be read"), reason);
}

// The kind a suffix promises; Unknown for a suffix that promises nothing.
Kind kindOfSuffix(const QString& suffix) {
    static const QHash<QString, Kind> kinds = {
        {QStringLiteral("mid"), Kind::Midi}, {QStringLiteral("midi"), Kind::Midi},
        {QStringLiteral("rmi"), Kind::Rmid}, {QStringLiteral("mmf"), Kind::Smaf},
        {QStringLiteral("mp3"), Kind::Mp3},  {QStringLiteral("wav"), Kind::Wav},
        {QStringLiteral("amr"), Kind::Amr},  {QStringLiteral("jad"), Kind::Jad},
        {QStringLiteral("jar"), Kind::Jar},  {QStringLiteral("png"), Kind::Png},
        {QStringLiteral("jpg"), Kind::Jpeg}, {QStringLiteral("jpeg"), Kind::Jpeg},
        {QStringLiteral("gif"), Kind::Gif},  {QStringLiteral("bmp"), Kind::Bmp},
    };
    return kinds.value(suffix.toLower(), Kind::Unknown);
}

bool sameFamily(Kind a, Kind b) {
    // A MIDI file in RIFF is still a MIDI file.
    const auto midi = [](Kind k) { return k == Kind::Midi || k == Kind::Rmid; };
    return a == b || (midi(a) && midi(b));
}

QString minutesAndSeconds(qint64 ms) {
    const qint64 seconds = (ms + 500) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

bool suffixLies(const QString& path, Kind kind) {
    const Kind promised = kindOfSuffix(QFileInfo(path).suffix());
    return promised != Kind::Unknown && !sameFamily(promised, kind);
}

ContentInfo describeFile(const QString& path) {
    QFile file;
    QString reason;
    if (!fileops::openRegular(file, path, &reason)) {
        ContentInfo info;
        info.problems << cannotBeRead(reason);
        return info;
    }
    // A file named as a JAD is held to a JAD's limit before it is read.
    if (kindOfSuffix(QFileInfo(path).suffix()) == Kind::Jad && file.size() > kLongestJad) {
        ContentInfo info;
        info.kind = Kind::Jad;
        info.problems << jadTooLong(file.size());
        return info;
    }
    if (file.size() > kLargestFile) {
        ContentInfo info;
        info.problems << countedText(
            file.size(), QT_TRANSLATE_N_NOOP("Report", "the file is too large to read (%n byte)"),
            QT_TRANSLATE_N_NOOP("Report", "the file is too large to read (%n bytes)"));
        return info;
    }
    // One byte more than the size says shows a file that grew past the bound.
    const QByteArray bytes = file.read(std::min(file.size(), kLargestFile) + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kLargestFile) {
        ContentInfo info;
        info.problems << cannotBeRead(file.errorString());
        return info;
    }
    ContentInfo info = describe(bytes);
    if (suffixLies(path, info.kind)) {
        const QString suffix = QFileInfo(path).suffix();
        const Kind promised = kindOfSuffix(suffix);
        if (promised == Kind::Jar && info.kind == Kind::Unknown) {
            info.problems.prepend(
                QCoreApplication::translate("Report", "the JAR is not a ZIP archive"));
        } else {
            info.problems.prepend(
                info.kind == Kind::Unknown
                    ? QCoreApplication::translate("Report", "named .%1 but holds no %2 data")
                          .arg(suffix, kindLabel(promised))
                    : QCoreApplication::translate("Report", "named .%1 but holds %2 data")
                          .arg(suffix, kindLabel(info.kind)));
        }
    }
    if (info.kind == Kind::Smaf && info.extent >= 0 && info.extent != bytes.size()) {
        info.problems << countedText(
                             info.extent,
                             QT_TRANSLATE_N_NOOP("Report",
                                                 "the SMAF data says %n byte, the file holds %1"),
                             QT_TRANSLATE_N_NOOP("Report",
                                                 "the SMAF data says %n bytes, the file holds %1"))
                             .arg(bytes.size());
    }
    if (info.kind == Kind::Midi && info.extent >= 0) {
        if (const qsizetype trailing = midiTrailingBytes(bytes, info.extent); trailing > 0) {
            info.problems << countedText(
                trailing,
                QT_TRANSLATE_N_NOOP("Report", "%n byte follows the MIDI file's last chunk"),
                QT_TRANSLATE_N_NOOP("Report", "%n bytes follow the MIDI file's last chunk"));
        }
    }
    return info;
}

QString summary(const ContentInfo& info) {
    QString text;
    if (info.kind == Kind::Jad || info.kind == Kind::Jar) {
        text = info.midletName.isEmpty() ? kindLabel(info.kind) : info.midletName;
        if (!info.midletVersion.isEmpty()) {
            text += QLatin1Char(' ') + info.midletVersion;
        }
        if (!info.midletVendor.isEmpty()) {
            text += QStringLiteral(" (%1)").arg(info.midletVendor);
        }
        if (!info.profile.isEmpty()) {
            text += QStringLiteral(", ") + info.profile;
        }
    } else {
        text = kindLabel(info.kind);
        if (info.durationMs >= 0) {
            text += QStringLiteral(", ") + minutesAndSeconds(info.durationMs);
        }
        if (!info.title.isEmpty()) {
            text += QStringLiteral(", «%1»").arg(info.title);
        }
    }
    if (!info.problems.isEmpty()) {
        // The last is the most particular: "does not play MP3" after "named .mid".
        text += QStringLiteral(" — ") + info.problems.last();
    }
    return text;
}

} // namespace content
