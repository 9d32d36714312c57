#include "update/ResponseHead.h"

#include "util/AppError.h"
#include "util/text/CaseFolding.h"

#include <charconv>

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && FoldAsciiCase(a) == FoldAsciiCase(b);
}

// True when the comma-separated list Value holds Token (any letter case).
bool ListHolds(std::string_view value, std::string_view token) {
    while (!value.empty()) {
        std::size_t comma = value.find(',');
        if (SameName(TrimBlanks(value.substr(0, comma)), token))
            return true;
        value.remove_prefix(comma == std::string_view::npos ? value.size() : comma + 1);
    }
    return false;
}

std::optional<std::uint64_t> DecimalNumber(std::string_view text) {
    std::uint64_t number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

} // namespace

std::optional<std::string_view> HttpResponseHead::Field(std::string_view name) const {
    for (const auto& [fieldName, value] : fields)
        if (SameName(fieldName, name))
            return value;
    return std::nullopt;
}

std::vector<std::string_view> HttpResponseHead::Fields(std::string_view name) const {
    std::vector<std::string_view> values;
    for (const auto& [fieldName, value] : fields)
        if (SameName(fieldName, name))
            values.push_back(value);
    return values;
}

int ParseStatusCode(std::string_view statusLine) {
    std::size_t start = statusLine.find_first_not_of(' ');
    start = statusLine.find(' ', start);
    start = statusLine.find_first_not_of(' ', start);
    if (start == std::string_view::npos)
        return -1;
    std::string_view word = statusLine.substr(start, statusLine.find(' ', start) - start);
    if (word.size() > 9 || word.find_first_not_of("0123456789") != std::string_view::npos)
        return -1;
    auto number = DecimalNumber(word);
    return number ? static_cast<int>(*number) : -1;
}

std::size_t ResponseHeadParser::Feed(std::string_view bytes) {
    std::size_t used = 0;
    while (!complete_ && used < bytes.size()) {
        std::size_t taken = line_.Feed(bytes.substr(used));
        used += taken;
        size_ += taken;
        if (size_ > LargestResponseHead)
            throw AppError("The response head is too long.");
        if (line_.Complete()) {
            TakeLine(line_.Line());
            line_.Clear();
        }
    }
    return used;
}

void ResponseHeadParser::EndOfInput() {
    if (complete_)
        return;
    if (!line_.Line().empty())
        TakeLine(line_.Line());
    line_.Clear();
    head_.cutShort = true;
    complete_ = true;
}

void ResponseHeadParser::TakeLine(std::string_view line) {
    if (!statusSeen_) {
        statusSeen_ = true;
        head_.statusLine = line;
        head_.status = ParseStatusCode(line);
        return;
    }
    if (line.empty()) {
        complete_ = true;
        return;
    }
    // A folded line continues the field before it (RFC 7230 3.2.4).
    if (line.front() == ' ' || line.front() == '\t') {
        if (!head_.fields.empty()) {
            std::string& value = head_.fields.back().second;
            value += ' ';
            value += TrimBlanks(line);
        }
        return;
    }
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return;
    head_.fields.emplace_back(TrimBlanks(line.substr(0, colon)),
                              TrimBlanks(line.substr(colon + 1)));
}

BodyFraming BodyFramingOf(const HttpResponseHead& head) {
    if ((head.status >= 100 && head.status < 200) || head.status == 204 || head.status == 304)
        return {};
    for (auto coding : head.Fields("Transfer-Encoding"))
        if (FoldAsciiCase(coding).find("chunked") != std::string::npos)
            return {BodyFraming::Chunked};
    if (auto length = head.Field("Content-Length")) {
        if (auto number = DecimalNumber(*length))
            return *number == 0 ? BodyFraming{} : BodyFraming{BodyFraming::Length, *number};
    }
    return {BodyFraming::UntilClose};
}

bool KeepsConnection(const HttpResponseHead& head) {
    if (head.cutShort)
        return false;
    bool keepAlive = false;
    for (auto name : {"Connection", "Proxy-Connection"}) {
        for (auto value : head.Fields(name)) {
            if (ListHolds(value, "close"))
                return false;
            keepAlive = keepAlive || ListHolds(value, "keep-alive");
        }
    }
    // HTTP/1.1 keeps connections unless told otherwise; HTTP/1.0 only when asked (RFC 7230 6.3).
    return head.statusLine.starts_with("HTTP/1.1 ") || keepAlive;
}
