#pragma once

#include <QLabel>
#include <QString>

// Shows the banner at an address: a picture file is drawn, any other address is named.
class TBannerPreview : public QLabel {
  public:
    explicit TBannerPreview(QWidget* parent = nullptr);

    void Navigate(const QString& url);
    const QString& LocationURL() const { return location_; }

  private:
    QString location_;
};
