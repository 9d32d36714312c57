#pragma once

#include "util/text/StringList.h"

#include <string>
#include <string_view>

// Folds a multi-line text into one line: drops one final CR LF, every other CR LF becomes "$$".
std::string PackLines(std::string_view text);

// The same with "^^" for each line break.
std::string PackItems(std::string_view text);

// Cuts a text into fields at each Delimiter; a trailing delimiter adds no empty field.
void SplitByChar(char delimiter, std::string_view text, StringList& fields);

// Every occurrence of Pattern replaced by Replacement, left to right, without overlap.
std::string ReplaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement);

// ReplaceAll appending its result to Out, for callers that build one text from many.
void AppendReplaced(std::string& out, std::string_view text, std::string_view pattern,
                    std::string_view replacement);

class TextFinder;
// The same with a finder made once for many texts.
void AppendReplaced(std::string& out, std::string_view text, const TextFinder& pattern,
                    std::string_view replacement);

// ReplaceAll on a text of the caller's, in place; a text without Pattern is left untouched.
void ReplaceAllIn(std::string& text, std::string_view pattern, std::string_view replacement);

// Drops every byte of value 0x20 or below from both ends.
std::string Trim(std::string_view text);

// Trim, as a view of Text.
std::string_view TrimmedView(std::string_view text);

// True when the text is empty after trimming.
bool IsBlank(std::string_view text);

// The text form of a list: every item followed by CR LF.
std::string ListToText(const StringList& items);

// Reads a text form: breaks at CR LF, lone CR and lone LF; stops at the first NUL.
StringList TextToList(std::string_view text);

// A text re-ended the way a string list writes it: every line followed by CR LF.
std::string NormalizeLineEnds(std::string_view text);

// Index of the first item equal to Text without regard to letter case (UTF-8 aware for common
// scripts), or -1.
int IndexOfIgnoringCase(const StringList& items, std::string_view text);
