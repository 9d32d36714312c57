#pragma once

#include "model/UAffiliate.h"
#include "util/policies/UserDataFolders.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// One page of a batch: the project it is made from, its template and its file name in Output/.
// The project is loaded only when its page is made, so a batch holds no more projects at a
// time than it has jobs.
struct BatchPage {
    std::function<TAffManager()> project;
    std::string templateName;
    std::string fileName;
};

// How the pages of a batch are named.
enum class BatchNaming {
    // The project's output file name, else the project file's name with ".htm", so that
    // projects saved without a name do not all write one page.
    OutputFileName,
    // Always the project file's name with ".htm" (shop01.vantor -> shop01.htm).
    ProjectFileName,
};

// The file name of a project's page in a batch.
std::string BatchPageName(const std::filesystem::path& projectFile, const TAffManager& project,
                          BatchNaming naming = BatchNaming::OutputFileName);

// Groups of positions, each in order, of file names that would write the same file of Output/,
// as the system compares names. Names that are no valid output file name are left out.
std::vector<std::vector<std::size_t>> FindPageClashes(const std::filesystem::path& dataDir,
                                                      const std::vector<std::string>& fileNames);

// Groups of positions, each in order, of project files given more than once: the same file
// under another spelling, or through a link, counts as the same.
std::vector<std::vector<std::size_t>>
FindRepeatedProjects(const std::vector<std::filesystem::path>& projectFiles);

// Makes the pages on Jobs threads and writes them into Output/, which must exist, each as
// DeliverPage would; all of them reach the disk together. PageDone is called, one call at a
// time, as each page is made or fails. Returns for each page the text of its failure, or an
// empty text when it was written.
std::vector<std::string> WritePages(const UserDataFolders& folders,
                                    const std::vector<BatchPage>& pages, unsigned jobs,
                                    const std::function<void()>& pageDone);
