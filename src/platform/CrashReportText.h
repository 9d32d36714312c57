#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Text for crash reports, put together without allocating: a crashed process may have a broken
// heap, and a signal handler may not call malloc at all.
namespace platform {

class FixedText {
  public:
    void clear() { size_ = 0; }

    FixedText& add(std::string_view text) {
        for (char letter : text)
            if (size_ < Capacity)
                bytes_[size_++] = letter;
        return *this;
    }

    // Decimal, padded with zeros to Width digits.
    FixedText& addDecimal(std::uint64_t value, int width = 1) {
        char digits[20];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0 && count < 20);
        for (int pad = count; pad < width; ++pad)
            add("0");
        while (count > 0)
            add(std::string_view(&digits[--count], 1));
        return *this;
    }

    FixedText& addHex(std::uint64_t value) {
        add("0x");
        for (int shift = 60; shift >= 0; shift -= 4)
            add(std::string_view(&"0123456789abcdef"[(value >> shift) & 0xf], 1));
        return *this;
    }

    std::string_view view() const { return {bytes_, size_}; }
    // Null-terminated, for the system calls that take names.
    const char* c_str() {
        bytes_[size_ < Capacity ? size_ : Capacity - 1] = '\0';
        return bytes_;
    }

  private:
    static constexpr std::size_t Capacity = 4095;
    char bytes_[Capacity + 1];
    std::size_t size_ = 0;
};

struct CivilTime {
    std::uint64_t year, month, day, hour, minute, second;
};

// The UTC date and time of a count of seconds since 1970, by the days-from-civil algorithm
// run backwards; the C library's gmtime may take locks.
inline CivilTime CivilTimeOf(std::uint64_t secondsSince1970) {
    const std::int64_t days = static_cast<std::int64_t>(secondsSince1970 / 86400) + 719468;
    const std::int64_t era = days / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const std::int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    const std::uint64_t ofDay = secondsSince1970 % 86400;
    return {static_cast<std::uint64_t>(year),
            static_cast<std::uint64_t>(month),
            static_cast<std::uint64_t>(dayOfYear - (153 * monthIndex + 2) / 5 + 1),
            ofDay / 3600,
            ofDay / 60 % 60,
            ofDay % 60};
}

// "crash-20261210-045501-1234": sorts by time, and names the process.
inline void AddReportStem(FixedText& text, const CivilTime& time, std::uint64_t processId) {
    text.add("crash-").addDecimal(time.year, 4).addDecimal(time.month, 2).addDecimal(time.day, 2);
    text.add("-").addDecimal(time.hour, 2).addDecimal(time.minute, 2).addDecimal(time.second, 2);
    text.add("-").addDecimal(processId);
}

// "2026-12-10 04:55:01 UTC".
inline void AddReportTime(FixedText& text, const CivilTime& time) {
    text.addDecimal(time.year, 4).add("-").addDecimal(time.month, 2).add("-");
    text.addDecimal(time.day, 2).add(" ").addDecimal(time.hour, 2).add(":");
    text.addDecimal(time.minute, 2).add(":").addDecimal(time.second, 2).add(" UTC");
}

// The reason the next report names, kept where a crashed process can still read it.
FixedText& CrashReasonText();

// The terminate handler of both systems: notes the uncaught exception's type and aborts.
[[noreturn]] void AbortOnTerminate();

} // namespace platform
