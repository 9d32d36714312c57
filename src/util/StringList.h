#pragma once

#include <string>
#include <vector>

// An ordered, unsorted list of texts that allows duplicates.
using TStringList = std::vector<std::string>;
