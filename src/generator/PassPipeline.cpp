#include "generator/PassPipeline.h"

#include <algorithm>

namespace {

// Small enough for the pieces of every pass to stay in the second-level cache together.
constexpr std::size_t PieceSize = 16 * 1024;

// Thrown through the passes to stop a count that has passed its limit.
struct LimitPassed {};

} // namespace

class PassPipeline::Sink {
  public:
    Sink(std::string* text, std::size_t limit) : text_(text), limit_(limit) {}
    void Take(std::string_view piece) {
        Count(piece.size());
        if (text_)
            text_->append(piece);
    }
    void Count(std::size_t bytes) {
        size_ += bytes;
        if (size_ > limit_)
            throw LimitPassed();
    }
    bool counting() const { return text_ == nullptr; }
    std::size_t size() const { return size_; }

  private:
    std::string* text_;
    std::size_t limit_;
    std::size_t size_ = 0;
};

void PassPipeline::Add(std::string_view pattern, std::string replacement) {
    if (pattern.empty())
        return;
    const bool replacementUnmarked = replacement.find(mark_) == std::string::npos;
    passes_.push_back({TextFinder(pattern),
                       std::move(replacement),
                       {},
                       pattern.find(mark_),
                       replacementUnmarked,
                       {}});
}

void PassPipeline::Add(std::string_view pattern, Writer writer) {
    if (!pattern.empty())
        passes_.push_back(
            {TextFinder(pattern), {}, std::move(writer), pattern.find(mark_), false, {}});
}

std::optional<std::size_t> PassPipeline::ResultSize(std::string_view text, std::size_t limit) {
    Sink counter(nullptr, limit);
    try {
        Drive(text, counter);
    } catch (const LimitPassed&) {
        return std::nullopt;
    }
    return counter.size();
}

std::optional<std::string> PassPipeline::Run(std::string_view text, std::size_t limit,
                                             std::size_t sizeHint) {
    // A page expected beyond the limit is counted first, which is quick for one whose size comes
    // from copies of the same parts; one beyond the limit is never built.
    if (sizeHint <= limit) {
        std::string result;
        const std::size_t trial = std::min(limit, 4 * sizeHint + 64 * 1024);
        // Some room beyond the hint, so that a page a little larger is not moved once more.
        result.reserve(std::min(sizeHint + sizeHint / 8 + 4096, trial));
        try {
            Sink builder(&result, trial);
            Drive(text, builder);
            return result;
        } catch (const LimitPassed&) {
            // Far beyond what was expected: counted first after all.
        }
    }
    const auto size = ResultSize(text, limit);
    if (!size)
        return std::nullopt;
    std::string result;
    result.reserve(*size);
    Sink builder(&result, *size);
    Drive(text, builder);
    return result;
}

void PassPipeline::Drive(std::string_view text, Sink& sink) {
    for (auto& pass : passes_)
        pass.pending.clear();
    counted_.clear();
    Feed(0, text, false, sink);
    Finish(0, sink);
}

void PassPipeline::Feed(std::size_t index, std::string_view piece, bool unmarked, Sink& sink) {
    if (index == passes_.size()) {
        sink.Take(piece);
        return;
    }
    while (piece.size() > PieceSize) {
        FeedPiece(index, piece.substr(0, PieceSize), unmarked, sink);
        piece.remove_prefix(PieceSize);
    }
    if (!piece.empty())
        FeedPiece(index, piece, unmarked, sink);
}

