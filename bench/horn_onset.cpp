// SPDX-License-Identifier: GPL-3.0-or-later
// When the horn starts after the clock shows "0.0", and how much of it is heard: the display
// control's countdown run out a few times while parec records the sound server's output.
//
// Usage, with a sound server whose default output is a null sink (bench/horn.sh starts one):
//   horn_onset <monitor source> [horns]      e.g. horn_onset bench.monitor 4

#include "benchsupport.h"
#include "displaycontrol.h"

#include <QApplication>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace std::chrono_literals;
using namespace Bench;

namespace {

constexpr int Rate = 48000;
// Louder than the null sink's silence and the resampler's dither, far below the horn.
constexpr int Threshold = 1000;

// The samples recorded, and when the recording's first sample was made: each chunk read gives
// an upper bound (it was made before it was read), the least of them the closest.
struct Recording
{
    std::vector<qint16> samples;
    Clock::time_point origin = Clock::time_point::max();

    void add(const QByteArray &bytes, Clock::time_point read)
    {
        const size_t before = samples.size();
        samples.resize(before + size_t(bytes.size()) / 2);
        std::memcpy(samples.data() + before, bytes.constData(), (samples.size() - before) * 2);
        origin = std::min(origin,
                          read - std::chrono::duration_cast<Clock::duration>(
                                     std::chrono::duration<double>(double(samples.size()) / Rate)));
    }
    Clock::time_point at(size_t sample) const
    {
        return origin + std::chrono::duration_cast<Clock::duration>(
                            std::chrono::duration<double>(double(sample) / Rate));
    }
    size_t sampleAt(Clock::time_point time) const
    {
        return size_t(std::max(0.0, std::chrono::duration<double>(time - origin).count() * Rate));
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: horn_onset <monitor source> [horns]\n");
        return 2;
    }
    const int horns = argc > 2 ? std::max(1, std::atoi(argv[2])) : 4;

    QProcess parec;
    Recording recording;
    QObject::connect(&parec, &QProcess::readyReadStandardOutput, &app,
                     [&] { recording.add(parec.readAllStandardOutput(), Clock::now()); });
    parec.start(QStringLiteral("parec"),
                {QStringLiteral("--device=") + QString::fromLocal8Bit(argv[1]),
                 QStringLiteral("--format=s16le"), QStringLiteral("--rate=48000"),
                 QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=2"),
                 QStringLiteral("--raw")});
    if (!parec.waitForStarted()) {
        std::fprintf(stderr, "horn_onset: parec did not start\n");
        return 1;
    }

    DisplayControl control;
    Wait(1500ms);
    std::vector<Clock::time_point> deadlines;
    for (int i = 0; i < horns; ++i) {
        control.SetVariable(QStringLiteral("s_min"), QStringLiteral("0"));
        control.SetVariable(QStringLiteral("s_sec"), QStringLiteral("1"));
        control.GotoFrame(0);
        control.Play();
        control.Play();
        const auto remaining =
            std::chrono::milliseconds(control.GetVariable(QStringLiteral("sec")).toInt() * 1000 +
                                      control.GetVariable(QStringLiteral("mil")).toInt());
        deadlines.push_back(Clock::now() + remaining);
        Wait(3000ms);
    }
    Wait(500ms); // the last of the recording through the pipe
    parec.kill();
    parec.waitForFinished();
    recording.add(parec.readAllStandardOutput(), Clock::time_point::max());

    std::printf("recorded %.1f s\n", double(recording.samples.size()) / Rate);
    std::printf("horn  onset after 0.0   heard for\n");
    for (size_t i = 0; i < deadlines.size(); ++i) {
        const size_t from = recording.sampleAt(deadlines[i] - 200ms);
        const size_t to =
            std::min(recording.samples.size(), recording.sampleAt(deadlines[i] + 2500ms));
        size_t first = to, last = from;
        for (size_t s = from; s < to; ++s) {
            if (std::abs(int(recording.samples[s])) > Threshold) {
                first = std::min(first, s);
                last = s;
            }
        }
        if (first >= to) {
            std::printf("%4zu  not heard\n", i + 1);
            continue;
        }
        std::printf("%4zu  %9.1f ms   %9.1f ms\n", i + 1,
                    Milliseconds(recording.at(first) - deadlines[i]),
                    double(last - first) * 1000.0 / Rate);
    }
    return 0;
}
