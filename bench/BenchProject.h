#pragma once

#include "model/UAffiliate.h"

// A project with ItemsPerList items in each of the eight lists, shaped like real promos.
TAffManager MakeBenchProject(int itemsPerList);

// The text of a shipped template.
std::string ShippedTemplateText();
