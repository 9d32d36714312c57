#include "generator/SectionCopies.h"

#include "generator/DeliveryError.h"
#include "generator/EscapedText.h"
#include "generator/TemplateEngine.h"
#include "util/text/TextSearch.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace {

void RefusePageOver(std::size_t size) {
    if (size > LargestPage)
        throw DeliveryError(DeliveryError::Reason::PageTooLarge);
}

std::size_t Occurrences(std::string_view text, const TextFinder& finder) {
    std::size_t count = 0;
    for (std::size_t at = finder.FindIn(text); at != std::string_view::npos;
         at = finder.FindIn(text, at + finder.size()))
        ++count;
    return count;
}

// What the placeholders an item holds will add once later passes fill them: the PPC table and
// the affiliate link may stand in any item, each time in full.
class FilledLater {
  public:
    FilledLater(std::size_t linkSize, std::size_t tableSize)
        : linkSize_(linkSize), tableSize_(tableSize) {}

    std::size_t In(std::string_view item) const {
        if (item.find('%') == std::string_view::npos)
            return 0;
        return Occurrences(item, table_) * tableSize_ + Occurrences(item, link_) * linkSize_;
    }

  private:
    std::size_t linkSize_;
    std::size_t tableSize_;
    TextFinder table_{PPCAdsPlaceholder};
    TextFinder link_{AffiliateLinkPlaceholder};
};

// A body cut at a placeholder: the text in front of each place where the placeholder stands,
// with how what fills it is escaped there, and the text after the last.
class CutBody {
  public:
    CutBody(std::string_view body, std::string_view placeholder) {
        std::size_t at = 0;
        for (auto found = FindPlaceholder(body, placeholder); found;
             found = FindPlaceholder(body, placeholder, at)) {
            parts_.push_back({std::string(body.substr(at, found->begin - at)), found->escaping});
            at = found->end;
        }
        tail_ = body.substr(at);
    }

    std::size_t Places() const { return parts_.size(); }

    std::size_t TextSize() const {
        std::size_t size = tail_.size();
        for (const auto& part : parts_)
            size += part.text.size();
        return size;
    }

    bool Holds(char byte) const {
        return tail_.find(byte) != std::string::npos ||
               std::ranges::any_of(parts_, [byte](const Part& part) {
                   return part.text.find(byte) != std::string::npos;
               });
    }

    // The body with Value in every place, escaped where the place is marked.
    void AppendFilled(std::string& out, std::string_view value, bool asTyped,
                      std::span<const std::string_view> later) const {
        for (const auto& part : parts_) {
            out += part.text;
            AppendEscaped(out, value, asTyped ? Escaping::None : part.escaping, later);
        }
        out += tail_;
    }

  private:
    struct Part {
        std::string text;
        Escaping escaping;
    };
    std::vector<Part> parts_;
    std::string tail_;
};

// The body of a link section with the affiliate link filled in, the same for every copy.
// Escaping makes a byte at most six, so a link part beyond the ceiling is refused unmade.
std::string WithAffiliateLink(std::string_view body, const TAffManager& model) {
    const CutBody cut(body, AffiliateLinkPlaceholder);
    RefusePageOver(cut.TextSize() + cut.Places() * model.AffiliateURL.size() * 6);
    std::string filled;
    cut.AppendFilled(filled, model.AffiliateURL, false, FilledAfterSections);
    return filled;
}

// "$$" becomes a line break from From on, in place: both are two bytes.
void UnpackLineBreaks(std::string& text, std::size_t from) {
    for (auto at = static_cast<char*>(std::memchr(text.data() + from, '$', text.size() - from));
         at && at + 1 < text.data() + text.size();) {
        if (at[1] == '$') {
            at[0] = '\r';
            at[1] = '\n';
            at += 2;
        } else {
            ++at;
        }
        at = static_cast<char*>(std::memchr(at, '$', text.data() + text.size() - at));
    }
}

} // namespace

PassPipeline::Writer CopiesOfBody(const Section& section, std::string_view body,
                                  const TAffManager& model, const std::vector<bool>& asTyped,
                                  std::size_t tableSize, std::size_t& sizeHint) {
    const StringList& items = model.*section.list;
    auto cut = std::make_shared<const CutBody>(
        section.rule == CopyRule::Link ? WithAffiliateLink(body, model) : std::string(body),
        section.markers.placeholder);
    const std::size_t places = cut->Places();
    const std::size_t text = cut->TextSize();
    const FilledLater filledLater(model.AffiliateURL.size(), tableSize);
    std::size_t size = 0;
    std::size_t later = 0;
    for (const auto& item : items) {
        size += text;
        RefusePageOver(size);
        size += places * item.size();
        RefusePageOver(size);
        later += places * filledLater.In(item);
    }
    sizeHint += size + later;
    // Only a text copy with a "$" can hold a packed line break.
    const bool unpack = section.rule == CopyRule::Text;
    const bool bodyDollar = cut->Holds('$');
    // Copies go on in batches: large enough to pass cheaply, small enough to stay in the cache.
    return [cut, &items, &asTyped, unpack, bodyDollar,
            batch = std::string()](const PassPipeline::Part& write) mutable {
        constexpr std::size_t BatchSize = 16 * 1024;
        for (std::size_t index = 0; index < items.size(); ++index) {
            const std::string& item = items[index];
            const std::size_t start = batch.size();
            cut->AppendFilled(batch, item, !asTyped.empty() && asTyped[index], FilledAfterSections);
            // Line breaks are unpacked in each copy on its own, never across two copies.
            if (unpack && (bodyDollar || item.find('$') != std::string::npos))
                UnpackLineBreaks(batch, start);
            if (batch.size() >= BatchSize) {
                write(batch);
                batch.clear();
            }
        }
        if (!batch.empty())
            write(batch);
        batch.clear();
    };
}
