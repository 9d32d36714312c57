#include "ui/WebView.h"

#include "platform/Process.h"
#include "util/FileHelpers.h"

#include <QLibrary>

TWebView* LoadWebView(const std::filesystem::path& folder, QWidget* parent) {
    QLibrary module(QString::fromLocal8Bit(PathText(folder / "affiliate-vantor-webview").c_str()));
    auto create = reinterpret_cast<TCreateWebView>(module.resolve("CreateWebView"));
    if (!create) {
        qWarning("The banner preview is not available: %s", qPrintable(module.errorString()));
        return nullptr;
    }
    return create(parent);
}

bool WebEngineRefusesToStart() {
    return RunsAsAdministrator() && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX") &&
           !qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains("--no-sandbox");
}
