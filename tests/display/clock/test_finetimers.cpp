// SPDX-License-Identifier: GPL-3.0-or-later
// The clock's fine timers on Windows: a 1 ms timer period is asked of the system from Play until
// the countdown stops, however it stops, and never more than once at a time.
//
// Wine keeps no state to ask about (its NtQueryTimerResolution answers 1 ms whatever was asked),
// so the requests are watched where they leave the program: this test program's imports of
// timeBeginPeriod and timeEndPeriod are pointed at counters that pass each call on. On Windows
// the system's own resolution is looked at as well.
#include "clockdriver.h"
#include "faketime.h"

#include <QTest>

#include <windows.h>

#include <mmsystem.h>

#include <cstring>
#include <map>
#include <optional>

using namespace std::chrono_literals;

extern "C" LONG NTAPI NtQueryTimerResolution(PULONG coarsest, PULONG finest, PULONG current);

namespace {

using PeriodCall = MMRESULT(WINAPI *)(UINT);
PeriodCall s_begin = nullptr;
PeriodCall s_end = nullptr;
// The periods asked for and not yet given back, by length in milliseconds.
std::map<UINT, int> s_held;

MMRESULT WINAPI CountedBegin(UINT period)
{
    const MMRESULT result = s_begin(period);
    if (result == TIMERR_NOERROR)
        ++s_held[period];
    return result;
}

MMRESULT WINAPI CountedEnd(UINT period)
{
    --s_held[period];
    return s_end(period);
}

// Points this program's import of winmm.dll's `name` at `replacement`; the function it pointed at,
// or null when the program does not import it.
PeriodCall ReplaceImport(const char *name, PeriodCall replacement)
{
    auto *base = reinterpret_cast<BYTE *>(GetModuleHandleW(nullptr));
    const auto *headers = reinterpret_cast<const IMAGE_NT_HEADERS *>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY &directory =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto *dll =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + directory.VirtualAddress);
         dll->Name != 0; ++dll) {
        if (lstrcmpiA(reinterpret_cast<const char *>(base + dll->Name), "winmm.dll") != 0)
            continue;
        auto *names = reinterpret_cast<const IMAGE_THUNK_DATA *>(base + dll->OriginalFirstThunk);
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto *import =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char *>(import->Name), name) != 0)
                continue;
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                           &protection);
            const auto previous = reinterpret_cast<PeriodCall>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return previous;
        }
    }
    return nullptr;
}

// How many periods are held, of any length.
int HeldCount()
{
    int count = 0;
    for (const auto &[period, held] : s_held)
        count += held;
    return count;
}

// The system's timer resolution now, in 100 ns.
ULONG SystemResolution()
{
    ULONG coarsest = 0, finest = 0, current = 0;
    NtQueryTimerResolution(&coarsest, &finest, &current);
    return current;
}

enum class Stop
{
    Pause,
    Set,
    RunOut,
    End,
};

} // namespace

Q_DECLARE_METATYPE(Stop)

class TestFineTimers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void heldWhileCounting_data();
    void heldWhileCounting();
    void cleanupTestCase();

private:
    FakeTime m_time;
};

void TestFineTimers::initTestCase()
{
    s_begin = ReplaceImport("timeBeginPeriod", CountedBegin);
    s_end = ReplaceImport("timeEndPeriod", CountedEnd);
    QVERIFY2(s_begin && s_end, "the program does not import timeBeginPeriod and timeEndPeriod");
}

void TestFineTimers::heldWhileCounting_data()
{
    QTest::addColumn<Stop>("stop");
    QTest::newRow("paused") << Stop::Pause;
    QTest::newRow("set again") << Stop::Set;
    QTest::newRow("run out") << Stop::RunOut;
    QTest::newRow("program ends while counting") << Stop::End;
}

void TestFineTimers::heldWhileCounting()
{
    QFETCH(Stop, stop);
    std::optional<ClockDriver> driver(std::in_place, &m_time);
    driver->gotoFrame(0);
    driver->play(0, 30);
    QCOMPARE(HeldCount(), 0);

    driver->play();
    QCOMPARE(HeldCount(), 1);
    QCOMPARE(s_held[1], 1);
    QVERIFY(SystemResolution() <= 10'000);
    m_time.advance(10s);
    driver->play(); // already counting: nothing more to ask
    QCOMPARE(HeldCount(), 1);

    switch (stop) {
    case Stop::Pause:
        driver->gotoFrame(6);
        break;
    case Stop::Set:
        driver->gotoFrame(0);
        driver->play(0, 30);
        break;
    case Stop::RunOut:
        m_time.advance(20s);
        QCOMPARE(driver->text(), QStringLiteral("0.0"));
        break;
    case Stop::End:
        driver.reset();
        break;
    }
    QCOMPARE(HeldCount(), 0);
    if (!driver)
        return;

    // Counting again asks again, once; at zero there is nothing to count and nothing is asked.
    driver->play();
    QCOMPARE(HeldCount(), stop == Stop::RunOut ? 0 : 1);
    driver.reset();
    QCOMPARE(HeldCount(), 0);
}

void TestFineTimers::cleanupTestCase()
{
    ReplaceImport("timeBeginPeriod", s_begin);
    ReplaceImport("timeEndPeriod", s_end);
}

QTEST_GUILESS_MAIN(TestFineTimers)
#include "test_finetimers.moc"
