// SPDX-License-Identifier: GPL-3.0-or-later
// Windows holds the board's process in what the console started it in: an AppContainer without
// capabilities (it reads only what is granted to it or to every app container: the board's
// folder, the program's, the system's; it writes nothing of the user's and reaches no network),
// at low integrity, in a job that allows it one process and no other process's windows,
// clipboard, desktops or settings, with no child process of its own. Here the process lowers
// what it can lower itself, for good (its integrity, its privileges, the DLLs it will load),
// and reports what holds it.
#include "confinement.h"

#include <QDir>

#include <windows.h>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

QString SystemError()
{
    return qt_error_string(int(GetLastError())).toLower();
}

struct TokenCloser
{
    void operator()(HANDLE token) const { CloseHandle(token); }
};
using Token = std::unique_ptr<void, TokenCloser>;

bool InAppContainer(HANDLE token)
{
    DWORD isContainer = 0;
    DWORD size = 0;
    return GetTokenInformation(token, TokenIsAppContainer, &isContainer, sizeof isContainer,
                               &size) &&
           isContainer != 0;
}

// Whether the process may list and read `folder`.
bool MayRead(const QString &folder)
{
    HANDLE handle =
        CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(folder).utf16()),
                    GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}

// Low integrity, which no process can raise again: nothing written where the user's own
// processes write, no process or window of the user's opened for more than a look. The
// failure, or an empty text.
QString LowerIntegrity(HANDLE token)
{
    SID_IDENTIFIER_AUTHORITY label = SECURITY_MANDATORY_LABEL_AUTHORITY;
    PSID low = nullptr;
    if (!AllocateAndInitializeSid(&label, 1, SECURITY_MANDATORY_LOW_RID, 0, 0, 0, 0, 0, 0, 0, &low))
        return SystemError();
    TOKEN_MANDATORY_LABEL level = {};
    level.Label.Attributes = SE_GROUP_INTEGRITY;
    level.Label.Sid = low;
    const bool lowered = SetTokenInformation(token, TokenIntegrityLevel, &level,
                                             DWORD(sizeof level + GetLengthSid(low)));
    const QString failure = lowered ? QString() : SystemError();
    FreeSid(low);
    return failure;
}

// Every privilege removed from the token for good, but passing through folders on the way to
// one the process may read. The failure, or an empty text.
QString RemovePrivileges(HANDLE token)
{
    DWORD size = 0;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<char> buffer(size);
    auto *privileges = reinterpret_cast<TOKEN_PRIVILEGES *>(buffer.data());
    if (!GetTokenInformation(token, TokenPrivileges, privileges, size, &size))
        return SystemError();
    LUID traverse = {};
    LookupPrivilegeValueW(nullptr, SE_CHANGE_NOTIFY_NAME, &traverse);
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
        const LUID luid = privileges->Privileges[i].Luid;
        const bool kept = luid.LowPart == traverse.LowPart && luid.HighPart == traverse.HighPart;
        privileges->Privileges[i].Attributes =
            kept ? privileges->Privileges[i].Attributes : SE_PRIVILEGE_REMOVED;
    }
    if (!AdjustTokenPrivileges(token, FALSE, privileges, size, nullptr, nullptr) ||
        GetLastError() != ERROR_SUCCESS)
        return SystemError();
    return {};
}

// No DLL from another machine or written by a process at low integrity, none of the system's
// extension points (AppInit DLLs, window hooks of other programs) loaded into the process. The
// failure, or an empty text.
QString LimitDlls()
{
    PROCESS_MITIGATION_IMAGE_LOAD_POLICY images = {};
    images.NoRemoteImages = 1;
    images.NoLowMandatoryLabelImages = 1;
    PROCESS_MITIGATION_EXTENSION_POINT_DISABLE_POLICY extensions = {};
    extensions.DisableExtensionPoints = 1;
    if (!SetProcessMitigationPolicy(ProcessImageLoadPolicy, &images, sizeof images) ||
        !SetProcessMitigationPolicy(ProcessExtensionPointDisablePolicy, &extensions,
                                    sizeof extensions))
        return SystemError();
    return {};
}

