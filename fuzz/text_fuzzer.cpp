// The text helpers on arbitrary texts, each checked against a plain restatement of its rule.
#include "util/text/CaseFolding.h"
#include "util/text/CutSection.h"
#include "util/text/TextEncoding.h"
#include "util/text/TextSearch.h"
#include "util/text/UUtils.h"

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void Require(bool holds) {
    if (!holds)
        std::abort();
}

// ReplaceAll as its rule says: leftmost occurrence, no overlap, inserted text not searched.
std::string NaiveReplaceAll(std::string_view text, std::string_view pattern,
                            std::string_view replacement) {
    if (text.empty() || pattern.empty())
        return std::string(text);
    std::string result;
    std::size_t at = 0;
    for (std::size_t found = text.find(pattern); found != std::string_view::npos;
         found = text.find(pattern, at)) {
        result.append(text.substr(at, found - at)).append(replacement);
        at = found + pattern.size();
    }
    return result.append(text.substr(at));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string pattern = input.ConsumeRandomLengthString(40);
    const std::string replacement = input.ConsumeRandomLengthString(40);
    const std::string text = input.ConsumeRemainingBytesAsString();

    Require(ReplaceAll(text, pattern, replacement) == NaiveReplaceAll(text, pattern, replacement));
    std::string inPlace = text;
    ReplaceAllIn(inPlace, pattern, replacement);
    Require(inPlace == NaiveReplaceAll(text, pattern, replacement));
    Require(FindText(text, pattern) == text.find(pattern));
    Require(TextFinder(pattern, TextFinder::Case::IgnoreAscii).FindIn(text) ==
            FoldAsciiCase(text).find(FoldAsciiCase(pattern)));

    Require(PackLines(text).find("\r\n") == std::string::npos);
    StringList fields;
    SplitByChar('^', text, fields);
    for (const auto& field : fields)
        Require(field.find('^') == std::string::npos);
    const StringList lines = TextToList(text);
    Require(TextToList(ListToText(lines)) == lines);
    Require(TextToList(NormalizeLineEnds(text)) == lines);
    const std::string trimmed = Trim(text);
    Require(trimmed.empty() || (static_cast<unsigned char>(trimmed.front()) > ' ' &&
                                static_cast<unsigned char>(trimmed.back()) > ' '));
    Require(FoldCase(FoldCase(text)) == FoldCase(text) || !IsValidUtf8(text));
    Require(IsValidUtf8(Windows1252ToUtf8(text)));

    std::string_view scan = text;
    const std::string section = CutSection(scan, pattern, replacement);
    Require(section.size() <= text.size() && scan.size() <= text.size());
    return 0;
}
