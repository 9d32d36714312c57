#include "generator/PageOutput.h"

#include "util/FileHelpers.h"
#include "util/UUtils.h"

fs::path OutputFolder(const fs::path& appDir) {
    return appDir / "Output";
}

bool EnsureOutputFolder(const fs::path& appDir) {
    std::error_code ignored;
    fs::create_directories(OutputFolder(appDir), ignored);
    return DirectoryExists(OutputFolder(appDir));
}

fs::path OutputFile(const fs::path& appDir, std::string_view fileName) {
    // Joined as text: path's operator/ would let an absolute name replace the folder.
    return PathOf(PathText(OutputFolder(appDir)) + "/" + std::string(fileName));
}

fs::path WritePage(const fs::path& appDir, std::string_view fileName, std::string_view pageText) {
    fs::path file = OutputFile(appDir, fileName);
    WriteFileAtomically(file, NormalizeLineEnds(pageText));
    return file;
}
