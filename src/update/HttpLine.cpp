#include "update/HttpLine.h"

#include "util/AppError.h"

std::size_t HttpLineReader::Feed(std::string_view bytes) {
    if (complete_)
        return 0;
    std::size_t end = bytes.find('\n');
    std::string_view piece = bytes.substr(0, end);
    // One byte of slack: a CR that the LF still to come would drop.
    if (line_.size() + piece.size() > LongestHttpLine + 1)
        throw AppError("Max line length exceeded.");
    line_ += piece;
    if (end == std::string_view::npos)
        return bytes.size();
    if (line_.ends_with('\r'))
        line_.pop_back();
    if (line_.size() > LongestHttpLine)
        throw AppError("Max line length exceeded.");
    complete_ = true;
    return end + 1;
}

void HttpLineReader::Clear() {
    line_.clear();
    complete_ = false;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}
