#pragma once

#include "generator/TemplateCatalogue.h"
#include "model/UAffiliate.h"
#include "util/text/UUtils.h"

#include <optional>
#include <string>
#include <vector>

// The template a page is made with: the one asked for, else the project's own, else the first
// one listed (none when nothing is installed). A project's template that is not installed is
// not swapped for another: nobody would see that the page looks different.
inline std::string ChooseTemplate(const std::optional<std::string>& asked,
                                  const std::vector<std::string>& installed,
                                  const TAffManager& project) {
    if (asked)
        return *asked;
    if (installed.empty())
        return {};
    return IsBlank(project.TemplateName) ? installed.front() : project.TemplateName;
}
