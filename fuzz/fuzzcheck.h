// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers shared by the fuzz targets: a failed property or a slow call aborts with a message,
// which libFuzzer reports as a crash and saves the input for.

#include <QString>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline void Check(bool holds, const char *property, const QString &detail = {})
{
    if (holds)
        return;
    std::fprintf(stderr, "property failed: %s\n%s\n", property, qUtf8Printable(detail));
    std::abort();
}

// The result of `call`, which must take at most a millisecond. A call over the limit is repeated
// before the input is blamed, so that being preempted on a busy machine is no finding: a truly
// slow input is slow every time. Replayed in the suite (FUZZ_REPLAY), in whatever build and under
// whatever sanitizer, only the properties are checked: time is the fuzzing build's to judge.
template <typename Call> auto WithinAMillisecond(Call call)
{
#ifdef FUZZ_REPLAY
    return call();
#else
    using Clock = std::chrono::steady_clock;
    constexpr auto Limit = std::chrono::milliseconds(1);
    for (int attempt = 0;; ++attempt) {
        const auto start = Clock::now();
        auto result = call();
        const auto elapsed = Clock::now() - start;
        if (elapsed <= Limit)
            return result;
        if (attempt == 2) {
            std::fprintf(
                stderr, "call took %lld us, three times over\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count()));
            std::abort();
        }
    }
#endif
}

// The input as text, byte pairs read as UTF-16 code units (lone surrogates included).
inline QString Utf16Text(const uint8_t *data, size_t size)
{
    QString text;
    text.reserve(qsizetype(size / 2));
    for (size_t i = 0; i + 1 < size; i += 2)
        text += QChar(char16_t(data[i] | data[i + 1] << 8));
    return text;
}
