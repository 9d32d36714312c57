#include "ui/Skin.h"

#include "platform/FontCatalog.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QStyleFactory>

namespace {

// The face the wizard's layout is measured for: the first of these that the system has. The
// toolkit would search all fonts for a missing one before it tried the next, and for a list it
// gathers fallbacks before the first text; a single face gets them only for a glyph it lacks.
QStringList InterfaceFaces() {
    const std::vector<std::string> wanted{"Segoe UI", "Liberation Sans", "Arial", "DejaVu Sans"};
    if (const auto face = platform::FirstInstalledFace(wanted))
        return {QString::fromStdString(*face)};
    QStringList faces;
    for (const std::string& face : wanted)
        faces << QString::fromStdString(face);
    return faces;
}

} // namespace

void ApplyBuiltInSkin(QApplication& application) {
    // The skin is compiled into a static library, whose resources must be registered by hand.
    Q_INIT_RESOURCE(skin);
    application.setStyle(QStyleFactory::create("Fusion"));
    QFile sheet(":/skin/vantor.qss");
    if (sheet.open(QIODevice::ReadOnly))
        application.setStyleSheet(QString::fromUtf8(sheet.readAll()));
    // The wizard's layout is measured for a compact sans-serif face. Set after the style sheet:
    // a new style brings back the system's own fonts for some kinds of control (on Windows the
    // lists' face), and only the application's font replaces them all.
    QFont font = application.font();
    font.setFamilies(InterfaceFaces());
    font.setPixelSize(12);
    application.setFont(font);

    Q_INIT_RESOURCE(icon);
    QIcon icon;
    // Decoded as PNG by name, so that start-up probes no image plugin; the menu entry has the
    // larger sizes.
    for (int size : {16, 24, 32, 48, 64}) {
        QImageReader reader(QStringLiteral(":/icon/affiliate-vantor-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    application.setWindowIcon(icon);
}