void PassPipeline::FeedPiece(std::size_t index, std::string_view piece, bool unmarked, Sink& sink) {
    Pass& pass = passes_[index];
    const std::size_t length = pass.pattern.size();
    if (pass.pending.empty()) {
        const bool needsMark = pass.markAt != std::string_view::npos;
        if (needsMark && !unmarked)
            unmarked = piece.find(mark_) == std::string_view::npos;
        if (needsMark && unmarked) {
            // An occurrence beginning here would have its mark in a later piece, so only the
            // last bytes before that mark's place can begin one.
            const std::size_t tail = std::min(pass.markAt, piece.size());
            Feed(index + 1, piece.substr(0, piece.size() - tail), true, sink);
            if (tail > 0)
                Process(index, piece.substr(piece.size() - tail), false, true, sink);
            return;
        }
        Process(index, piece, false, unmarked, sink);
        return;
    }
    // Short pieces gather behind pending bytes until they are worth a search of their own.
    if (pass.pending.size() + piece.size() < 2 * length || piece.size() < length) {
        pass.pending.append(piece);
        if (pass.pending.size() >= 2 * length) {
            const std::string gathered = std::move(pass.pending);
            pass.pending.clear();
            Process(index, gathered, false, false, sink);
        }
        return;
    }
    // An occurrence may begin in the pending bytes and end in this piece.
    const std::string joined = pass.pending + std::string(piece.substr(0, length - 1));
    const std::size_t held = pass.pending.size();
    pass.pending.clear();
    std::size_t at = 0;
    for (std::size_t found = pass.pattern.FindIn(joined); found < held;
         found = pass.pattern.FindIn(joined, at)) {
        Feed(index + 1, std::string_view(joined).substr(at, found - at), false, sink);
        Replace(index, sink);
        at = found + length;
    }
    if (at < held)
        Feed(index + 1, std::string_view(joined).substr(at, held - at), false, sink);
    Process(index, piece.substr(std::max(at, held) - held), false, unmarked, sink);
}

void PassPipeline::Process(std::size_t index, std::string_view data, bool last, bool unmarked,
                           Sink& sink) {
    Pass& pass = passes_[index];
    const std::size_t length = pass.pattern.size();
    std::size_t at = 0;
    for (std::size_t found = pass.pattern.FindIn(data); found != std::string_view::npos;
         found = pass.pattern.FindIn(data, at)) {
        Feed(index + 1, data.substr(at, found - at), unmarked, sink);
        Replace(index, sink);
        at = found + length;
    }
    // Only the bytes from where an occurrence could still begin wait for the next piece.
    const std::size_t keptFrom =
        last ? data.size()
             : pass.pattern.PossibleStart(data,
                                          data.size() - std::min(length - 1, data.size() - at));
    Feed(index + 1, data.substr(at, keptFrom - at), unmarked, sink);
    pass.pending.assign(data.substr(keptFrom));
}

void PassPipeline::Replace(std::size_t index, Sink& sink) {
    if (!sink.counting())
        return Insert(index, sink);
    // What a replacement adds depends only on the bytes the later passes hold back, so one made
    // again behind the same bytes is counted once: a page whose items repeat whole parts of it
    // is measured without going through all its copies.
    CountedKey key{index, {}};
    for (std::size_t later = index + 1; later < passes_.size(); ++later)
        key.pendingAfter.push_back(passes_[later].pending);
    if (auto known = counted_.find(key); known != counted_.end()) {
        sink.Count(known->second.bytes);
        for (std::size_t later = index + 1; later < passes_.size(); ++later)
            passes_[later].pending = known->second.pendingAfter[later - index - 1];
        return;
    }
    const std::size_t before = sink.size();
    Insert(index, sink);
    Counted counted{sink.size() - before, {}};
    for (std::size_t later = index + 1; later < passes_.size(); ++later)
        counted.pendingAfter.push_back(passes_[later].pending);
    counted_.emplace(std::move(key), std::move(counted));
}

void PassPipeline::Insert(std::size_t index, Sink& sink) {
    const Pass& pass = passes_[index];
    if (!pass.writer) {
        Feed(index + 1, pass.replacement, pass.replacementUnmarked, sink);
        return;
    }
    pass.writer(
        [this, index, &sink](std::string_view part) { Feed(index + 1, part, false, sink); });
}

void PassPipeline::Finish(std::size_t index, Sink& sink) {
    if (index == passes_.size())
        return;
    const std::string rest = std::move(passes_[index].pending);
    passes_[index].pending.clear();
    Process(index, rest, true, false, sink);
    Finish(index + 1, sink);
}
