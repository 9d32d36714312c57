#include "ui/webengine/PreviewScheme.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace {

const QByteArray SchemeName = "vantor-preview";

// What a page shows as a picture; a script could read these, and only these, beside it.
bool IsPicture(const QMimeType& type) {
    return type.name().startsWith("image/");
}

} // namespace

QUrl PreviewPageUrl() {
    return QUrl(QString::fromLatin1(SchemeName) + "://page/");
}

void RegisterPreviewScheme() {
    QWebEngineUrlScheme scheme(SchemeName);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void PreviewSchemeHandler::SetPage(const QString& html, const QString& outputFolder) {
    page_ = html.toUtf8();
    outputFolder_ = outputFolder;
}

void PreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    const QUrl url = job->requestUrl();
    if (url.host() != PreviewPageUrl().host() || job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString path = url.path(QUrl::FullyDecoded);
    if (path == "/") {
        auto* page = new QBuffer(job);
        page->setData(page_);
        job->reply("text/html;charset=utf-8", page);
        return;
    }
    // A picture of the output folder: no way out of it, by ".." or by a link.
    const QString folder = QDir(outputFolder_).canonicalPath();
    const QFileInfo file(QDir(outputFolder_).filePath(path.mid(1)));
    const QString real = file.canonicalFilePath();
    const QMimeType type = QMimeDatabase().mimeTypeForFile(file, QMimeDatabase::MatchExtension);
    if (folder.isEmpty() || !real.startsWith(folder + "/") || !file.isFile() || !IsPicture(type)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto* picture = new QFile(real, job);
    if (!picture->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    job->reply(type.name().toUtf8(), picture);
}
