// SPDX-License-Identifier: MIT
#include "editor/PrimarySelection.h"

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

class SelectedLines final : public QMimeData {
public:
    SelectedLines(EditedLines lines, EditedLines::Position from, EditedLines::Position to)
        : lines_(std::move(lines)), from_(from), to_(to) {}

    QStringList formats() const override { return {QStringLiteral("text/plain")}; }
    bool hasFormat(const QString& type) const override {
        return type == QLatin1String("text/plain");
    }

protected:
    QVariant retrieveData(const QString& type, QMetaType) const override {
        if (type != QLatin1String("text/plain")) {
            return {};
        }
        return lines_.text(from_, to_);
    }

private:
    EditedLines lines_; // a copy: later edits do not change what was selected
    EditedLines::Position from_;
    EditedLines::Position to_;
};

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

void setLines(EditedLines lines, EditedLines::Position from, EditedLines::Position to) {
    if (available()) {
        set(new SelectedLines(std::move(lines), from, to));
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
