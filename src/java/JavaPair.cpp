// SPDX-License-Identifier: MIT
#include "java/JavaPair.h"

#include "base/OurLanguage.h"
#include "base/TarvexError.h"
#include "content/ContentFile.h"
#include "content/ContentText.h"
#include "dataset/ManagerInfo.h"
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

// The attribute as the JAD and the manifest give it, when both do and differ.
void compare(const QString& attribute, const QString& jadValue, const QString& jarValue,
             qsizetype jad, qsizetype jar, QStringList& disagreements) {
    if (!jadValue.isEmpty() && !jarValue.isEmpty() && jadValue != jarValue) {
        disagreements
            << QCoreApplication::translate(
                   "Report",
                   "%1 differs: \"%2\" in the JAD of slot %3, \"%4\" in the JAR of slot %5")
                   .arg(attribute, jadValue)
                   .arg(jad)
                   .arg(jarValue)
                   .arg(jar);
    }
}

// A new JAR beside the standard JAD, which still gives the standard JAR's size.
void reviewStandardJad(const SlotTable& java, qsizetype jad, qsizetype jar, Review& result) {
    const QString text =
        QCoreApplication::translate(
            "Report", "the JAR of slot %1 is new but the JAD of slot %2 is standard: the "
                      "game needs a JAD of its own (the standard JAD still gives the old "
                      "JAR's MIDlet-Jar-Size)")
            .arg(jar)
            .arg(jad);
    const std::optional<qint64> standard = standardSize(java, jar);
    const std::optional<qint64> recorded = recordedSize(java, jar);
    if (standard && recorded && *standard != *recorded) {
        result.disagreements << text;
    } else {
        result.warnings << text;
    }
}

// Reads the JAD's working copy whole; empty with `reason` when it cannot.
QByteArray readWorkingCopy(const QString& path, QString& reason) {
    QFile file;
    if (!fileops::openRegular(file, path, &reason)) {
        return {};
    }
    if (file.size() > content::kLargestFile) {
        reason = QCoreApplication::translate("Report", "the file is larger than %1 bytes")
                     .arg(content::kLargestFile);
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) {
        reason = file.errorString();
        return {};
    }
    return bytes;
}

// Rewrites the JAD's working copy with the corrected size and records its
// new size; returns why it could not, empty when the copy now reads `to`.
// A copy that does not read back so gets its old bytes again.
QString correct(SlotTable& java, const SizeCorrection& correction) {
    const QString name = java.fileName(correction.jadSlot);
    QString reason;
    const QByteArray jad = readWorkingCopy(java.data().workFile(java.info(), name), reason);
    if (!reason.isEmpty()) {
        return reason;
    }
    const std::optional<QByteArray> fixed = withJarSize(jad, correction.to);
    if (!fixed || content::describe(*fixed).declaredJarSize != correction.to) {
        return QCoreApplication::translate("Report", "its MIDlet-Jar-Size line cannot be edited");
    }
    const QString placed = java.rewriteWorkingCopy(name, *fixed);
    if (content::describeFile(placed).declaredJarSize != correction.to) {
        java.rewriteWorkingCopy(name, jad);
        return QCoreApplication::translate("Report", "the copy does not read back as written");
    }
    java.recordChoice(correction.jadSlot, name, fixed->size());
    return {};
}

} // namespace

QString SizeCorrection::text() const {
    return QStringLiteral("MIDlet-Jar-Size: %1 → %2").arg(from).arg(to);
}

QString SizeCorrection::problem() const {
    return QCoreApplication::translate(
               "Report", "MIDlet-Jar-Size %1 in the JAD of slot %2, but the JAR of slot %3 has %4 "
                         "bytes")
        .arg(from)
        .arg(jadSlot)
        .arg(jadSlot + 1)
        .arg(to);
}

Review review(const SlotTable& java, qsizetype slot) {
    Review result;
    const qsizetype jad = managers::jadSlotOf(slot);
    const qsizetype jar = jad + 1;
    if (jar >= java.slotCount() || (java.isStandard(jad) && java.isStandard(jar))) {
        return result;
    }
    if (java.isStandard(jad)) {
        reviewStandardJad(java, jad, jar, result);
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
        result.warnings << QCoreApplication::translate(
                               "Report",
                               "the JAD of slot %1 is new but the JAR of slot %2 is standard: the "
                               "JAD must describe the standard game")
                               .arg(jad)
                               .arg(jar);
    } else {
        jarSize = recordedSize(java, jar);
        if (fileops::isSafeBareName(java.fileName(jar))) {
            const content::ContentInfo jarInfo =
                content::describeFile(java.data().workFile(java.info(), java.fileName(jar)));
            compare(QStringLiteral("MIDlet-Name"), jadInfo.midletName, jarInfo.midletName, jad, jar,
                    result.disagreements);
            compare(QStringLiteral("MIDlet-Vendor"), jadInfo.midletVendor, jarInfo.midletVendor,
                    jad, jar, result.disagreements);
            compare(QStringLiteral("MIDlet-Version"), jadInfo.midletVersion, jarInfo.midletVersion,
                    jad, jar, result.disagreements);
        }
    }
    if (jarSize && jadInfo.declaredJarSize >= 0 && jadInfo.declaredJarSize != *jarSize) {
        result.correction = SizeCorrection{jad, jadInfo.declaredJarSize, *jarSize};
    }
    return result;
}

Settled settle(SlotTable& java, qsizetype slot, const Consent& consent) {
    const Review pair = review(java, slot);
    Settled result;
    if (pair.correction) {
        const SizeCorrection& correction = *pair.correction;
        if (!consent(correction)) {
            result.problems << correction.problem();
        } else if (const QString reason = correct(java, correction); !reason.isEmpty()) {
            result.problems << correction.problem()
                            << ourlanguage::withSystemText(
                                   QCoreApplication::translate(
                                       "Report", "the working copy of the JAD of slot %1 could not "
                                                 "be corrected")
                                       .arg(correction.jadSlot),
                                   reason);
        } else {
            result.corrected = correction;
        }
    }
    result.problems << pair.disagreements << pair.warnings;
    return result;
}

QStringList problems(const SlotTable& java, qsizetype slot) {
    try {
        if (java.isStandard(slot)) {
            return {};
        }
        const Review pair = review(java, slot);
        QStringList all;
        if (pair.correction) {
            all << pair.correction->problem();
        }
        return all << pair.disagreements << pair.warnings;
    } catch (const TarvexError&) {
        return {}; // a short list, reported with the lists
    }
}

std::optional<QByteArray> withJarSize(const QByteArray& jad, qint64 size) {
    const std::optional<content::AttributeValue> value =
        content::findAttribute(jad, QStringLiteral("MIDlet-Jar-Size"));
    if (!value) {
        return std::nullopt;
    }
    return jad.first(value->from) + ' ' + QByteArray::number(size) + jad.sliced(value->to);
}

} // namespace javapair
