// SPDX-License-Identifier: GPL-3.0-or-later
// Linux holds the board's process in four layers, taken on in the order they need: no new
// privileges (which lets an unprivileged process take on the others); a user and a network
// namespace of its own, while it has one thread (no network but a loopback that is down);
// Landlock's rules (reads beneath the given folders only, no writes, and as far as the kernel's
// ABI goes no TCP, no signals or abstract sockets out of its domain); last a seccomp filter,
// which refuses the calls that reach past the rest or would undo them.
#include "confinement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>

#include <bit>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <link.h>
#include <linux/audit.h>
#include <linux/capability.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The sanitizers of the suite's own runs: the address sanitizer's leak checker stops the
// process's threads with ptrace as it ends, and a sanitizer reads the process's memory map and
// the program's own file.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool LeakCheckerTraces = true;
#else
constexpr bool LeakCheckerTraces = false;
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool UnderSanitizer = true;
#else
constexpr bool UnderSanitizer = false;
#endif

// The processor whose calls the filter names; calls made the way another one makes them (a
// 32-bit call on a 64-bit kernel) end the process.
#if defined(__x86_64__)
constexpr std::uint32_t FilterArchitecture = AUDIT_ARCH_X86_64;
// Calls of the x32 interface share the architecture, with this bit set in their number.
constexpr std::uint32_t ForeignCallBit = 0x40000000;
#elif defined(__aarch64__)
constexpr std::uint32_t FilterArchitecture = AUDIT_ARCH_AARCH64;
constexpr std::uint32_t ForeignCallBit = 0;
#else
constexpr std::uint32_t FilterArchitecture = 0; // no filter written for this processor
constexpr std::uint32_t ForeignCallBit = 0;
#endif

// Landlock's interface up to its ABI 6 (7 adds only logging), spelled here: the system's header
// may be older than the kernel the program runs on.
namespace Landlock {

struct RulesetAttributes
{
    std::uint64_t handledAccessFs;
    std::uint64_t handledAccessNet; // ABI 4
    std::uint64_t scoped;           // ABI 6
};

struct [[gnu::packed]] PathBeneath
{
    std::uint64_t allowedAccess;
    std::int32_t parentFd;
};

constexpr std::uint32_t CreateRulesetVersion = 1U << 0;
constexpr int RulePathBeneath = 1;

constexpr std::uint64_t ReadFile = 1ULL << 2;
constexpr std::uint64_t ReadDir = 1ULL << 3;
// Execute, write, read, read a folder, remove and make each kind of file (ABI 1).
constexpr std::uint64_t FirstAccess = (1ULL << 13) - 1;
constexpr std::uint64_t Refer = 1ULL << 13;    // ABI 2
constexpr std::uint64_t Truncate = 1ULL << 14; // ABI 3
constexpr std::uint64_t IoctlDev = 1ULL << 15; // ABI 5

constexpr std::uint64_t BindTcp = 1ULL << 0;
constexpr std::uint64_t ConnectTcp = 1ULL << 1;

constexpr std::uint64_t ScopeAbstractUnixSocket = 1ULL << 0;
constexpr std::uint64_t ScopeSignal = 1ULL << 1;

constexpr int NetworkAbi = 4;
constexpr int ScopeAbi = 6;

// Every file access the ABI knows: what is handled and given no rule is refused.
std::uint64_t HandledFileAccess(int abi)
{
    std::uint64_t access = FirstAccess;
    if (abi >= 2)
        access |= Refer;
    if (abi >= 3)
        access |= Truncate;
    if (abi >= 5)
        access |= IoctlDev;
    return access;
}

int Abi()
{
    const long abi = syscall(SYS_landlock_create_ruleset, nullptr, 0, CreateRulesetVersion);
    return abi < 0 ? 0 : int(abi);
}

} // namespace Landlock

QString SystemError(int error)
{
    return qt_error_string(error).toLower();
}