// What the job the console put the process in forbids it, or an empty text when the process is
// in none or cannot read its limits.
QString JobLimits()
{
    JOBOBJECT_BASIC_UI_RESTRICTIONS ui = {};
    JOBOBJECT_BASIC_LIMIT_INFORMATION limits = {};
    if (!QueryInformationJobObject(nullptr, JobObjectBasicUIRestrictions, &ui, sizeof ui,
                                   nullptr) ||
        !QueryInformationJobObject(nullptr, JobObjectBasicLimitInformation, &limits, sizeof limits,
                                   nullptr))
        return {};
    constexpr DWORD Everything = JOB_OBJECT_UILIMIT_HANDLES | JOB_OBJECT_UILIMIT_READCLIPBOARD |
                                 JOB_OBJECT_UILIMIT_WRITECLIPBOARD | JOB_OBJECT_UILIMIT_DESKTOP |
                                 JOB_OBJECT_UILIMIT_DISPLAYSETTINGS |
                                 JOB_OBJECT_UILIMIT_EXITWINDOWS | JOB_OBJECT_UILIMIT_GLOBALATOMS |
                                 JOB_OBJECT_UILIMIT_SYSTEMPARAMETERS;
    const bool oneProcess =
        (limits.LimitFlags & JOB_OBJECT_LIMIT_ACTIVE_PROCESS) && limits.ActiveProcessLimit == 1;
    if ((ui.UIRestrictionsClass & Everything) != Everything || !oneProcess)
        return {};
    return u"job: one process, no other process's windows, no clipboard, desktops, display or "
           u"system settings"_s;
}

bool NoChildProcesses()
{
    PROCESS_MITIGATION_CHILD_PROCESS_POLICY children = {};
    return GetProcessMitigationPolicy(GetCurrentProcess(), ProcessChildProcessPolicy, &children,
                                      sizeof children) &&
           children.NoChildProcessCreation;
}

} // namespace

// Nothing to close: the console's launch lets the process inherit its pipes and the frames'
// mapping and no other handle.
void CloseInheritedHandles(qintptr) {}

ConfinementReport Confine(const QStringList &readableFolders)
{
    ConfinementReport report;
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(),
                          TOKEN_QUERY | TOKEN_ADJUST_DEFAULT | TOKEN_ADJUST_PRIVILEGES, &opened)) {
        report.lacking.append(u"its own token: "_s + SystemError());
        return report;
    }
    const Token token(opened);

    if (InAppContainer(token.get())) {
        report.held.append(u"AppContainer without capabilities: reads only the board's folder, "
                           u"the program's and the system's, writes nothing of the user's, no "
                           u"network"_s);
        for (const QString &folder : readableFolders) {
            if (!MayRead(folder))
                report.lacking.append(u"AppContainer: not let read "_s +
                                      QDir::toNativeSeparators(folder));
        }
    } else {
        report.lacking.append(u"AppContainer: not started in one"_s);
    }

    if (const QString failure = LowerIntegrity(token.get()); failure.isEmpty())
        report.held.append(u"low integrity: writes nothing where the user's programs write, "
                           u"opens no process or window of theirs"_s);
    else
        report.lacking.append(u"low integrity: "_s + failure);

    if (const QString failure = RemovePrivileges(token.get()); failure.isEmpty())
        report.held.append(u"no privileges"_s);
    else
        report.lacking.append(u"no privileges: "_s + failure);

    if (const QString failure = LimitDlls(); failure.isEmpty())
        report.held.append(u"no DLLs from other machines or written at low integrity, no "
                           u"extension DLLs"_s);
    else
        report.lacking.append(u"DLL rules: "_s + failure);

    if (const QString job = JobLimits(); !job.isEmpty())
        report.held.append(job);
    else
        report.lacking.append(u"job: not seen to limit windows and processes"_s);

    if (NoChildProcesses())
        report.held.append(u"no child processes"_s);
    else
        report.lacking.append(u"no child processes: not started so"_s);
    return report;
}
