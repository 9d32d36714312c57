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
        size_ += piece.size();
        if (size_ > limit_)
            throw LimitPassed();
        if (text_)
            text_->append(piece);
    }
    std::size_t size() const { return size_; }

  private:
    std::string* text_;
    std::size_t limit_;
    std::size_t size_ = 0;
};

void PassPipeline::Add(std::string_view pattern, std::string replacement) {
    if (!pattern.empty())
        passes_.push_back({TextFinder(pattern), std::move(replacement), {}});
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

std::optional<std::string> PassPipeline::Run(std::string_view text, std::size_t limit) {
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
    Feed(0, text, sink);
    Finish(0, sink);
}

void PassPipeline::Feed(std::size_t index, std::string_view piece, Sink& sink) {
    if (index == passes_.size()) {
        sink.Take(piece);
        return;
    }
    while (piece.size() > PieceSize) {
        FeedPiece(index, piece.substr(0, PieceSize), sink);
        piece.remove_prefix(PieceSize);
    }
    if (!piece.empty())
        FeedPiece(index, piece, sink);
}

void PassPipeline::FeedPiece(std::size_t index, std::string_view piece, Sink& sink) {
    Pass& pass = passes_[index];
    const std::size_t length = pass.pattern.size();
    if (pass.pending.empty() && piece.size() >= length) {
        Process(index, piece, false, sink);
        return;
    }
    // Short pieces gather until they are worth a search of their own.
    if (pass.pending.size() + piece.size() < 2 * length || piece.size() < length) {
        pass.pending.append(piece);
        if (pass.pending.size() >= 2 * length) {
            const std::string gathered = std::move(pass.pending);
            pass.pending.clear();
            Process(index, gathered, false, sink);
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
        Feed(index + 1, std::string_view(joined).substr(at, found - at), sink);
        Feed(index + 1, pass.replacement, sink);
        at = found + length;
    }
    if (at < held)
        Feed(index + 1, std::string_view(joined).substr(at, held - at), sink);
    Process(index, piece.substr(std::max(at, held) - held), false, sink);
}

void PassPipeline::Process(std::size_t index, std::string_view data, bool last, Sink& sink) {
    Pass& pass = passes_[index];
    const std::size_t length = pass.pattern.size();
    std::size_t at = 0;
    for (std::size_t found = pass.pattern.FindIn(data); found != std::string_view::npos;
         found = pass.pattern.FindIn(data, at)) {
        Feed(index + 1, data.substr(at, found - at), sink);
        Feed(index + 1, pass.replacement, sink);
        at = found + length;
    }
    const std::size_t kept = last ? 0 : std::min(length - 1, data.size() - at);
    Feed(index + 1, data.substr(at, data.size() - at - kept), sink);
    pass.pending.assign(data.substr(data.size() - kept));
}

void PassPipeline::Finish(std::size_t index, Sink& sink) {
    if (index == passes_.size())
        return;
    const std::string rest = std::move(passes_[index].pending);
    passes_[index].pending.clear();
    Process(index, rest, true, sink);
    Finish(index + 1, sink);
}
