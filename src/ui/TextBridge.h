#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <string>

// Texts cross between the window and the model here, and nowhere else.
inline std::string ToModel(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

inline QString FromModel(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}

// A memo's whole text with its lines joined by CR LF.
inline std::string MemoText(const QPlainTextEdit* memo) {
    return ToModel(memo->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

// Shows a text whose lines end in CR LF.
inline void SetMemoText(QPlainTextEdit* memo, const std::string& text) {
    memo->setPlainText(FromModel(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}
