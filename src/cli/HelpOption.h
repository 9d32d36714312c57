#pragma once

#include <algorithm>
#include <string>
#include <vector>

// True when any argument asks for the usage text.
inline bool AsksForHelp(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
        return argument == "--help" || argument == "-h";
    });
}
