#pragma once

#include "util/TextSearch.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A series of replace-all passes, each over the whole result of the one before. The text goes
// through all of them in pieces small enough to stay in the processor's cache, so a large page
// is not copied once per pass; the result is the same as running the passes one by one.
class PassPipeline {
  public:
    // Adds a pass: every occurrence of Pattern, leftmost first and without overlap, becomes
    // Replacement; inserted text is seen only by the passes that follow. An empty pattern adds
    // nothing.
    void Add(std::string_view pattern, std::string replacement);

    // The size of the result, without building it; nullopt as soon as it passes Limit.
    std::optional<std::size_t> ResultSize(std::string_view text, std::size_t limit);

    // The result, built in one go; nullopt, with nothing built, when it would pass Limit.
    std::optional<std::string> Run(std::string_view text, std::size_t limit);

  private:
    struct Pass {
        TextFinder pattern;
        std::string replacement;
        std::string pending; // bytes that may still begin an occurrence
    };
    class Sink;

    void Feed(std::size_t index, std::string_view piece, Sink& sink);
    void FeedPiece(std::size_t index, std::string_view piece, Sink& sink);
    void Process(std::size_t index, std::string_view data, bool last, Sink& sink);
    void Finish(std::size_t index, Sink& sink);
    void Drive(std::string_view text, Sink& sink);

    std::vector<Pass> passes_;
};
