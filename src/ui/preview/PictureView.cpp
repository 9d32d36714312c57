#include "ui/preview/PictureView.h"

#include "ui/PictureLabel.h"
#include "ui/TextBridge.h"
#include "util/AppError.h"

#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedLayout>
#include <QTemporaryFile>
#include <QVBoxLayout>

namespace {

// A banner is a picture of some kilobytes; anything this large is not one.
constexpr size_t MaxPictureBytes = 16 * 1024 * 1024;

} // namespace

PictureView::PictureView(std::function<void(const std::string& address)> openInBrowser,
                         QWidget* parent, platform::TlsTrust trust)
    : WebView(parent), openInBrowser_(std::move(openInBrowser)),
      client_({.mostBodyBytes = MaxPictureBytes}, std::move(trust)) {
    pages_ = new QStackedLayout(this);
    // A banner wider than the preview scrolls, as it would in a browser.
    pictureArea_ = new QScrollArea(this);
    pictureArea_->setFrameShape(QFrame::NoFrame);
    pictureArea_->setAlignment(Qt::AlignCenter);
    pictureArea_->setWidgetResizable(true);
    picture_ = new QLabel(pictureArea_);
    picture_->setObjectName("imgBannerPicture");
    picture_->setAlignment(Qt::AlignCenter);
    pictureArea_->setWidget(picture_);
    pages_->addWidget(pictureArea_);

    notePage_ = new QWidget(this);
    note_ = new QLabel(notePage_);
    note_->setObjectName("lblBannerNote");
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignCenter);
    note_->setTextFormat(Qt::PlainText);
    auto* open = new QPushButton("Open in Browser", notePage_);
    open->setObjectName("btnOpenBanner");
    connect(open, &QPushButton::clicked, this,
            [this] { openInBrowser_(ToModel(wanted_.toString())); });
    auto* column = new QVBoxLayout(notePage_);
    column->addStretch();
    column->addWidget(note_);
    column->addWidget(open, 0, Qt::AlignCenter);
    column->addStretch();
    pages_->addWidget(notePage_);
}

PictureView::~PictureView() {
    // The movie reads the fetched file until it goes.
    delete picture_;
}

void PictureView::Navigate(const QUrl& url) {
    const bool downloading = client_.Busy();
    wanted_ = url;
    // Asked again while a picture downloads (the download runs the window's messages): that
    // download stops, and the loop below shows the newest address.
    if (downloading)
        return;
    QPointer<PictureView> alive(this);
    QUrl shown;
    do {
        shown = wanted_;
        Show(shown);
    } while (alive && shown != wanted_);
}

void PictureView::Show(const QUrl& url) {
    QPointer<PictureView> alive(this);
    const bool shown = url.isLocalFile() ? ShowPicture(url.toLocalFile()) : ShowFetchedPicture(url);
    if (!alive || url != wanted_)
        return;
    if (shown)
        pages_->setCurrentWidget(pictureArea_);
    else
        ShowNote("This banner cannot be shown here:\n" + url.toString());
}

bool PictureView::ShowPicture(const QString& file) {
    if (auto* old = picture_->movie()) {
        picture_->setMovie(nullptr);
        delete old;
    }
    picture_->clear();
    QImageReader reader(file);
    if (reader.supportsAnimation() && reader.imageCount() != 1)
        return !PlayAnimation(picture_, file).isEmpty();
    return !::ShowPicture(picture_, file).isEmpty();
}

bool PictureView::ShowFetchedPicture(const QUrl& url) {
    if (url.scheme() != "http" && url.scheme() != "https")
        return false;
    ShowNote("Loading " + url.toString() + " ...");
    std::string body;
    const auto sink = [&body](std::string_view piece) { body.append(piece); };
    QPointer<PictureView> alive(this);
    const auto pump = [this, alive, url] {
        QApplication::processEvents();
        return alive && wanted_ == url && isVisible();
    };
    try {
        client_.Get(ToModel(url.toString(QUrl::FullyEncoded)), sink, pump);
    } catch (const AppError&) {
        return false;
    }
    auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/vantor-banner-XXXXXX");
    if (!file->open() || file->write(body.data(), qint64(body.size())) != qint64(body.size()) ||
        !file->flush())
        return false;
    const bool shown = ShowPicture(file->fileName());
    fetched_ = std::move(file);
    return shown;
}

void PictureView::ShowNote(const QString& text) {
    note_->setText(text);
    pages_->setCurrentWidget(notePage_);
}
