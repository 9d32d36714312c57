#include "WindowFixture.h"

#include "ui/TextBridge.h"
#include "ui/VantorApplication.h"
#include "ui/preview/WebEngineModule.h"
#include "ui/preview/WebView.h"

#include <QImage>
#include <QWindow>

int RecordingPresenter::MessageDialog(const QString& text, MessageKind kind, MessageButtons buttons,
                                      int /*helpContext*/) {
    boxes.push_back({text, kind, buttons});
    if (modal)
        QCoreApplication::processEvents();
    if (answers.empty())
        return MessageResult::Ok;
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

WindowWorld::WindowWorld() {
    AddTemplate("basic.tem",
                "<h1>%%TITLE%%</h1>\n%%MENU%%\n<a href=\"%%AFFILIATELINK%%"
                "%%AFFILIATECODE%%\">go</a>\n"
                "%%TABLE_LINKTEXT_INIT%%[%%ANCHORTEXT%%]%%TABLE_LINKTEXT_END%%\n"
                "%%TABLE_EMAIL_INIT%%<pre>%%EMAIL%%</pre>%%TABLE_EMAIL_END%%\n"
                "%%TABLE_BANNER_INIT%%<img src=\"%%BANNER%%\">%%TABLE_BANNER_END%%\n"
                "%%PPCADS%%",
                true);
    AddTemplate("fancy.tem", "<p>fancy %%TITLE%%</p>");
}

void WindowWorld::AddTemplate(const std::string& fileName, const std::string& text,
                              bool withPreview) {
    folder.write("Templates/" + fileName, text);
    if (withPreview) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        const auto stem = fileName.substr(0, fileName.rfind('.'));
        picture.save(
            QString::fromStdString((folder.path() / "Templates" / (stem + ".jpg")).string()),
            "JPG");
    }
}

std::unique_ptr<TfrmMain> WindowWorld::OpenWindow() {
    WindowServices services;
    services.messages = messages;
    services.writeClipboard = [this](const QString& text) { clipboard << text; };
    services.choosePicture = [this](QWidget*, const QString& startFolder) {
        pictureStartFolders << startFolder;
        std::optional<QString> answer;
        if (!pictures.empty()) {
            answer = pictures.front();
            pictures.pop_front();
        }
        return answer;
    };
    services.shellOpen = [this](const std::string& address) {
        opened << QString::fromStdString(address);
    };
    services.showPreview = [this](QWidget* owner, const std::string& pageText,
                                  const std::filesystem::path& baseFolder) {
        previews.push_back({owner, FromModel(pageText), baseFolder});
    };
    services.openInBrowser = [this](const std::string& address) {
        browsed << QString::fromStdString(address);
    };
    services.draw = [this](int /*count*/) {
        if (draws.empty())
            return 0;
        const int answer = draws.front();
        draws.pop_front();
        return answer;
    };
    services.createWebView = [](QWidget* parent) {
        return LoadWebEngineModule(VANTOR_WEBENGINE_MODULE_FILE).CreateWebView(parent);
    };
    services.programFolder = folder.path();
    services.updateBaseURL = updateBaseURL;
    services.stateFolder = stateFolder;
    services.configFolder = configFolder;
    services.projectToOpen = projectToOpen;
    services.chooseProjectFile = [this](QWidget*, bool, const fs::path&) {
        std::optional<fs::path> answer;
        if (!projectFiles.empty()) {
            answer = projectFiles.front();
            projectFiles.pop_front();
        }
        return answer;
    };
    services.startProgram = [this](const fs::path& program,
                                   const std::vector<std::string>& arguments) {
        started.emplace_back(program, arguments);
    };
    auto window = std::make_unique<TfrmMain>(std::move(services));
    window->show();
    // Pages 1 to 10 get their controls once the first frame is drawn.
    if (!QTest::qWaitFor([&] { return window->StartedUp(); }))
        qFatal("the window's start-up did not end");
    return window;
}

void Click(QWidget* window, const char* buttonName) {
    QTest::mouseClick(Find<QPushButton>(window, buttonName), Qt::LeftButton);
}

void Type(QWidget* window, const char* editName, const QString& text) {
    auto* edit = Find<QLineEdit>(window, editName);
    edit->clear();
    QTest::keyClicks(edit, text);
}

QString ShownTitle(QWidget* window) {
    return window->windowHandle()->title();
}

QStringList Rows(QWidget* window, const char* listName) {
    auto* list = Find<QListWidget>(window, listName);
    QStringList rows;
    for (int row = 0; row < list->count(); ++row)
        rows << list->item(row)->text();
    return rows;
}

void WindowTestCase::init() {
    styleSheet_ = qApp->styleSheet();
    icon_ = QApplication::windowIcon();
    world = std::make_unique<WindowWorld>();
    window = world->OpenWindow();
}

void WindowTestCase::cleanup() {
    window.reset();
    world.reset();
    qApp->setStyleSheet(styleSheet_);
    QApplication::setWindowIcon(icon_);
}

void WindowTestCase::Restart() {
    window.reset();
    window = world->OpenWindow();
}

void WindowTestCase::ReportError(const QString& text) {
    world->messages->MessageDialog(text, MessageKind::Error, MessageButtons::Ok, 0);
}

std::string WindowTestCase::SavedSettings() {
    Click(window.get(), "btnSave");
    return ReadAll(world->folder.path() / "settings.dat");
}

int RunUiTests(WindowTestCase& tests, int argc, char** argv) {
    VantorApplication application(argc, argv);
    application.ReportError = [&tests](const QString& text) { tests.ReportError(text); };
    return QTest::qExec(&tests, argc, argv);
}
