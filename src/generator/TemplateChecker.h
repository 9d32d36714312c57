#pragma once

#include "util/files/JpegSize.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Something in a template that will not work the way its author likely meant.
struct TemplateFinding {
    int line; // counted from 1; 0 for the template as a whole
    std::string text;
};

// The largest preview picture the template page shows whole.
inline constexpr PictureSize PreviewLimit{380, 270};

// What in a template would surprise its author, ordered by line. Preview is the size of its
// preview picture, nullopt when it has none that can be read.
std::vector<TemplateFinding> CheckTemplate(std::string_view templateText,
                                           std::optional<PictureSize> preview);

// CheckTemplate on a template file and the preview picture the wizard shows for it.
// Throws AppError when a file cannot be read.
std::vector<TemplateFinding> CheckTemplateFile(const std::filesystem::path& templateFile);
