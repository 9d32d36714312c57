#include "ui/PictureLabel.h"

#include <QImageReader>
#include <QLabel>
#include <QMovie>

QSize ShowPicture(QLabel* label, const QString& file, const QByteArray& decoder) {
    QImageReader reader(file, decoder);
    reader.setAutoDetectImageFormat(decoder.isEmpty());
    const QImage image = reader.read();
    if (!image.isNull())
        label->setPixmap(QPixmap::fromImage(image));
    return image.size();
}

QSize PlayAnimation(QLabel* label, const QString& file, const QByteArray& decoder) {
    auto* movie = new QMovie(file, decoder, label);
    if (!movie->isValid() || !movie->jumpToFrame(0)) {
        delete movie;
        return {};
    }
    label->setMovie(movie);
    QObject::connect(movie, &QMovie::finished, movie, &QMovie::start);
    movie->start();
    return movie->currentImage().size();
}
