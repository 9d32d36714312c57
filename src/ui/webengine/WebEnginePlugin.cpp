#include "ui/preview/WebEngineModule.h"
#include "ui/webengine/PagePreview.h"
#include "ui/webengine/PreviewScheme.h"
#include "ui/webengine/WebEngineView.h"

#include <QObject>

// The module's entry: banner views, and one page preview window per owner, made when first
// needed.
class WebEnginePlugin : public QObject, public WebEngineModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TWebEngineModule_iid)
    Q_INTERFACES(WebEngineModule)

  public:
    // Made before the engine's first view, which is the last moment to name a scheme.
    WebEnginePlugin() { RegisterPreviewScheme(); }

    WebView* CreateWebView(QWidget* parent) override { return new WebEngineView(parent); }

    void ShowPage(QWidget* owner, const QString& html, const QUrl& baseUrl) override {
        auto* preview = owner->findChild<PagePreview*>(QString(), Qt::FindDirectChildrenOnly);
        if (!preview)
            preview = new PagePreview(owner);
        preview->ShowPage(html, baseUrl);
    }
};

#include "WebEnginePlugin.moc"
