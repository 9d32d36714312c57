#include "ui/PagePreview.h"
#include "ui/PagePreviewModule.h"

#include <QObject>

// The module's entry: one preview window per owner, made when it is first needed.
class TPagePreviewPlugin : public QObject, public TPagePreviewModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TPagePreviewModule_iid)
    Q_INTERFACES(TPagePreviewModule)

  public:
    void ShowPage(QWidget* owner, const QString& html, const QUrl& baseUrl) override {
        auto* preview = owner->findChild<TPagePreview*>(QString(), Qt::FindDirectChildrenOnly);
        if (!preview)
            preview = new TPagePreview(owner);
        preview->ShowPage(html, baseUrl);
    }
};

#include "PagePreviewPlugin.moc"
