#pragma once

#include "model/UAffiliate.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The largest page the engine makes; items holding placeholders can multiply a page beyond it.
constexpr std::size_t LargestPage = std::size_t(1) << 30;

// The promotion page made from a template's text and the project.
// Throws DeliveryError PageTooLarge, before building anything, for a page beyond LargestPage.
std::string ExpandTemplate(std::string_view templateText, const TAffManager& model);

// Whether a page from the template needs escaping anywhere: whether any text that can reach a copy
// box, a title or an attribute value would change. Without, the page is the template filled as
// it stands, byte for byte.
bool PageNeedsEscaping(std::string_view templateText, const TAffManager& model);

// The page from the text of TemplateFile. Throws DeliveryError EmptyTemplate, naming the file,
// when the page is empty.
std::string FillTemplate(std::string_view templateText, const std::filesystem::path& templateFile,
                         const TAffManager& model);

// The page from the template the catalogue shows under TemplateName. Throws DeliveryError when
// there is no such template or it gives an empty page, AppError when its file cannot be read.
std::string GeneratePage(const std::vector<std::filesystem::path>& templateFolders,
                         std::string_view templateName, const TAffManager& model);
