#pragma once

#include "generator/TemplateCatalogue.h"
#include "model/UAffiliate.h"

#include <optional>
#include <string>
#include <vector>

// The template a page is made with: the one asked for, else the project's own when it is
// installed, else the first one listed (none when nothing is installed).
inline std::string ChooseTemplate(const std::optional<std::string>& asked,
                                  const std::vector<std::string>& installed,
                                  const TAffManager& project) {
    if (asked)
        return *asked;
    if (FindTemplate(installed, project.TemplateName) >= 0)
        return project.TemplateName;
    return installed.empty() ? std::string() : installed.front();
}
