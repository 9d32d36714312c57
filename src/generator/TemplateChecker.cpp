#include "generator/TemplateChecker.h"

#include "generator/HtmlTags.h"
#include "generator/TemplateCatalogue.h"
#include "generator/TemplateSections.h"
#include "util/files/FileHelpers.h"
#include "util/text/CaseFolding.h"
#include "util/text/UUtils.h"

#include <algorithm>
#include <span>

namespace {

using Findings = std::vector<TemplateFinding>;
constexpr auto npos = std::string_view::npos;

// Filled once for the whole page; the first three before the sections are expanded.
constexpr std::string_view PagePlaceholders[] = {"%%TITLE%%", "%%MENU%%", "%%AFFILIATECODE%%",
                                                 "%%PPCADS%%", "%%AFFILIATELINK%%"};
constexpr auto FilledBeforeSections = std::span(PagePlaceholders).first(3);

// The fragments the menu links to; the engine adds no anchors of its own.
constexpr std::string_view MenuAnchors[] = {"affiliatelink", "linktext", "emailcopy",
                                            "sig",           "pops",     "banners",
                                            "articles",      "ppcads",   "autoemailcopy"};

// The template as the engine reads it, with a copy for its letter-case-blind look-ups of
// markers (ASCII letters only, as CutSection compares them).
struct Text {
    std::string page;
    std::string folded;

    explicit Text(std::string_view templateText)
        : page(NormalizeLineEnds(templateText)), folded(FoldAsciiCase(page)) {}

    int lineOf(std::size_t at) const {
        return 1 + static_cast<int>(std::count(page.begin(), page.begin() + at, '\n'));
    }

