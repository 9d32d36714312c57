#pragma once

#include "model/UAffiliate.h"
#include "util/policies/UserDataFolders.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// What Generate Code is asked to do.
struct DeliveryRequest {
    // The templates are those of the catalogue; Output/ is made in the data folder.
    UserDataFolders folders;
    // The template's name as the catalogue shows it.
    std::string templateName;
    // The file name in Output/ exactly as typed; without one the page is only handed back.
    std::optional<std::string> fileName;
    // The wizard needs Output/ for the clipboard too; a page printed by the CLI does not.
    bool needsOutputFolder = true;
};

struct DeliveredPage {
    std::string text;
    // The file written, when a file name was given.
    std::optional<std::filesystem::path> file;
};

// Checks the name, makes Output/, fills the template from the project and writes the page.
// Throws DeliveryError for a refusal (nothing is written then), AppError when the template
// cannot be read or the page cannot be written.
DeliveredPage DeliverPage(const DeliveryRequest& request, const TAffManager& model);
