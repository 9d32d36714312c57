#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

// The address a previewed page is served from. The page gets an origin of its own, unlike a
// page shown from a file: address, whose scripts could read the user's files.
QUrl PreviewPageUrl();

// Makes the preview's scheme known to the engine; before the engine's first view only.
void RegisterPreviewScheme();

// Serves the page at PreviewPageUrl() and, beside it, the pictures of the output folder, as the
// saved page will find them; nothing else.
class PreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT

  public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void SetPage(const QString& html, const QString& outputFolder);
    void requestStarted(QWebEngineUrlRequestJob* job) override;

  private:
    QByteArray page_;
    QString outputFolder_;
};