    std::vector<std::size_t> occurrences(std::string_view marker) const {
        const std::string wanted = FoldAsciiCase(marker);
        std::vector<std::size_t> found;
        for (auto at = folded.find(wanted); at != npos; at = folded.find(wanted, at + 1))
            found.push_back(at);
        return found;
    }
};

// Where the engine's forward-only scan found a section.
struct Cut {
    std::size_t searchFrom = 0; // where the look-up of its start marker began
    std::size_t scanAfter = 0;  // where the scan stood afterwards
    std::optional<std::size_t> start, end;
};

std::vector<Cut> CutSections(const Text& text) {
    std::vector<Cut> cuts;
    std::size_t scan = 0;
    for (const auto& section : TemplateSections) {
        Cut cut{scan, scan, std::nullopt, std::nullopt};
        if (auto start = text.folded.find(FoldAsciiCase(section.start), scan); start != npos) {
            cut.start = start;
            scan = start + section.start.size();
            if (auto end = text.folded.find(FoldAsciiCase(section.end), scan); end != npos)
                cut.end = scan = end;
        }
        cut.scanAfter = scan;
        cuts.push_back(cut);
    }
    return cuts;
}

std::string SectionName(const SectionMarkers& section) {
    // "%%TABLE_" + name + "_INIT%%"
    return std::string(section.start.substr(8, section.start.size() - 15));
}

// A start marker met before the scan reached it: name the earlier section that passed it by.
std::string OutOfOrder(const std::vector<Cut>& cuts, std::size_t index, std::size_t at) {
    std::size_t earlier = 0;
    while (cuts[earlier].scanAfter <= at)
        ++earlier;
    const auto& section = TemplateSections[index];
    return std::string(section.start) +
           (*cuts[earlier].start > at ? " stands in front of" : " stands inside") + " the " +
           SectionName(TemplateSections[earlier]) +
           " section, which must come first: this section is never expanded";
}

void CheckMarkers(const Text& text, const std::vector<Cut>& cuts, std::size_t index,
                  Findings& findings) {
    const auto& section = TemplateSections[index];
    const Cut& cut = cuts[index];
    std::vector<std::pair<std::size_t, bool>> marks; // position, whether a start marker
    for (auto at : text.occurrences(section.start))
        marks.emplace_back(at, true);
    for (auto at : text.occurrences(section.end))
        marks.emplace_back(at, false);
    std::sort(marks.begin(), marks.end());

    // Markers the scan did not use; an unused end closes the unused start before it.
    int unclosed = 0;
    for (auto [at, isStart] : marks) {
        if (at == cut.start || at == cut.end)
            continue;
        if (isStart) {
            ++unclosed;
            findings.push_back({text.lineOf(at), at < cut.searchFrom
                                                     ? OutOfOrder(cuts, index, at)
                                                     : "a second " + std::string(section.start) +
                                                           ": only the one on line " +
                                                           std::to_string(text.lineOf(*cut.start)) +
                                                           " starts a section"});
        } else if (unclosed > 0) {
            --unclosed;
        } else {
            findings.push_back({text.lineOf(at), std::string(section.end) + " has no " +
                                                     std::string(section.start) +
                                                     " of its own before it"});
        }
    }
    if (cut.start && !cut.end)
        findings.push_back({text.lineOf(*cut.start),
                            std::string(section.start) + " has no " + std::string(section.end) +
                                " after it: its section is never expanded"});
}

// What the page has lost before a section's body is looked up in it: the placeholders filled
// first, and the markers and item placeholders of the sections expanded before.
std::vector<std::string_view> GoneBeforeSection(std::size_t index) {
    std::vector<std::string_view> gone(FilledBeforeSections.begin(), FilledBeforeSections.end());
    for (std::size_t earlier = 0; earlier < index; ++earlier) {
        const auto& section = TemplateSections[earlier];
        gone.insert(gone.end(), {section.start, section.end, section.placeholder});
    }
    return gone;
}

void CheckBody(const Text& text, const Cut& cut, std::size_t index, Findings& findings) {
    const auto& section = TemplateSections[index];
    const std::size_t from = *cut.start + section.start.size();
    const std::string_view body = std::string_view(text.page).substr(from, *cut.end - from);
    // A body holding one of those no longer occurs in the page, so it is not replaced.
    for (auto word : GoneBeforeSection(index))
        if (auto at = body.find(word); at != npos)
            findings.push_back(
                {text.lineOf(from + at), std::string(word) + " inside the " + SectionName(section) +
                                             " section: the section is not expanded"});
    if (body.find(section.placeholder) == npos)
        findings.push_back({text.lineOf(*cut.start),
                            "the " + SectionName(section) + " section holds no " +
                                std::string(section.placeholder) + ": its items do not appear"});
}

bool IsWordByte(char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9') || byte == '_';
}

std::vector<std::string_view> KnownWords() {
    std::vector<std::string_view> words(std::begin(PagePlaceholders), std::end(PagePlaceholders));
    for (const auto& section : TemplateSections)
        words.insert(words.end(), {section.start, section.end, section.placeholder});
    return words;
}

// Every %%WORD%% must be one the engine fills or removes, written in its exact letter case.
void CheckWords(const Text& text, Findings& findings) {
    const auto known = KnownWords();
    const std::string_view page = text.page;
    for (auto at = page.find("%%"); at != npos; at = page.find("%%", at + 1)) {
        std::size_t end = at + 2;
        while (end < page.size() && IsWordByte(page[end]))
            ++end;
        if (end == at + 2 || page.substr(end, 2) != "%%")
            continue;
        const std::string_view word = page.substr(at, end + 2 - at);
        at = end + 1;
        if (std::find(known.begin(), known.end(), word) != known.end())
            continue;
        auto sameLetters = [&word](std::string_view other) {
            return FoldAsciiCase(other) == FoldAsciiCase(word);
        };
        auto spelled = std::find_if(known.begin(), known.end(), sameLetters);
        findings.push_back({text.lineOf(end),
                            spelled != known.end()
                                ? std::string(word) + " is written in another letter case than " +
                                      std::string(*spelled) + ": it stays in the page"
                                : std::string(word) +
                                      " is not a placeholder of Affiliate Vantor: it stays "
                                      "in the page"});
    }
}

bool IsSpaceByte(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n' || byte == '\f';
}

// True when an element carries Name as its id or name: id="x", name='x', id=x.
bool HasAnchor(const Text& text, std::string_view name) {
    const std::string_view page = text.page;
    for (auto at = page.find(name); at != npos; at = page.find(name, at + 1)) {
        std::size_t before = at, after = at + name.size();
        if (before > 0 && (page[before - 1] == '"' || page[before - 1] == '\'')) {
            if (after >= page.size() || page[after] != page[--before])
                continue;
        } else if (after < page.size() && !IsSpaceByte(page[after]) && page[after] != '>' &&
                   page[after] != '/') {
            continue;
        }
        while (before > 0 && IsSpaceByte(page[before - 1]))
            --before;
        if (before == 0 || page[--before] != '=')
            continue;
        while (before > 0 && IsSpaceByte(page[before - 1]))
            --before;
        for (std::string_view attribute : {"id", "name"}) {
            const std::size_t begin = before - std::min(before, attribute.size());
            if (begin > 0 && IsSpaceByte(page[begin - 1]) &&
                std::string_view(text.folded).substr(begin, before - begin) == attribute)
                return true;
        }
    }
    return false;
}

void CheckAnchors(const Text& text, Findings& findings) {
    const auto menu = text.page.find("%%MENU%%");
    if (menu == npos)
        return;
    for (auto anchor : MenuAnchors)
        if (!HasAnchor(text, anchor))
            findings.push_back({text.lineOf(menu), "the menu links to #" + std::string(anchor) +
                                                       " but no element has id=\"" +
                                                       std::string(anchor) + "\""});
}

// The placeholders that bring typed text into the page.
std::vector<std::string_view> TypedTextPlaceholders() {
    std::vector<std::string_view> words = {"%%TITLE%%", "%%AFFILIATECODE%%", "%%AFFILIATELINK%%"};
    for (const auto& section : TemplateSections)
        words.push_back(section.placeholder);
    return words;
}

// Escaping keeps typed text as typed in copy boxes, titles and attribute values; in a script or
// a style nothing can, so a promo there could break the page or run as code.
void CheckRawText(const Text& text, Findings& findings) {
    const auto placeholders = TypedTextPlaceholders();
    for (const auto& span : TextSpans(text.page)) {
        if (span.kind != TextSpan::Kind::Raw)
            continue;
        const std::string_view inside =
            std::string_view(text.page).substr(span.begin, span.end - span.begin);
        for (auto placeholder : placeholders)
            for (auto at = inside.find(placeholder); at != npos;
                 at = inside.find(placeholder, at + 1))
                findings.push_back({text.lineOf(span.begin + at),
                                    std::string(placeholder) +
                                        " inside a script or style element: no escaping can make "
                                        "typed text safe there, keep it out"});
    }
}

// The engine reads a template only up to its first NUL byte (a UTF-16 file has many).
void CheckNul(std::string_view templateText, Findings& findings) {
    const auto nul = templateText.find('\0');
    if (nul == npos)
        return;
    const std::string_view before = templateText.substr(0, nul);
    const bool lineStarts = before.empty() || before.back() == '\n' || before.back() == '\r';
    findings.push_back({static_cast<int>(TextToList(before).size()) + (lineStarts ? 1 : 0),
                        "a NUL byte: nothing after it is read (save the template as UTF-8)"});
}

void CheckPreview(std::optional<PictureSize> preview, Findings& findings) {
    const std::string limit =
        std::to_string(PreviewLimit.width) + " x " + std::to_string(PreviewLimit.height);
    if (!preview)
        findings.push_back({0, "no preview picture: put a JPEG of at most " + limit +
                                   " beside the template, named like it with .jpg"});
    else if (preview->width > PreviewLimit.width || preview->height > PreviewLimit.height)
        findings.push_back({0, "the preview picture is " + std::to_string(preview->width) + " x " +
                                   std::to_string(preview->height) + ", larger than " + limit +
                                   ": the wizard clips it"});
}

} // namespace

