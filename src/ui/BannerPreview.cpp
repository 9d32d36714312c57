#include "ui/BannerPreview.h"

#include <QPixmap>
#include <QUrl>

TBannerPreview::TBannerPreview(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
}

void TBannerPreview::Navigate(const QString& url) {
    location_ = url;
    // The browse button writes "file://" followed by the path as it stands.
    QString file = url.startsWith(QStringLiteral("file://")) ? url.mid(7) : QString();
    QPixmap picture;
    if (!file.isEmpty() && picture.load(file)) {
        if (picture.width() > width() || picture.height() > height())
            picture = picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        setPixmap(picture);
        setToolTip(url);
    } else {
        setText(url);
        setToolTip(QString());
    }
}
