#include "ui/CrashReporting.h"

#include "Version.h"
#include "ui/TextBridge.h"
#include "util/policies/CrashReports.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>

namespace {

QtMessageHandler previousHandler = nullptr;

// Qt aborts after a fatal message; the report then says why.
void NoteFatalMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg)
        NoteCrashReason(ToModel("qFatal: " + message.left(300)));
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

void StartCrashReporting(const std::filesystem::path& stateFolder) {
    if (stateFolder.empty())
        return;
    try {
        StartCrashReports(stateFolder, "Affiliate Vantor", AppVersionText);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Crashes will not be reported: %s\n", error.what());
        return;
    }
    previousHandler = qInstallMessageHandler(NoteFatalMessages);
}
