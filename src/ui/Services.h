#pragma once

#include "branding/BrandingChoice.h"
#include "ui/MessageDialog.h"

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;
class WebView;

// What the window needs from the world outside it; tests replace any of these.
struct WindowServices {
    // Shows every message box of the window.
    std::shared_ptr<MessagePresenter> messages = std::make_shared<DialogPresenter>();
    // Replaces the clipboard's content with a plain text.
    std::function<void(const QString&)> writeClipboard;
    // The picture-file dialog: the chosen file, or nothing when cancelled.
    std::function<std::optional<QString>(QWidget* parent, const QString& startFolder)>
        choosePicture;
    // Opens an address with the desktop's default program.
    std::function<void(const std::string& address)> shellOpen;
    // Opens an address in the desktop's web browser.
    std::function<void(const std::string& address)> openInBrowser;
    // Draws the banner and the footer links of the brand.
    RandomDraw draw;
    // Makes the banner preview's web view; null when there is none.
    std::function<WebView*(QWidget* parent)> createWebView;
    // Shows a page, its text as the model holds it, as a browser would; relative addresses
    // resolve in BaseFolder. Owner is the window it belongs to.
    std::function<void(QWidget* owner, const std::string& pageText,
                       const std::filesystem::path& baseFolder)>
        showPreview;
    // The folder of the program, holding Templates/ (and settings.dat when the user may write it).
    std::filesystem::path programFolder;
    // The project-file dialogs: the file chosen to open or to save to, or nothing when cancelled.
    std::function<std::optional<std::filesystem::path>(QWidget* parent, bool forSaving,
                                                       const std::filesystem::path& startFolder)>
        chooseProjectFile;
    // The program's folder in the user's configuration folder: the recent projects; empty: the
    // window keeps no list.
    std::filesystem::path configFolder;
    // A project file to open once the window is up, as the program's one argument names it.
    std::filesystem::path projectToOpen;
    // The program's folder in the user's state folder: the recovery copy of the project and the
    // crash reports; empty: no recovery copy is kept.
    std::filesystem::path stateFolder;
    // The update folder on the maker's server, ending with "/".
    std::string updateBaseURL;
    // Starts the updater with its arguments and does not wait for it.
    std::function<void(const std::filesystem::path& program,
                       const std::vector<std::string>& arguments)>
        startProgram;
};

// The real services of a running program.
WindowServices DefaultServices();
