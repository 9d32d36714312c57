#pragma once

#include "model/UAffiliate.h"

#include <array>
#include <memory>

// A project as it stood at one moment, for another thread to read. Its lists are shared with the
// snapshots before and after it, so that a snapshot of a large project costs little.
struct ProjectSnapshot {
    // The texts of the project; its lists are empty here.
    TAffManager texts;
    std::array<std::shared_ptr<const StringList>, 8> lists;
};

// The whole project of a snapshot.
TAffManager ProjectOf(const ProjectSnapshot& snapshot);

// Takes snapshots of one project: a list equal to the last snapshot's is shared, not copied.
class ProjectSnapshots {
  public:
    ProjectSnapshot Take(const TAffManager& project);

  private:
    ProjectSnapshot last_;
};
