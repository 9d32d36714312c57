#include "update/UpdateCheck.h"

#include "platform/Tls.h"
#include "util/AppError.h"
#include "util/files/IniFile.h"

#include <charconv>

namespace {

std::size_t Digits(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    return end - at;
}

} // namespace

float ParseVersionNumber(std::string_view text, std::string_view decimalSeparator) {
    std::size_t at = 0;
    auto skipSpaces = [&] {
        while (at < text.size() && text[at] == ' ')
            ++at;
    };
    skipSpaces();
    // The number in the form from_chars reads: "-" at most, "." as separator.
    std::string number;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        number += text[at++] == '-' ? "-" : "";
    std::size_t count = Digits(text, at);
    if (count == 0)
        return 0;
    number += text.substr(at, count);
    at += count;
    if (!decimalSeparator.empty() && text.substr(at).starts_with(decimalSeparator)) {
        at += decimalSeparator.size();
        count = Digits(text, at);
        number += '.';
        number += text.substr(at, count);
        at += count;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        number += 'e';
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            number += text[at++];
        count = Digits(text, at);
        if (count == 0)
            return 0;
        number += text.substr(at, count);
        at += count;
    }
    skipSpaces();
    if (at != text.size())
        return 0;
    float value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size())
        return 0;
    return value;
}

std::string VersionText(float version, std::string_view decimalSeparator) {
    char buffer[64];
    auto result = std::to_chars(std::begin(buffer), std::end(buffer), static_cast<double>(version),
                                std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    if (std::size_t point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, decimalSeparator);
    return text;
}

std::optional<std::string> NewerVersion(const std::filesystem::path& file, float current,
                                        std::string_view decimalSeparator) {
    std::string version = IniFile(file).ReadString("APPLICATION", "Version");
    if (version.empty())
        throw AppError("The update description holds no version.");
    if (current >= ParseVersionNumber(version, decimalSeparator))
        return std::nullopt;
    return version;
}

std::optional<std::string> RefusedCertificateReason(std::string_view failure) {
    namespace Reason = platform::TlsReason;
    if (failure == Reason::SelfSigned)
        return "the server's certificate is self-signed, so nobody vouches for it";
    // Windows names a few more reasons of its own after "certificate not trusted".
    for (const char* refused : {Reason::Expired, Reason::NotYetValid, Reason::OtherHost,
                                Reason::UnknownIssuer, Reason::Revoked, "certificate not trusted"})
        if (failure.starts_with(refused))
            return "the server's " + std::string(failure);
    return std::nullopt;
}