int ThreadCount()
{
    return int(QDir(u"/proc/self/task"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

// What Qt reads while it plays, besides the board: the libraries the process has loaded and
// those it may load later (Qt's plugins and QML modules), the loader's cache, the fonts with
// fontconfig's configuration and cache (which fontconfig reads again when it looks for changes),
// and the time zones. Under a sanitizer also the process's own entries in /proc (its memory map,
// its threads) and the program's folder, which the sanitizer reads to stop the threads and name
// the places it reports.
QStringList SystemReadable()
{
    QStringList paths = {
        QLibraryInfo::path(QLibraryInfo::LibrariesPath),
        QLibraryInfo::path(QLibraryInfo::PluginsPath),
        QLibraryInfo::path(QLibraryInfo::QmlImportsPath),
        u"/etc/ld.so.cache"_s,
        u"/etc/fonts"_s,
        u"/usr/share/fontconfig"_s,
        u"/usr/share/fonts"_s,
        u"/usr/local/share/fonts"_s,
        u"/var/cache/fontconfig"_s,
        u"/usr/share/zoneinfo"_s,
        u"/etc/localtime"_s,
    };
    dl_iterate_phdr(
        [](dl_phdr_info *library, size_t, void *data) {
            const QString name = QFile::decodeName(library->dlpi_name);
            if (QDir::isAbsolutePath(name))
                static_cast<QStringList *>(data)->append(QFileInfo(name).absolutePath());
            return 0;
        },
        &paths);
    if (UnderSanitizer)
        paths += {u"/proc/self"_s, QFileInfo(u"/proc/self/exe"_s).canonicalPath()};
    paths.removeDuplicates();
    return paths;
}

// Enters a user and a network namespace of the process's own, and gives up the capabilities the
// new namespace lends: nothing here needs them. The failure, or an empty text.
QString EnterOwnNamespaces()
{
    if (unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0) {
        const int error = errno;
        if (error == EPERM || error == EACCES)
            return u"not allowed to unprivileged users here"_s;
        return SystemError(error);
    }
    __user_cap_header_struct header = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct none[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capset, &header, none) != 0)
        return u"its capabilities could not be dropped: "_s + SystemError(errno);
    return {};
}

// Reads beneath `readable` and nothing else; no TCP and no signals or abstract sockets out of
// the process's domain where the ABI has them. The failure, or an empty text.
QString RestrictFiles(int abi, const QStringList &readable)
{
    Landlock::RulesetAttributes attributes = {};
    attributes.handledAccessFs = Landlock::HandledFileAccess(abi);
    if (abi >= Landlock::NetworkAbi)
        attributes.handledAccessNet = Landlock::BindTcp | Landlock::ConnectTcp;
    if (abi >= Landlock::ScopeAbi)
        attributes.scoped = Landlock::ScopeAbstractUnixSocket | Landlock::ScopeSignal;
    const int ruleset =
        int(syscall(SYS_landlock_create_ruleset, &attributes, sizeof attributes, 0U));
    if (ruleset < 0)
        return SystemError(errno);
    QString failure;
    for (const QString &path : readable) {
        const int file = open(QFile::encodeName(path).constData(), O_PATH | O_CLOEXEC);
        if (file < 0)
            continue; // not on this system
        struct stat info = {};
        Landlock::PathBeneath rule = {Landlock::ReadFile, file};
        if (fstat(file, &info) == 0 && S_ISDIR(info.st_mode))
            rule.allowedAccess |= Landlock::ReadDir;
        if (syscall(SYS_landlock_add_rule, ruleset, Landlock::RulePathBeneath, &rule, 0U) != 0)
            failure = path + u": "_s + SystemError(errno);
        close(file);
        if (!failure.isEmpty())
            break;
    }
    if (failure.isEmpty() && syscall(SYS_landlock_restrict_self, ruleset, 0U) != 0)
        failure = SystemError(errno);
    close(ruleset);
    return failure;
}

constexpr std::uint32_t Refused = SECCOMP_RET_ERRNO | EPERM;

// A seccomp program, written as its instructions run.
class Filter
{
public:
    void load(std::uint32_t offset) { add(BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offset)); }
    void loadCall() { load(offsetof(seccomp_data, nr)); }
    // The low half of a call's argument, all of it that the calls named here read.
    void loadArgument(int index)
    {
        const std::uint32_t low = std::endian::native == std::endian::little ? 0 : 4;
        load(std::uint32_t(offsetof(seccomp_data, args) + 8 * index + low));
    }
    // Skips the next `skip` instructions unless the accumulator is `value`.
    void unlessEqual(std::uint32_t value, std::uint8_t skip)
    {
        add(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, value, 0, skip));
    }
    void give(std::uint32_t verdict) { add(BPF_STMT(BPF_RET | BPF_K, verdict)); }
    void add(sock_filter instruction) { m_program.push_back(instruction); }

    // Returns `verdict` for the call `call`, whatever its arguments.
    void answer(long call, std::uint32_t verdict)
    {
        unlessEqual(std::uint32_t(call), 1);
        give(verdict);
    }
    // For the call `call`: allowed when its first argument is this process, refused otherwise.
    void onlyTowardItself(long call, pid_t self)
    {
        unlessEqual(std::uint32_t(call), 4);
        loadArgument(0);
        add(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, std::uint32_t(self), 0, 1));
        give(SECCOMP_RET_ALLOW);
        give(Refused);
    }

    sock_fprog program()
    {
        return {static_cast<unsigned short>(m_program.size()), m_program.data()};
    }

