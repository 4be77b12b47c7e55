#include "custompatch/PrimarySelection.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>

namespace {

struct OwnSelection {
    bool kept = false;
    std::unique_ptr<QMimeData> data;
};

OwnSelection& own() {
    static OwnSelection selection;
    return selection;
}

bool platformHasOne() {
    return QGuiApplication::clipboard()->supportsSelection();
}

} // namespace

namespace primaryselection {

bool available() {
    return platformHasOne() || own().kept;
}

void set(QMimeData* data) {
    if (platformHasOne()) {
        QGuiApplication::clipboard()->setMimeData(data, QClipboard::Selection);
    } else if (own().kept) {
        own().data.reset(data);
    } else {
        delete data;
    }
}

QString text() {
    if (platformHasOne()) {
        return QGuiApplication::clipboard()->text(QClipboard::Selection);
    }
    return own().kept && own().data ? own().data->text() : QString();
}

void keepOwnForTests(bool keep) {
    own().kept = keep;
    own().data.reset();
}

} // namespace primaryselection
