#include "check/ReportLanguage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace reportlanguage {

bool use(const QLocale& locale) {
    static QPointer<QTranslator> russian;
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
    return russian != nullptr;
}

} // namespace reportlanguage