private:
    std::vector<sock_filter> m_program;
};

// Refuses what Landlock and the namespaces leave open or cannot hold on every kernel: new
// sockets of every family (Qt's offscreen drawing uses none), starting programs, tracing and
// reading or writing another process's memory, signals to any process but this one, resizing a
// file (the frames' above all, which the console sized), new namespaces and mounts, and the
// kernel's interfaces that reach past the filter or widen what it lets the process try.
Filter SeccompFilter(pid_t self)
{
    Filter filter;
    filter.load(offsetof(seccomp_data, arch));
    filter.add(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, FilterArchitecture, 1, 0));
    filter.give(SECCOMP_RET_KILL_PROCESS);
    filter.loadCall();
    if (ForeignCallBit != 0) {
        filter.add(BPF_JUMP(BPF_JMP | BPF_JGE | BPF_K, ForeignCallBit, 0, 1));
        filter.give(SECCOMP_RET_KILL_PROCESS);
    }
    for (const long call : {
             SYS_socket,
             SYS_execve,
             SYS_execveat,
             SYS_process_vm_readv,
             SYS_process_vm_writev,
             SYS_tkill,
             SYS_pidfd_open,
             SYS_pidfd_send_signal,
             SYS_pidfd_getfd,
             SYS_ftruncate,
             SYS_truncate,
             SYS_fallocate,
             SYS_unshare,
             SYS_setns,
             SYS_mount,
             SYS_umount2,
             SYS_pivot_root,
             SYS_move_mount,
             SYS_open_tree,
             SYS_fsopen,
             SYS_fsmount,
             SYS_fspick,
             SYS_mount_setattr,
             SYS_open_by_handle_at,
             SYS_keyctl,
             SYS_add_key,
             SYS_request_key,
             SYS_bpf,
             SYS_perf_event_open,
             SYS_userfaultfd,
             SYS_io_uring_setup,
             SYS_io_uring_enter,
             SYS_io_uring_register,
             SYS_kcmp,
             SYS_process_madvise,
         })
        filter.answer(call, Refused);
    if (!LeakCheckerTraces)
        filter.answer(SYS_ptrace, Refused);
    for (const long call : {SYS_kill, SYS_tgkill, SYS_rt_sigqueueinfo, SYS_rt_tgsigqueueinfo})
        filter.onlyTowardItself(call, self);
    // A thread, never a process in new namespaces; clone3's flags lie behind a pointer the filter
    // cannot read, so the C library is told it does not exist and falls back on clone.
    filter.answer(SYS_clone3, SECCOMP_RET_ERRNO | ENOSYS);
    filter.unlessEqual(SYS_clone, 4);
    filter.loadArgument(0);
    filter.add(BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K,
                        CLONE_NEWNS | CLONE_NEWCGROUP | CLONE_NEWUTS | CLONE_NEWIPC |
                            CLONE_NEWUSER | CLONE_NEWPID | CLONE_NEWNET,
                        0, 1));
    filter.give(Refused);
    filter.give(SECCOMP_RET_ALLOW);
    // No keys typed into the terminal the standard error may lead to.
    filter.unlessEqual(SYS_ioctl, 5);
    filter.loadArgument(1);
    filter.add(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, TIOCSTI, 2, 0));
    filter.add(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, TIOCLINUX, 1, 0));
    filter.give(SECCOMP_RET_ALLOW);
    filter.give(Refused);
    filter.give(SECCOMP_RET_ALLOW);
    return filter;
}

