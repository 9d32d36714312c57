#pragma once

#include "util/files/FileHelpers.h"

#include <QPlainTextEdit>
#include <QString>
#include <QTextDocument>
#include <filesystem>
#include <string>

// Texts cross between the window and the model here, and nowhere else.
inline std::string ToModel(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

inline QString FromModel(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}

// A path from a name the window was given (a dialog, a drop, the command line), every character
// kept: on Windows a name may hold characters that the code page of the model's texts lacks.
inline std::filesystem::path ToPath(const QString& text) {
    return std::filesystem::path(text.toStdU16String());
}

// A path as the window shows it; a Linux name that is no UTF-8 shows as the core writes it.
inline QString FromPath(const std::filesystem::path& path) {
    try {
        return QString::fromStdU16String(path.u16string());
    } catch (const std::exception&) {
        return FromModel(PathText(path));
    }
}

// A text the core keeps in UTF-8 whatever the user's locale, such as a skin's style sheet.
inline QString FromUtf8Text(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A memo's whole text with its lines joined by CR LF, every other character as typed.
inline std::string MemoText(const QPlainTextEdit* memo) {
    // The plain text would turn non-breaking spaces into plain ones; the raw text keeps them and
    // marks line breaks, between paragraphs and from Shift+Enter, with separator characters.
    const QString crlf = QStringLiteral("\r\n");
    return ToModel(memo->document()
                       ->toRawText()
                       .replace(QChar::ParagraphSeparator, crlf)
                       .replace(QChar::LineSeparator, crlf));
}

// Shows a text whose lines end in CR LF.
inline void SetMemoText(QPlainTextEdit* memo, const std::string& text) {
    memo->setPlainText(FromModel(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}
