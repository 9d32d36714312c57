#include "ui/preview/TextPagePreview.h"

#include "ui/TextBridge.h"

#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

class TextPagePreview : public QWidget {
    Q_OBJECT

  public:
    explicit TextPagePreview(QWidget* owner) : QWidget(owner, Qt::Window) {
        setObjectName("frmPagePreview");
        setWindowTitle("Preview");
        view_ = new QTextBrowser(this);
        view_->setObjectName("webPagePreview");
        view_->setAccessibleName("Page preview");
        // A link opens in the browser, as it would from the saved page.
        view_->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
        resize(960, 720);
        auto* close = new QShortcut(QKeySequence::Cancel, this);
        connect(close, &QShortcut::activated, this, &QWidget::close);
    }

    void ShowPage(const QString& html, const QUrl& baseUrl) {
        view_->document()->setBaseUrl(baseUrl);
        view_->setHtml(html);
        show();
        raise();
        activateWindow();
    }

  private:
    QTextBrowser* view_;
};

} // namespace

void ShowTextPagePreview(QWidget* owner, const QString& html,
                         const std::filesystem::path& baseFolder) {
    auto* preview = owner->findChild<TextPagePreview*>(QString(), Qt::FindDirectChildrenOnly);
    if (!preview)
        preview = new TextPagePreview(owner);
    preview->ShowPage(html, QUrl::fromLocalFile(FromPath(baseFolder / "")));
}

#include "TextPagePreview.moc"
