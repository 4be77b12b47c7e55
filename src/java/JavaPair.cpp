// SPDX-License-Identifier: MIT
#include "java/JavaPair.h"

#include "base/TarvexError.h"
#include "content/ContentFile.h"
#include "dataset/NumericText.h"
#include "platform/FileOps.h"
#include "srec/TableEntry.h"

#include <QCoreApplication>
#include <QFile>

namespace javapair {

namespace {

// The size its standard table entry gives a Java slot.
std::optional<qint64> standardSize(const SlotTable& java, qsizetype slot) {
    const std::optional<tableentry::Bytes> entry =
        tableentry::fromText(java.data().line(java.info().standardEntryList, slot));
    if (!entry) {
        return std::nullopt;
    }
    return tableentry::decode(java.info(), entry->data()).size;
}

std::optional<qint64> recordedSize(const SlotTable& java, qsizetype slot) {
    std::int32_t size = 0;
    return numeric::tryToInt(java.size(slot), size) ? std::optional<qint64>(size) : std::nullopt;
}

void compare(const QString& attribute, const QString& jadValue, const QString& jarValue,
             qsizetype jad, qsizetype jar, QStringList& warnings) {
    if (!jadValue.isEmpty() && !jarValue.isEmpty() && jadValue != jarValue) {
        warnings << QCoreApplication::translate(
                        "Report",
                        "%1 differs: \"%2\" in the JAD of slot %3, \"%4\" in the JAR of slot %5")
                        .arg(attribute, jadValue)
                        .arg(jad)
                        .arg(jarValue)
                        .arg(jar);
    }
}

} // namespace

QString SizeCorrection::text() const {
    return QStringLiteral("MIDlet-Jar-Size: %1 → %2").arg(from).arg(to);
}

Review review(const SlotTable& java, qsizetype slot) {
    Review result;
    const qsizetype jad = slot - slot % 2;
    const qsizetype jar = jad + 1;
    if (jar >= java.slotCount() || (java.isStandard(jad) && java.isStandard(jar))) {
        return result;
    }
    const QString jarPath = java.data().workFile(java.info(), java.fileName(jar));
    if (java.isStandard(jad)) {
        result.warnings << QCoreApplication::translate(
                               "Report",
                               "the JAR of slot %1 is new but the JAD of slot %2 is standard: the "
                               "game needs a JAD of its own (the standard JAD still gives the old "
                               "JAR's MIDlet-Jar-Size)")
                               .arg(jar)
                               .arg(jad);
        return result;
    }
    if (!fileops::isSafeBareName(java.fileName(jad))) {
        return result;
    }
    const content::ContentInfo jadInfo =
        content::describeFile(java.data().workFile(java.info(), java.fileName(jad)));
    if (jadInfo.kind != content::Kind::Jad) {
        return result; // the slot's own problem, named where the slot is described
    }
    std::optional<qint64> jarSize;
    if (java.isStandard(jar)) {
        jarSize = standardSize(java, jar);
    } else {
        jarSize = recordedSize(java, jar);
        if (fileops::isSafeBareName(java.fileName(jar))) {
            const content::ContentInfo jarInfo = content::describeFile(jarPath);
            compare(QStringLiteral("MIDlet-Name"), jadInfo.midletName, jarInfo.midletName, jad, jar,
                    result.warnings);
            compare(QStringLiteral("MIDlet-Vendor"), jadInfo.midletVendor, jarInfo.midletVendor,
                    jad, jar, result.warnings);
            compare(QStringLiteral("MIDlet-Version"), jadInfo.midletVersion, jarInfo.midletVersion,
                    jad, jar, result.warnings);
        }
    }
    if (jarSize && jadInfo.declaredJarSize >= 0 && jadInfo.declaredJarSize != *jarSize) {
        result.correction = SizeCorrection{jad, jadInfo.declaredJarSize, *jarSize};
    }
    return result;
}

QByteArray withJarSize(const QByteArray& jad, qint64 size) {
    // The line the attribute reader takes: the first whose name, before its
    // colon and without surrounding blanks, is the attribute's.
    qsizetype at = 0;
    while (at < jad.size()) {
        qsizetype end = at;
        while (end < jad.size() && jad[end] != '\r' && jad[end] != '\n') {
            ++end;
        }
        const QByteArrayView line = QByteArrayView(jad).sliced(at, end - at);
        const qsizetype colon = line.indexOf(':');
        if (!line.startsWith(' ') && colon > 0 &&
            line.first(colon).trimmed() == QByteArrayView("MIDlet-Jar-Size")) {
            return jad.first(at + colon + 1) + ' ' + QByteArray::number(size) + jad.sliced(end);
        }
        at = end + 1;
    }
    return jad;
}

void correct(SlotTable& java, const SizeCorrection& correction) {
    const QString name = java.fileName(correction.jadSlot);
    QFile file;
    QString reason;
    if (!fileops::openRegular(file, java.data().workFile(java.info(), name), &reason)) {
        throw errors::cannotOpenFile(java.data().workFile(java.info(), name), reason);
    }
    const QByteArray jad = file.read(content::kLargestFile);
    const QByteArray fixed = withJarSize(jad, correction.to);
    java.rewriteWorkingCopy(name, fixed);
    java.recordChoice(correction.jadSlot, name, fixed.size());
}

} // namespace javapair
