#include "ui/webengine/PagePreview.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

// setHtml hands the page over as a data: address, percent-encoded (at most three bytes for
// one), and the engine refuses addresses longer than 2 MiB.
bool FitsInOneAddress(const QString& html) {
    constexpr qsizetype Limit = (2 * 1024 * 1024 - 64) / 3;
    // UTF-8 never takes fewer bytes than UTF-16 takes units, so most large pages are told apart
    // without converting them.
    return html.size() <= Limit && html.toUtf8().size() <= Limit;
}

} // namespace

PagePreview::PagePreview(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("frmPagePreview");
    setWindowTitle("Preview");
    view_ = new QWebEngineView(this);
    view_->setObjectName("webPagePreview");
    view_->setAccessibleName("Page preview");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    resize(960, 720);
    connect(view_, &QWebEngineView::loadFinished, this, &PagePreview::WritePendingPage);
    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void PagePreview::ShowPage(const QString& html, const QUrl& baseUrl) {
    if (FitsInOneAddress(html)) {
        pendingPage_.clear();
        view_->setHtml(html, baseUrl);
    } else {
        // An empty document carries the base address; the page is then written into it, which
        // keeps that address for everything the page refers to.
        pendingPage_ = html;
        view_->setHtml(QString(), baseUrl);
    }
    show();
    raise();
    activateWindow();
}

void PagePreview::WritePendingPage(bool loaded) {
    if (!loaded || pendingPage_.isEmpty())
        return;
    // A JSON string is a valid script string literal, whatever the page holds.
    const QString page =
        QString::fromUtf8(QJsonDocument(QJsonArray{pendingPage_}).toJson(QJsonDocument::Compact));
    pendingPage_.clear();
    view_->page()->runJavaScript("document.open(); document.write(" + page +
                                 "[0]); document.close();");
}