std::vector<TemplateFinding> CheckTemplate(std::string_view templateText,
                                           std::optional<PictureSize> preview) {
    const Text text(templateText);
    Findings findings;
    CheckPreview(preview, findings);
    CheckNul(templateText, findings);
    const auto cuts = CutSections(text);
    for (std::size_t index = 0; index < TemplateSections.size(); ++index) {
        CheckMarkers(text, cuts, index, findings);
        if (cuts[index].start && cuts[index].end)
            CheckBody(text, cuts[index], index, findings);
    }
    CheckWords(text, findings);
    CheckAnchors(text, findings);
    CheckRawText(text, findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const auto& a, const auto& b) { return a.line < b.line; });
    return findings;
}

std::vector<TemplateFinding> CheckTemplateFile(const std::filesystem::path& templateFile) {
    const std::string text = ReadFileBytes(templateFile);
    // The wizard looks the picture up under the name it lists the template by.
    const auto folder = templateFile.has_parent_path() ? templateFile.parent_path() : ".";
    const auto picture =
        FindInFolderIgnoringCase(folder, DisplayNameOf(PathText(templateFile.filename())) + ".jpg");
    std::optional<PictureSize> preview;
    if (picture && FileExists(*picture))
        preview = JpegSize(ReadFileBytes(*picture));
    return CheckTemplate(text, preview);
}
