#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Finds one pattern in texts in time linear in the text and the pattern, whatever they hold:
// a quick scan serves ordinary texts, and Knuth-Morris-Pratt takes over once the quick scan
// compares too much (a long run of one letter, say).
class TextFinder {
  public:
    enum class Case { Exact, IgnoreAscii };

    explicit TextFinder(std::string_view pattern, Case letterCase = Case::Exact);

    // Position of the first occurrence starting at or after From, or npos; an empty pattern
    // occurs at From.
    std::size_t FindIn(std::string_view text, std::size_t from = 0) const;

    // The first position at or after From where an occurrence could begin, judged by one byte
    // alone, or the text's size when there is none.
    std::size_t PossibleStart(std::string_view text, std::size_t from) const;

    std::size_t size() const { return pattern_.size(); }

  private:
    char Fold(char byte) const;
    std::size_t NextCandidate(std::string_view text, std::size_t from, std::size_t last) const;
    std::size_t FindWithFailureTable(std::string_view text, std::size_t from) const;

    std::string pattern_; // with its ASCII letters raised when case is ignored
    bool ignoreCase_;
    std::size_t anchor_ = 0;                   // the position of the byte the quick scan looks for
    mutable std::vector<std::size_t> failure_; // built on first need
};

// The first occurrence of Pattern in Text at or after From, compared exactly, or npos.
std::size_t FindText(std::string_view text, std::string_view pattern, std::size_t from = 0);
