#pragma once

#include "util/text/TextSearch.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A series of replace-all passes, each over the whole result of the one before. The text goes
// through all of them in pieces small enough to stay in the processor's cache, so a large page
// is not copied once per pass; the result is the same as running the passes one by one.
class PassPipeline {
  public:
    // Mark is a byte that most patterns hold and most text lacks: text without it goes past
    // every pass whose pattern holds it without being searched.
    explicit PassPipeline(char mark) : mark_(mark) {}

    // Adds a pass: every occurrence of Pattern, leftmost first and without overlap, becomes
    // Replacement; inserted text is seen only by the passes that follow. An empty pattern adds
    // nothing.
    void Add(std::string_view pattern, std::string replacement);

    // A replacement written part by part, for one better made afresh than kept whole.
    using Part = std::function<void(std::string_view)>;
    using Writer = std::function<void(const Part& write)>;
    void Add(std::string_view pattern, Writer writer);

    // The size of the result, without building it; nullopt as soon as it passes Limit.
    std::optional<std::size_t> ResultSize(std::string_view text, std::size_t limit);

    // The result, or nullopt when it would pass Limit, which is then never built. SizeHint, the
    // size the caller expects, lets most results be built in one go without counting first.
    std::optional<std::string> Run(std::string_view text, std::size_t limit, std::size_t sizeHint);

  private:
    // What is known of the marks in a piece: nothing, or a bit for each word that follows one
    // (the mark and the bytes after it), so that a pass whose pattern's word is not among them
    // lets the piece by unsearched. No bit at all: the piece holds no mark.
    struct Marks {
        bool known = false;
        std::uint64_t words = 0;
    };

    struct Pass {
        TextFinder pattern;
        std::string replacement;
        Writer writer;          // writes the replacement when set
        std::size_t markAt;     // the first mark in the pattern, or npos
        std::uint64_t word;     // the bit of the word at that mark; every bit for a short one
        Marks replacementMarks; // those of the replacement
        std::string pending;    // bytes that may still begin an occurrence
        std::string joined;     // room for them with the start of the next piece
    };
    class Sink;

    Marks MarksOf(std::string_view piece) const;
    void Feed(std::size_t index, std::string_view piece, Marks marks, Sink& sink);
    void FeedPiece(std::size_t index, std::string_view piece, Marks marks, Sink& sink);
    void Process(std::size_t index, std::string_view data, bool last, Marks marks, Sink& sink);
    void Replace(std::size_t index, Sink& sink);
    void Insert(std::size_t index, Sink& sink);
    void Finish(std::size_t index, Sink& sink);
    void Drive(std::string_view text, Sink& sink);

    // One replacement of a pass, behind the bytes each later pass held back, and what it gave.
    struct CountedKey {
        std::size_t index;
        std::vector<std::string> pendingAfter;
        auto operator<=>(const CountedKey&) const = default;
    };
    struct Counted {
        std::size_t bytes;
        std::vector<std::string> pendingAfter;
    };

    char mark_;
    std::vector<Pass> passes_;
    std::map<CountedKey, Counted> counted_;
};
