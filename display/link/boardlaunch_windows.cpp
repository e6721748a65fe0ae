// SPDX-License-Identifier: GPL-3.0-or-later
// The frames' mapping inherited as a handle whose number is the process's argument, and nothing
// else of ours but its pipes; the process started suspended and put in a job object that caps
// its memory, allows it no other process and no other process's windows, clipboard, desktops or
// settings, and ends it when the console's handle to the job closes, however the console ends.
// It runs in an AppContainer without capabilities where the program's folder can be let in:
// it then reads only what is granted to it or to every app container (the program's folder, the
// system's, the boards it is let read), writes nothing of the user's, reaches no network and
// starts no process.
#include "boardlaunch.h"

#include "sharedframes.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <string>
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

struct LocalFreeDeleter
{
    void operator()(void *memory) const { LocalFree(memory); }
};

// The board's AppContainer, one name for every start, so that what is granted to it once (an
// entry in a folder's access list) is granted for good rather than once more each start. None
// where the system has no app containers (Windows 7, Wine): the call is looked up, so that the
// program still starts there.
std::shared_ptr<void> ContainerSid()
{
    using Derive = HRESULT(WINAPI *)(PCWSTR, PSID *);
    const auto derive = reinterpret_cast<Derive>(reinterpret_cast<void (*)()>(
        GetProcAddress(LoadLibraryW(L"userenv.dll"), "DeriveAppContainerSidFromAppContainerName")));
    PSID sid = nullptr;
    if (!derive || FAILED(derive(L"Brevanto.Board", &sid)))
        return nullptr;
    return std::shared_ptr<void>(sid, [](void *owned) { FreeSid(owned); });
}

constexpr ACCESS_MASK Reading = FILE_GENERIC_READ | FILE_GENERIC_EXECUTE;

// Whether the container may read (and load DLLs from) what lies in `folder`: where every app
// container may (Program Files, the system's folders) or it was granted before; else it is
// granted now, an entry for it alone added to the folder's access list, which what lies in the
// folder inherits. False where it may not and cannot be granted.
bool Admit(PSID container, const QString &folder)
{
    std::wstring path =
        QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath()).toStdWString();
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &list, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const std::unique_ptr<void, LocalFreeDeleter> ownedDescriptor(descriptor);
    if (!list)
        return true; // no access list at all (a FAT drive): everyone may
    PSID everyContainer = nullptr;
    ConvertStringSidToSidW(L"S-1-15-2-1", &everyContainer);
    const std::unique_ptr<void, LocalFreeDeleter> ownedEveryContainer(everyContainer);
    const auto mayRead = [list](PSID sid) {
        if (!sid)
            return false;
        TRUSTEE_W trustee = {};
        BuildTrusteeWithSidW(&trustee, sid);
        ACCESS_MASK rights = 0;
        return GetEffectiveRightsFromAclW(list, &trustee, &rights) == ERROR_SUCCESS &&
               (rights & Reading) == Reading;
    };
    if (mayRead(container) || mayRead(everyContainer))
        return true;
    EXPLICIT_ACCESS_W grant = {};
    grant.grfAccessPermissions = Reading;
    grant.grfAccessMode = GRANT_ACCESS;
    grant.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    BuildTrusteeWithSidW(&grant.Trustee, container);
    PACL granted = nullptr;
    if (SetEntriesInAclW(1, &grant, list, &granted) != ERROR_SUCCESS)
        return false;
    const std::unique_ptr<void, LocalFreeDeleter> ownedGranted(granted);
    return SetNamedSecurityInfoW(path.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                 nullptr, granted, nullptr) == ERROR_SUCCESS;
}

// What the console keeps while the process runs: its job, and its AppContainer if it has one.
struct Hold
{
    std::shared_ptr<void> job;
    std::shared_ptr<void> container;
};

// The job the process runs in: its memory capped, no process of its own, no crash dialog that
// would keep it alive, no handle to another process's windows, no clipboard, no desktop, display
// or system setting changed, and ended with the job's last handle, which only the console holds.
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
    JOBOBJECT_BASIC_UI_RESTRICTIONS ui = {};
    ui.UIRestrictionsClass = JOB_OBJECT_UILIMIT_HANDLES | JOB_OBJECT_UILIMIT_READCLIPBOARD |
                             JOB_OBJECT_UILIMIT_WRITECLIPBOARD | JOB_OBJECT_UILIMIT_DESKTOP |
                             JOB_OBJECT_UILIMIT_DISPLAYSETTINGS | JOB_OBJECT_UILIMIT_EXITWINDOWS |
                             JOB_OBJECT_UILIMIT_GLOBALATOMS | JOB_OBJECT_UILIMIT_SYSTEMPARAMETERS;
    if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                 sizeof limits) ||
        !SetInformationJobObject(job.get(), JobObjectBasicUIRestrictions, &ui, sizeof ui))
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

