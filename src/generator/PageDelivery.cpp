#include "generator/PageDelivery.h"

#include "generator/DeliveryError.h"
#include "generator/PageOutput.h"
#include "generator/TemplateCatalogue.h"
#include "generator/TemplateEngine.h"
#include "util/text/UUtils.h"

namespace fs = std::filesystem;

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

DeliveredPage DeliverPage(const DeliveryRequest& request, const TAffManager& model) {
    using Reason = DeliveryError::Reason;
    if (request.fileName && !IsValidOutputFileName(*request.fileName))
        throw DeliveryError(Reason::InvalidFileName);
    const fs::path& dataDir = request.folders.data;
    if ((request.fileName || request.needsOutputFolder) && !EnsureOutputFolder(dataDir))
        throw DeliveryError(Reason::NoOutputFolder);
    DeliveredPage delivered{
        GeneratePage(TemplateFoldersOf(request.folders), request.templateName, model), {}};
    if (request.fileName)
        delivered.file = WritePage(dataDir, *request.fileName, delivered.text);
    return delivered;
}