// The failure, or an empty text. Every thread takes the filter on, however many there are.
QString FilterCalls()
{
    Filter filter = SeccompFilter(getpid());
    sock_fprog program = filter.program();
    const long failed =
        syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, SECCOMP_FILTER_FLAG_TSYNC, &program);
    if (failed < 0)
        return SystemError(errno);
    if (failed > 0)
        return u"thread %1 could not take it on"_s.arg(failed);
    return {};
}

} // namespace

void CloseInheritedHandles(qintptr frames)
{
    constexpr unsigned FirstAfterPipes = 3;
    const auto kept = unsigned(qMax(frames, qintptr(0)));
    if (kept > FirstAfterPipes)
        close_range(FirstAfterPipes, kept - 1, 0);
    close_range(qMax(FirstAfterPipes, kept + 1), ~0U, 0);
}

ConfinementReport Confine(const QStringList &readableFolders)
{
    ConfinementReport report;
    const int threads = ThreadCount();
    const QString notAlone = u"the process already had %1 threads"_s.arg(threads);

    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0)
        report.held.append(u"no new privileges"_s);
    else
        report.lacking.append(u"no new privileges: "_s + SystemError(errno));

    const QString namespaces = threads == 1 ? EnterOwnNamespaces() : notAlone;
    if (namespaces.isEmpty())
        report.held.append(u"user and network namespaces of its own: no network at all"_s);
    else
        report.lacking.append(u"user and network namespaces of its own: "_s + namespaces);

    const int abi = Landlock::Abi();
    const QString landlock = u"Landlock ABI %1"_s.arg(abi);
    if (abi == 0) {
        report.lacking.append(u"Landlock: not offered by this kernel"_s);
    } else if (threads != 1) {
        report.lacking.append(landlock + u": "_s + notAlone);
    } else if (const QString failure = RestrictFiles(abi, readableFolders + SystemReadable());
               !failure.isEmpty()) {
        report.lacking.append(landlock + u": "_s + failure);
    } else {
        QString held = landlock + u": reads only the board's folder and what Qt needs, "
                                  u"writes nothing"_s;
        if (abi >= Landlock::NetworkAbi)
            held += u", no TCP"_s;
        else
            report.lacking.append(landlock + u": no TCP rules before ABI 4"_s);
        if (abi >= Landlock::ScopeAbi)
            held += u", no signals or abstract sockets outside"_s;
        else
            report.lacking.append(landlock +
                                  u": no scopes for signals and abstract sockets before ABI 6"_s);
        report.held.append(held);
        if (UnderSanitizer)
            report.lacking.append(landlock + u": its own /proc entries and the program's folder "
                                             u"readable, for the sanitizer"_s);
    }

    if (FilterArchitecture == 0) {
        report.lacking.append(u"seccomp filter: none written for this processor"_s);
    } else if (const QString failure = FilterCalls(); !failure.isEmpty()) {
        report.lacking.append(u"seccomp filter: "_s + failure);
    } else {
        report.held.append(u"seccomp filter: no new sockets, programs, tracing, other "
                           u"processes' memory or signals, resized files"_s);
        if (LeakCheckerTraces)
            report.lacking.append(u"seccomp filter: tracing allowed for the address "
                                  u"sanitizer's leak checker"_s);
    }
    return report;
}
