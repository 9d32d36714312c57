#pragma once

#include "ui/MessageDialog.h"

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

// What the window needs from the world outside it; tests replace any of these.
struct TfrmMainServices {
    // Shows every message box of the window.
    std::shared_ptr<TMessagePresenter> messages = std::make_shared<TDialogPresenter>();
    // Replaces the clipboard's content with a plain text.
    std::function<void(const QString&)> writeClipboard;
    // The picture-file dialog: the chosen file, or nothing when cancelled.
    std::function<std::optional<QString>(QWidget* parent, const QString& startFolder)>
        choosePicture;
    // Opens an address with the desktop's default program.
    std::function<void(const std::string& address)> shellOpen;
    // Shows a page in a preview window of Owner; relative addresses resolve in BaseFolder.
    std::function<void(QWidget* owner, const QString& html,
                       const std::filesystem::path& baseFolder)>
        showPreview;
    // The folder of the program, holding Templates/ and settings.dat.
    std::filesystem::path programFolder;
};

// The real services of a running program.
TfrmMainServices DefaultServices();
