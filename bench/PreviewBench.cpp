#include "BenchProject.h"
#include "generator/TemplateEngine.h"
#include "ui/preview/WebEngineModule.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QWidget>
#include <benchmark/benchmark.h>

// Run with a display, or with QT_QPA_PLATFORM=offscreen; as root the web engine also needs
// QTWEBENGINE_DISABLE_SANDBOX=1.

namespace {

QWidget* owner;

// What a press on Preview does: generate the page and show it, until the whole page has been
// read into the view. Returns how long the press took to bring the window up, in milliseconds.
double PressPreview(const std::string& templateText, TAffManager& project, int press) {
    QElapsedTimer pressed;
    pressed.start();
    project.Title = "Zen Garden Secrets " + std::to_string(press);
    // The end of the page tells the bench that the view has read all of it.
    const QString shown = QString("shown %1").arg(press);
    const QString page = QString::fromStdString(ExpandTemplate(templateText, project)) +
                         "<script>document.title = '" + shown + "';</script>";
    ShowPagePreview(VANTOR_WEBENGINE_MODULE_FILE, owner, page, QDir::tempPath().toStdString());
    const double windowUp = double(pressed.nsecsElapsed()) / 1e6;
    QWidget* view = nullptr;
    while (!view || view->property("title").toString() != shown) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        view = owner->findChild<QWidget*>("webPagePreview");
    }
    return windowUp;
}

void Preview(benchmark::State& state) {
    const std::string templateText = ShippedTemplateText();
    TAffManager project = MakeBenchProject(static_cast<int>(state.range(0)));
    static int press = 0;
    double windowUp = 0;
    for (auto _ : state)
        windowUp += PressPreview(templateText, project, ++press);
    state.counters["window_up_ms"] = windowUp / double(state.iterations());
    state.SetLabel(std::to_string(ExpandTemplate(templateText, project).size() / 1024) + " KiB");
}

} // namespace

// The first press also starts the web engine; later ones reuse the preview window. The argument
// is the number of items in each of the project's eight lists.
BENCHMARK(Preview)
    ->Name("FirstPreview")
    ->Arg(100)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Preview)
    ->Name("NextPreview")
    ->Arg(1)
    ->Arg(100)
    ->Arg(1000)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    QWidget window;
    owner = &window;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
