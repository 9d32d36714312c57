#include "ui/preview/PictureView.h"

#include "ui/PictureLabel.h"
#include "ui/TextBridge.h"
#include "util/AppError.h"

#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedLayout>
#include <QTemporaryFile>
#include <QVBoxLayout>
#include <utility>

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
    wanted_ = url;
    // A download for an older address stops, and its end shows the newest one.
    if (fetch_.Busy()) {
        fetch_.Cancel();
        return;
    }
    Show(url);
}

void PictureView::showEvent(QShowEvent* event) {
    WebView::showEvent(event);
    if (interrupted_ && !fetch_.Busy()) {
        interrupted_ = false;
        Show(wanted_);
    }
}

void PictureView::hideEvent(QHideEvent* event) {
    WebView::hideEvent(event);
    // Nobody sees it: the network is not kept waiting for it.
    if (fetch_.Busy()) {
        interrupted_ = true;
        fetch_.Cancel();
    }
}

void PictureView::Show(const QUrl& url) {
    if (url.isLocalFile())
        ShowOutcome(url, ShowPicture(url.toLocalFile()));
    else if (url.scheme() == "http" || url.scheme() == "https")
        FetchPicture(url);
    else
        ShowOutcome(url, false);
}

void PictureView::ShowOutcome(const QUrl& url, bool shown) {
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

void PictureView::FetchPicture(const QUrl& url) {
    ShowNote("Loading " + url.toString() + " ...");
    auto body = std::make_shared<std::string>();
    auto fetched = std::make_shared<bool>(false);
    const std::string address = ToModel(url.toString(QUrl::FullyEncoded));
    fetch_.Start(
        [this, body, fetched, address](const MessagePump& goOn) {
            try {
                client_.Get(
                    address, [&body = *body](std::string_view piece) { body.append(piece); }, goOn);
                *fetched = true;
            } catch (const AppError&) {
            }
        },
        [this, url, body, fetched] {
            if (!isVisible()) {
                interrupted_ = true;
                return;
            }
            if (url != wanted_ || std::exchange(interrupted_, false))
                Show(wanted_);
            else
                ShowOutcome(url, *fetched && ShowFetchedPicture(*body));
        });
}

bool PictureView::ShowFetchedPicture(const std::string& body) {
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
