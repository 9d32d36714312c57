#include "ui/preview/WebEngineModule.h"

#include "platform/Process.h"
#include "ui/TextBridge.h"
#include "util/AppError.h"

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QPluginLoader>

QT_BEGIN_NAMESPACE
// Qt's setter of the application-wide context; Qt WebEngine declares it the same way.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
QT_END_NAMESPACE

namespace {

// The web engine draws through one OpenGL context that the whole application shares. Qt makes
// it at start-up only when asked to, which would slow every start; made here, before the engine
// is loaded, it slows only the first preview.
void ShareGraphicsContext() {
    if (QOpenGLContext::globalShareContext())
        return;
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    // Without OpenGL the context stays invalid and the engine draws in software.
    context->create();
    qt_gl_set_global_share_context(context);
}

} // namespace

bool WebEngineRefusesToStart() {
    return platform::RunsAsAdministrator() &&
           qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX") &&
           !qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains("--no-sandbox");
}

WebEngineModule& LoadWebEngineModule(const QString& moduleFile) {
    static QPluginLoader loader;
    if (!loader.isLoaded()) {
        if (WebEngineRefusesToStart())
            throw AppError("The preview cannot be shown while Affiliate Vantor runs as the "
                           "administrator (root).\nFor safety, the part that shows web pages does "
                           "not start for the administrator.\nPlease start Affiliate Vantor as "
                           "your usual user to see the preview. Your project is not affected.");
        ShareGraphicsContext();
        loader.setFileName(moduleFile);
    }
    auto* module = qobject_cast<WebEngineModule*>(loader.instance());
    if (!module)
        throw AppError("The preview cannot be shown. " + ToModel(loader.errorString()));
    return *module;
}

void ShowPagePreview(const QString& moduleFile, QWidget* owner, const QString& html,
                     const std::filesystem::path& baseFolder) {
    WebEngineModule& module = LoadWebEngineModule(moduleFile);
    const QString folder = FromPath(baseFolder / "");
    module.ShowPage(owner, html, QUrl::fromLocalFile(folder));
}
