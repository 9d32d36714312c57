// Renders the program's icon at the sizes of the hicolor theme:
// vantor-render-icon affiliate-vantor.svg FOLDER  (writes FOLDER/affiliate-vantor-<size>.png)

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: vantor-render-icon ICON.svg FOLDER\n");
        return 2;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImageReader reader(QString::fromLocal8Bit(argv[1]));
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        const QString file = QStringLiteral("%1/affiliate-vantor-%2.png").arg(argv[2]).arg(size);
        if (image.isNull() || !image.save(file)) {
            std::fprintf(stderr, "cannot render %s: %s\n", qPrintable(file),
                         qPrintable(reader.errorString()));
            return 1;
        }
    }
    return 0;
}
