#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QWebEngineView;

// A window that shows a generated page as a browser will, before it is saved.
class PagePreview : public QWidget {
    Q_OBJECT

  public:
    explicit PagePreview(QWidget* owner);

    // Shows Html, its relative addresses resolved against BaseUrl, and brings the window up.
    void ShowPage(const QString& html, const QUrl& baseUrl);

  private:
    void WritePendingPage(bool loaded);

    QWebEngineView* view_;
    // A page too large to be handed over in one address, waiting for its empty document.
    QString pendingPage_;
};
