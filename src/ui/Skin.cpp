#include "ui/Skin.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QIcon>
#include <QStyleFactory>

void ApplyBuiltInSkin(QApplication& application) {
    // The skin is compiled into a static library, whose resources must be registered by hand.
    Q_INIT_RESOURCE(skin);
    application.setStyle(QStyleFactory::create("Fusion"));
    // The wizard's layout is measured for a compact sans-serif face.
    QFont font = application.font();
    font.setFamilies({"Segoe UI", "Liberation Sans", "Arial", "DejaVu Sans"});
    font.setPixelSize(12);
    application.setFont(font);
    QFile sheet(":/skin/vantor.qss");
    if (sheet.open(QIODevice::ReadOnly))
        application.setStyleSheet(QString::fromUtf8(sheet.readAll()));

    Q_INIT_RESOURCE(icon);
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icon/affiliate-vantor-%1.png").arg(size), QSize(size, size));
    application.setWindowIcon(icon);
}
