#include "ui/preview/WebEngineModule.h"
#include "ui/webengine/PagePreview.h"
#include "ui/webengine/WebEngineView.h"

#include <QObject>

// The module's entry: banner views, and one page preview window per owner, made when first
// needed.
class TWebEnginePlugin : public QObject, public TWebEngineModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TWebEngineModule_iid)
    Q_INTERFACES(TWebEngineModule)

  public:
    TWebView* CreateWebView(QWidget* parent) override { return new TWebEngineView(parent); }

    void ShowPage(QWidget* owner, const QString& html, const QUrl& baseUrl) override {
        auto* preview = owner->findChild<TPagePreview*>(QString(), Qt::FindDirectChildrenOnly);
        if (!preview)
            preview = new TPagePreview(owner);
        preview->ShowPage(html, baseUrl);
    }
};

#include "WebEnginePlugin.moc"
