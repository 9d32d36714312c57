#pragma once

#include "model/UAffiliate.h"

#include <filesystem>
#include <string>
#include <string_view>

// The promotion page made from a template's text and the project.
std::string ExpandTemplate(std::string_view templateText, const TAffManager& model);

// The page from the template shown under TemplateName; empty when it has no file.
// Throws AppError when the file exists but cannot be read.
std::string GeneratePage(const std::filesystem::path& appDir, std::string_view templateName,
                         const TAffManager& model);
