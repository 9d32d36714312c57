#include "generator/PageDelivery.h"

#include "generator/DeliveryError.h"
#include "generator/PageOutput.h"
#include "generator/TemplateCatalogue.h"
#include "generator/TemplateEngine.h"
#include "util/text/UUtils.h"

namespace fs = std::filesystem;

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