// Startup information made while the process is created: the handles it inherits, and where the
// system offers them, its AppContainer and no child process of its own.
class StartupAttributes
{
public:
    StartupAttributes(std::vector<HANDLE> handles, PSID container) : m_handles(std::move(handles))
    {
        constexpr DWORD Count = 3;
        SIZE_T bytes = 0;
        InitializeProcThreadAttributeList(nullptr, Count, 0, &bytes);
        m_storage.resize(bytes);
        auto *list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_storage.data());
        if (!InitializeProcThreadAttributeList(list, Count, 0, &bytes))
            return;
        m_list = list;
        m_inheritance =
            UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, m_handles.data(),
                                      m_handles.size() * sizeof(HANDLE), nullptr, nullptr);
        m_capabilities.AppContainerSid = container;
        if (container)
            UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_SECURITY_CAPABILITIES,
                                      &m_capabilities, sizeof m_capabilities, nullptr, nullptr);
        UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_CHILD_PROCESS_POLICY,
                                  &m_childPolicy, sizeof m_childPolicy, nullptr, nullptr);
    }
    ~StartupAttributes()
    {
        if (m_list)
            DeleteProcThreadAttributeList(m_list);
    }
    StartupAttributes(const StartupAttributes &) = delete;
    StartupAttributes &operator=(const StartupAttributes &) = delete;

    // Whether the handles are named; without them every inheritable handle would go along.
    bool isValid() const { return m_list && m_inheritance; }
    LPPROC_THREAD_ATTRIBUTE_LIST list() const { return m_list; }

private:
    std::vector<HANDLE> m_handles;
    SECURITY_CAPABILITIES m_capabilities = {};
    DWORD m_childPolicy = PROCESS_CREATION_CHILD_PROCESS_RESTRICTED;
    std::vector<char> m_storage;
    LPPROC_THREAD_ATTRIBUTE_LIST m_list = nullptr;
    bool m_inheritance = false;
};

} // namespace

void BoardLaunch::start(QProcess &process, const QString &program, const SharedFrames &frames,
                        qint64 memoryLimit)
{
    // The job goes with the process it held: ended already, or ended now with its job.
    auto hold = std::make_shared<Hold>();
    hold->job = MakeJob(memoryLimit);
    // Without the program's folder let in, the process could not load its own DLLs.
    hold->container = ContainerSid();
    if (hold->container && !Admit(hold->container.get(), QFileInfo(program).absolutePath()))
        hold->container = nullptr;
    m_hold = hold;
    // The mapping itself is not inheritable, so that no other program started from here gets
    // it; this copy is, for the time it takes to start the board's.
    HANDLE mapping = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), reinterpret_cast<HANDLE>(frames.handle()),
                         GetCurrentProcess(), &mapping, 0, TRUE, DUPLICATE_SAME_ACCESS))
        mapping = nullptr;
    const std::shared_ptr<void> inherited = OwnHandle(mapping);

    // Started suspended, whatever happens: it runs no instruction before it is held by its
    // limits, and one that cannot be held is ended before it ever runs.
    std::unique_ptr<StartupAttributes> attributes;
    STARTUPINFOEXW startup = {};
    PROCESS_INFORMATION *created = nullptr;
    process.setCreateProcessArgumentsModifier([&](QProcess::CreateProcessArguments *arguments) {
        arguments->flags |= CREATE_SUSPENDED;
        created = arguments->processInformation;
        const STARTUPINFOW *given = arguments->startupInfo;
        attributes = std::make_unique<StartupAttributes>(
            Inheritable({mapping, given->hStdInput, given->hStdOutput, given->hStdError}),
            hold->container.get());
        if (!attributes->isValid())
            return;
        startup.StartupInfo = *given;
        startup.StartupInfo.cb = sizeof startup;
        startup.lpAttributeList = attributes->list();
        arguments->startupInfo = &startup.StartupInfo;
        arguments->flags |= EXTENDED_STARTUPINFO_PRESENT;
    });
    // What Windows itself needs; Qt adds PATH, which the system's DLLs are found by.
    process.setProcessEnvironment(Environment(
        QProcessEnvironment::systemEnvironment(),
        {QStringLiteral("SystemRoot"), QStringLiteral("SystemDrive"), QStringLiteral("windir")}));
    process.start(program, {QString::number(reinterpret_cast<qintptr>(mapping))});
    process.setCreateProcessArgumentsModifier({});
    if (process.state() == QProcess::NotRunning)
        return;
    if (!hold->job || !inherited || !attributes || !attributes->isValid() || !created ||
        !AssignProcessToJobObject(hold->job.get(), created->hProcess)) {
        process.kill();
        return;
    }
    ResumeThread(created->hThread);
}

bool BoardLaunch::admit(const QString &folder)
{
    const auto *hold = static_cast<const Hold *>(m_hold.get());
    return !hold || !hold->container || Admit(hold->container.get(), folder);
}
