#include "generator/PassPipeline.h"

#include <algorithm>

namespace {

// Small enough for the pieces of every pass to stay in the second-level cache together.
constexpr std::size_t PieceSize = 16 * 1024;

// Thrown through the passes to stop a count that has passed its limit.
struct LimitPassed {};

// How many bytes from a mark on make the word that tells patterns apart: enough for "%%" and
// the start of a placeholder's name.
constexpr std::size_t WordLength = 6;

std::uint64_t BitOfWord(std::string_view word) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char byte : word)
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
    // Mixed, so that the last bytes weigh on the bit too: words differ mostly there.
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdull;
    hash ^= hash >> 33;
    return std::uint64_t(1) << (hash >> 58);
}

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
    Add(pattern, Writer());
    if (pattern.empty())
        return;
    passes_.back().replacementMarks = MarksOf(replacement);
    passes_.back().replacement = std::move(replacement);
}

void PassPipeline::Add(std::string_view pattern, Writer writer) {
    if (pattern.empty())
        return;
    const std::size_t markAt = pattern.find(mark_);
    const bool wordInPattern =
        markAt != std::string_view::npos && pattern.size() - markAt >= WordLength;
    passes_.push_back(
        {TextFinder(pattern),
         {},
         std::move(writer),
         markAt,
         wordInPattern ? BitOfWord(pattern.substr(markAt, WordLength)) : ~std::uint64_t(0),
         {},
         {},
         {}});
}

PassPipeline::Marks PassPipeline::MarksOf(std::string_view piece) const {
    Marks marks{true, 0};
    for (std::size_t at = piece.find(mark_); at != std::string_view::npos;
         at = piece.find(mark_, at + 1)) {
        // The word of a mark near the end goes on in a later piece: it may be any.
        if (piece.size() - at < WordLength)
            return {true, ~std::uint64_t(0)};
        marks.words |= BitOfWord(piece.substr(at, WordLength));
    }
    return marks;
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
    Feed(0, text, {}, sink);
    Finish(0, sink);
}

void PassPipeline::Feed(std::size_t index, std::string_view piece, Marks marks, Sink& sink) {
    if (index == passes_.size()) {
        sink.Take(piece);
        return;
    }
    while (piece.size() > PieceSize) {
        FeedPiece(index, piece.substr(0, PieceSize), marks, sink);
        piece.remove_prefix(PieceSize);
    }
    if (!piece.empty())
        FeedPiece(index, piece, marks, sink);
}

void PassPipeline::FeedPiece(std::size_t index, std::string_view piece, Marks marks, Sink& sink) {
    Pass& pass = passes_[index];
    const std::size_t length = pass.pattern.size();
    if (pass.pending.empty()) {
        const bool needsMark = pass.markAt != std::string_view::npos;
        if (needsMark && !marks.known)
            marks = MarksOf(piece);
        if (needsMark && (marks.words & pass.word) == 0) {
            // No occurrence lies wholly in the piece. One that begins here and ends in a later
            // piece has its mark there, without a mark here; with marks, in the last bytes.
            const std::size_t tail =
                std::min(marks.words == 0 ? pass.markAt : length - 1, piece.size());
            Feed(index + 1, piece.substr(0, piece.size() - tail), marks, sink);
            if (tail > 0)
                Process(index, piece.substr(piece.size() - tail), false, marks, sink);
            return;
        }
        Process(index, piece, false, marks, sink);
        return;
    }
    // Short pieces gather behind pending bytes until they are worth a search of their own.
    if (pass.pending.size() + piece.size() < 2 * length || piece.size() < length) {
        pass.pending.append(piece);
        if (pass.pending.size() >= 2 * length) {
            const std::string gathered = std::move(pass.pending);
            pass.pending.clear();
            Process(index, gathered, false, {}, sink);
        }
        return;
    }
    // An occurrence may begin in the pending bytes and end in this piece.
    std::string& joined = pass.joined;
    joined.assign(pass.pending);
    joined.append(piece.substr(0, length - 1));
    const std::size_t held = pass.pending.size();
    pass.pending.clear();
    std::size_t at = 0;
    for (std::size_t found = pass.pattern.FindIn(joined); found < held;
         found = pass.pattern.FindIn(joined, at)) {
        Feed(index + 1, std::string_view(joined).substr(at, found - at), {}, sink);
        Replace(index, sink);
        at = found + length;
    }
    if (at < held)
        Feed(index + 1, std::string_view(joined).substr(at, held - at), {}, sink);
    // The rest of the piece as a piece of its own, which the marks may let by unsearched.
    const std::string_view rest = piece.substr(std::max(at, held) - held);
    if (!rest.empty())
        FeedPiece(index, rest, marks, sink);
}

void PassPipeline::Process(std::size_t index, std::string_view data, bool last, Marks marks,
                           Sink& sink) {
    Pass& pass = passes_[index];
    const std::size_t length = pass.pattern.size();
    std::size_t at = 0;
    for (std::size_t found = pass.pattern.FindIn(data); found != std::string_view::npos;
         found = pass.pattern.FindIn(data, at)) {
        Feed(index + 1, data.substr(at, found - at), marks, sink);
        Replace(index, sink);
        at = found + length;
    }
    // Only the bytes from where an occurrence could still begin wait for the next piece.
    const std::size_t keptFrom =
        last ? data.size()
             : pass.pattern.PossibleStart(data,
                                          data.size() - std::min(length - 1, data.size() - at));
    Feed(index + 1, data.substr(at, keptFrom - at), marks, sink);
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
        Feed(index + 1, pass.replacement, pass.replacementMarks, sink);
        return;
    }
    pass.writer([this, index, &sink](std::string_view part) { Feed(index + 1, part, {}, sink); });
}

void PassPipeline::Finish(std::size_t index, Sink& sink) {
    if (index == passes_.size())
        return;
    const std::string rest = std::move(passes_[index].pending);
    passes_[index].pending.clear();
    Process(index, rest, true, {}, sink);
    Finish(index + 1, sink);
}
