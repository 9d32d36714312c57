#include "generator/PageOutput.h"

#include "generator/DeliveryError.h"
#include "util/files/FileHelpers.h"
#include "util/text/UUtils.h"

namespace fs = std::filesystem;

fs::path OutputFolder(const fs::path& dataDir) {
    return dataDir / "Output";
}

bool EnsureOutputFolder(const fs::path& dataDir) {
    std::error_code ignored;
    fs::create_directories(OutputFolder(dataDir), ignored);
    return DirectoryExists(OutputFolder(dataDir));
}

fs::path OutputFile(const fs::path& dataDir, std::string_view fileName) {
    // Joined as text: path's operator/ would let an absolute name replace the folder. The
    // messages show it with the system's own separators.
    return PathOf(PathText(OutputFolder(dataDir)) + "/" + std::string(fileName)).make_preferred();
}

bool IsValidOutputFileName(std::string_view name) {
    if (IsBlank(name))
        return false;
    // Both separators count, so that a name means the same on every system.
    std::size_t start = 0;
    for (std::size_t end = 0; end <= name.size(); ++end) {
        if (end < name.size() && name[end] != '/' && name[end] != '\\')
            continue;
        if (name.substr(start, end - start) == "..")
            return false;
        start = end + 1;
    }
    return true;
}

void CheckOutputFileName(std::string_view fileName) {
    if (IsBlank(fileName))
        throw DeliveryError(DeliveryError::Reason::InvalidFileName);
    if (!IsValidOutputFileName(fileName))
        throw DeliveryError(DeliveryError::Reason::NameLeavesOutput, fileName);
}

std::string PageFileBytes(std::string_view pageText) {
    return NormalizeLineEnds(pageText);
}

fs::path WritePage(const fs::path& dataDir, std::string_view fileName, std::string_view pageText) {
    fs::path file = OutputFile(dataDir, fileName);
    WriteFileAtomically(file, PageFileBytes(pageText));
    return file;
}
