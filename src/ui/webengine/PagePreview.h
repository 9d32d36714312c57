#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class PreviewSchemeHandler;
class QWebEngineView;

// A window that shows a generated page as a browser will, before it is saved.
class PagePreview : public QWidget {
    Q_OBJECT

  public:
    explicit PagePreview(QWidget* owner);

    // Shows Html, its relative picture addresses resolved in the local folder BaseUrl, and brings
    // the window up.
    void ShowPage(const QString& html, const QUrl& baseUrl);

  private:
    QWebEngineView* view_;
    PreviewSchemeHandler* pages_;
};
