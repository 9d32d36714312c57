#include "ui/PictureView.h"

#include "ui/PictureLabel.h"
#include "ui/TextBridge.h"

#include <QImageReader>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

TPictureView::TPictureView(std::function<void(const std::string& address)> openInBrowser,
                           QWidget* parent)
    : TWebView(parent), openInBrowser_(std::move(openInBrowser)) {
    pages_ = new QStackedLayout(this);
    picture_ = new QLabel(this);
    picture_->setObjectName("imgBannerPicture");
    picture_->setAlignment(Qt::AlignCenter);
    pages_->addWidget(picture_);

    notePage_ = new QWidget(this);
    note_ = new QLabel(notePage_);
    note_->setObjectName("lblBannerNote");
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignCenter);
    note_->setTextFormat(Qt::PlainText);
    auto* open = new QPushButton("Open in Browser", notePage_);
    open->setObjectName("btnOpenBanner");
    connect(open, &QPushButton::clicked, this,
            [this] { openInBrowser_(ToModel(shown_.toString())); });
    auto* column = new QVBoxLayout(notePage_);
    column->addStretch();
    column->addWidget(note_);
    column->addWidget(open, 0, Qt::AlignCenter);
    column->addStretch();
    pages_->addWidget(notePage_);
}

void TPictureView::Navigate(const QUrl& url) {
    shown_ = url;
    if (ShowLocalPicture(url)) {
        pages_->setCurrentWidget(picture_);
        return;
    }
    picture_->clear();
    note_->setText("This banner cannot be shown here:\n" + url.toString());
    pages_->setCurrentWidget(notePage_);
}

bool TPictureView::ShowLocalPicture(const QUrl& url) {
    if (!url.isLocalFile())
        return false;
    const QString file = url.toLocalFile();
    if (auto* old = picture_->movie()) {
        picture_->setMovie(nullptr);
        old->deleteLater();
    }
    QImageReader reader(file);
    if (reader.supportsAnimation() && reader.imageCount() != 1)
        return !PlayAnimation(picture_, file).isEmpty();
    return !ShowPicture(picture_, file).isEmpty();
}
