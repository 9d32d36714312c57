#include "ui/webengine/PagePreview.h"

#include "ui/webengine/PreviewScheme.h"

#include <QShortcut>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

PagePreview::PagePreview(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("frmPagePreview");
    setWindowTitle("Preview");
    view_ = new QWebEngineView(this);
    view_->setObjectName("webPagePreview");
    view_->setAccessibleName("Page preview");
    // The page's scripts (pop-up codes from a project someone sent) must reach none of the
    // user's files: the page is served from an address of its own, with its pictures beside it,
    // by a profile of its own that keeps nothing on disk.
    auto* profile = new QWebEngineProfile(this);
    pages_ = new PreviewSchemeHandler(profile);
    profile->installUrlSchemeHandler(PreviewPageUrl().scheme().toUtf8(), pages_);
    view_->setPage(new QWebEnginePage(profile, view_));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    resize(960, 720);
    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void PagePreview::ShowPage(const QString& html, const QUrl& baseUrl) {
    pages_->SetPage(html, baseUrl.toLocalFile());
    view_->load(PreviewPageUrl());
    show();
    raise();
    activateWindow();
}
