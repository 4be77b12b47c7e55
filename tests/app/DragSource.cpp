// SPDX-License-Identifier: MIT
// A window that drags one file as a file manager does: copy and move offered,
// move proposed. tools/screenshots.sh drives it with xdotool to drop a file
// on the window; it prints the action the target took.
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <cstdio>

namespace {

class DragSource : public QLabel {
public:
    explicit DragSource(const QString& path) : QLabel(path), path_(path) {
        setWindowTitle(QStringLiteral("drag-source"));
        setMinimumSize(160, 60);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(path_)});
        drag->setMimeData(data);
        const Qt::DropAction taken = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
        std::printf("%s\n", taken == Qt::CopyAction   ? "copy"
                            : taken == Qt::MoveAction ? "move"
                                                      : "ignored");
        std::fflush(stdout);
    }

private:
    QString path_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: drag-source FILE\n", stderr);
        return 2;
    }
    DragSource source(QString::fromLocal8Bit(argv[1]));
    source.move(900, 600);
    source.show();
    return app.exec();
}
