// SPDX-License-Identifier: GPL-3.0-or-later
// The frames on file descriptor 3 and every descriptor above it closed at the start, the address
// space limited, and a parent-death signal.
#include "boardlaunch.h"

#include "sharedframes.h"

#include <QProcess>

#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Where the board's process finds its frames.
constexpr int FramesDescriptor = 3;

// A sanitizer reserves terabytes of address space for itself at start-up: under one, the
// memory limit is left to the console's own check of the process's memory.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool LimitAddressSpace = false;
#else
constexpr bool LimitAddressSpace = true;
#endif

} // namespace

void BoardLaunch::start(QProcess &process, const QString &program, const SharedFrames &frames,
                        qint64 memoryLimit)
{
    const int descriptor = int(frames.handle());
    process.setChildProcessModifier([descriptor, memoryLimit] {
        // In the new process, before it becomes the board's: only calls safe after a fork.
        if (descriptor == FramesDescriptor)
            fcntl(FramesDescriptor, F_SETFD, 0);
        else
            dup2(descriptor, FramesDescriptor);
        // Marked rather than closed: QProcess's own pipe must last until the program starts.
        close_range(FramesDescriptor + 1, ~0U, CLOSE_RANGE_CLOEXEC);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (LimitAddressSpace) {
            const rlimit limit{rlim_t(memoryLimit), rlim_t(memoryLimit)};
            setrlimit(RLIMIT_AS, &limit);
        }
    });
    // Without it Qt would make a folder for it and say so on every start.
    process.setProcessEnvironment(
        Environment(QProcessEnvironment::systemEnvironment(), {QStringLiteral("XDG_RUNTIME_DIR")}));
    process.start(program, {QString::number(FramesDescriptor)});
}

// The process confines itself to the folder of the board it is told to load.
bool BoardLaunch::admit(const QString &)
{
    return true;
}
