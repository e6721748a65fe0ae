// SPDX-License-Identifier: GPL-3.0-or-later
// The frames' mapping inherited as a handle whose number is the process's argument, and nothing
// else of ours but its pipes; the process started suspended and put in a job object that caps
// its memory and ends it when the console's handle to the job closes, however the console ends.
#include "boardlaunch.h"

#include "sharedframes.h"

#include <QProcess>

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

struct CloseHandleDeleter
{
    void operator()(void *handle) const { CloseHandle(handle); }
};

std::shared_ptr<void> OwnHandle(HANDLE handle)
{
    return handle ? std::shared_ptr<void>(handle, CloseHandleDeleter()) : nullptr;
}

// The job the process runs in: its memory capped, no process of its own, no crash dialog that
// would keep it alive, and ended with the job's last handle, which only the console holds.
std::shared_ptr<void> MakeJob(qint64 memoryLimit)
{
    std::shared_ptr<void> job = OwnHandle(CreateJobObjectW(nullptr, nullptr));
    if (!job)
        return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_PROCESS_MEMORY | JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE |
        JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION | JOB_OBJECT_LIMIT_ACTIVE_PROCESS;
    limits.BasicLimitInformation.ActiveProcessLimit = 1;
    limits.ProcessMemoryLimit = SIZE_T(memoryLimit);
    if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                 sizeof limits))
        return nullptr;
    return job;
}

// The handles the process inherits: those of the list, once each, if they can be inherited at
// all (a program without a console has no standard error to hand on).
std::vector<HANDLE> Inheritable(std::initializer_list<HANDLE> handles)
{
    std::vector<HANDLE> list;
    for (HANDLE handle : handles) {
        DWORD flags = 0;
        if (handle && handle != INVALID_HANDLE_VALUE && GetHandleInformation(handle, &flags) &&
            (flags & HANDLE_FLAG_INHERIT) &&
            std::find(list.begin(), list.end(), handle) == list.end())
            list.push_back(handle);
    }
    return list;
}

// Startup information that names the handles to inherit, built while the process is created.
class HandleList
{
public:
    explicit HandleList(std::vector<HANDLE> handles) : m_handles(std::move(handles))
    {
        SIZE_T bytes = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &bytes);
        m_storage.resize(bytes);
        auto *list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_storage.data());
        if (InitializeProcThreadAttributeList(list, 1, 0, &bytes)) {
            m_list = list;
            if (!UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                                           m_handles.data(), m_handles.size() * sizeof(HANDLE),
                                           nullptr, nullptr))
                m_failed = true;
        }
    }
    ~HandleList()
    {
        if (m_list)
            DeleteProcThreadAttributeList(m_list);
    }
    HandleList(const HandleList &) = delete;
    HandleList &operator=(const HandleList &) = delete;

    // Whether the list could be made; without it every inheritable handle would go along.
    bool isValid() const { return m_list && !m_failed; }
    LPPROC_THREAD_ATTRIBUTE_LIST list() const { return m_list; }

private:
    std::vector<HANDLE> m_handles;
    std::vector<char> m_storage;
    LPPROC_THREAD_ATTRIBUTE_LIST m_list = nullptr;
    bool m_failed = false;
};

} // namespace

void BoardLaunch::start(QProcess &process, const QString &program, const SharedFrames &frames,
                        qint64 memoryLimit)
{
    // The job goes with the process it held: ended already, or ended now with its job.
    m_hold = MakeJob(memoryLimit);
    // The mapping itself is not inheritable, so that no other program started from here gets
    // it; this copy is, for the time it takes to start the board's.
    HANDLE mapping = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), reinterpret_cast<HANDLE>(frames.handle()),
                         GetCurrentProcess(), &mapping, 0, TRUE, DUPLICATE_SAME_ACCESS))
        mapping = nullptr;
    const std::shared_ptr<void> inherited = OwnHandle(mapping);

    // Started suspended, whatever happens: it runs no instruction before it is held by its
    // limits, and one that cannot be held is ended before it ever runs.
    std::unique_ptr<HandleList> handles;
    STARTUPINFOEXW startup = {};
    PROCESS_INFORMATION *created = nullptr;
    process.setCreateProcessArgumentsModifier([&](QProcess::CreateProcessArguments *arguments) {
        arguments->flags |= CREATE_SUSPENDED;
        created = arguments->processInformation;
        const STARTUPINFOW *given = arguments->startupInfo;
        handles = std::make_unique<HandleList>(
            Inheritable({mapping, given->hStdInput, given->hStdOutput, given->hStdError}));
        if (!handles->isValid())
            return;
        startup.StartupInfo = *given;
        startup.StartupInfo.cb = sizeof startup;
        startup.lpAttributeList = handles->list();
        arguments->startupInfo = &startup.StartupInfo;
        arguments->flags |= EXTENDED_STARTUPINFO_PRESENT;
    });
    process.start(program, {QString::number(reinterpret_cast<qintptr>(mapping))});
    process.setCreateProcessArgumentsModifier({});
    if (process.state() == QProcess::NotRunning)
        return;
    if (!m_hold || !inherited || !handles || !handles->isValid() || !created ||
        !AssignProcessToJobObject(m_hold.get(), created->hProcess)) {
        process.kill();
        return;
    }
    ResumeThread(created->hThread);
}
