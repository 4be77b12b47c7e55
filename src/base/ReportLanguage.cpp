// SPDX-License-Identifier: MIT
#include "base/ReportLanguage.h"

#include "base/OurLanguage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace reportlanguage {

namespace {
QPointer<QTranslator> russianTranslator;
} // namespace

bool use(const QLocale& locale) {
    QPointer<QTranslator>& russian = russianTranslator;
    const bool wanted = locale.language() == QLocale::Russian;
    if (wanted && !russian) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (!translator->load(QStringLiteral(":/i18n/tarvex_ru.qm"))) {
            delete translator;
            return false;
        }
        russian = translator;
        QCoreApplication::installTranslator(russian);
    } else if (!wanted && russian) {
        QCoreApplication::removeTranslator(russian);
        delete russian;
    }
    ourlanguage::setRussian(russian != nullptr);
    return russian != nullptr;
}

QString inOurLanguage(const QString& systemText) {
    return ourlanguage::systemText(systemText);
}

QString cannotBeRead(const QString& reason) {
    const QString shown = inOurLanguage(reason);
    return shown.isEmpty() ? QCoreApplication::translate("Report", "cannot be read")
                           : QCoreApplication::translate("Report", "cannot be read: %1").arg(shown);
}

} // namespace reportlanguage
