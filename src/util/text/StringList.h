#pragma once

#include <string>
#include <vector>

// An ordered, unsorted list of texts that allows duplicates.
using StringList = std::vector<std::string>;
