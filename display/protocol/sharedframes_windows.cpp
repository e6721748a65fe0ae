// SPDX-License-Identifier: GPL-3.0-or-later
// The frames in a file mapping backed by the paging file, handed to the process as a handle it
// inherits. A mapping cannot be made larger once it exists, so it is reserved at the largest
// size the frames may take (SEC_RESERVE: address space, no memory) and its pages are committed
// as the frames grow; committed pages stay committed, so the memory only grows, as on Linux.
// The first page says how much the control has committed: the process's side maps no more. The
// control itself keeps its own count and commits every page it maps, so that nothing the process
// writes there, nor anything else it does to its own view, changes what the control reads: a
// process cannot shrink a mapping or take back pages the control committed, and the most it can
// commit itself is the reserved size.
#include "sharedframes.h"

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace {

// Both frames of an 8K screen (7680 x 4320), with room to spare; only address space.
constexpr std::size_t ReservedBytes = std::size_t(512) * 1024 * 1024;
// The page before the frames, which holds the committed size.
constexpr std::size_t HeaderBytes = 4096;

struct Header
{
    std::atomic<std::uint64_t> committed;
};
static_assert(std::atomic<std::uint64_t>::is_always_lock_free);

// A view of the mapping's first `bytes`, unmapped when it goes.
class View
{
public:
    View(HANDLE mapping, std::size_t bytes)
        : m_base(MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, bytes))
    {
    }
    ~View()
    {
        if (m_base)
            UnmapViewOfFile(m_base);
    }
    View(const View &) = delete;
    View &operator=(const View &) = delete;

    unsigned char *base() const { return static_cast<unsigned char *>(m_base); }
    // Commits the view's first `bytes`; pages already committed stay as they are.
    bool commit(std::size_t bytes) const
    {
        return m_base && VirtualAlloc(m_base, bytes, MEM_COMMIT, PAGE_READWRITE) != nullptr;
    }
    Header *header() const { return reinterpret_cast<Header *>(m_base); }

private:
    void *m_base;
};

HANDLE Handle(qintptr handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

const qintptr SharedFrames::InvalidHandle = 0;

qintptr SharedFrames::Create()
{
    const auto size = std::uint64_t(ReservedBytes);
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_RESERVE,
                                        DWORD(size >> 32), DWORD(size & 0xffffffffu), nullptr);
    if (!mapping)
        return InvalidHandle;
    const View view(mapping, HeaderBytes);
    if (!view.commit(HeaderBytes)) {
        CloseHandle(mapping);
        return InvalidHandle;
    }
    view.header()->committed.store(0);
    return reinterpret_cast<qintptr>(mapping);
}

bool SharedFrames::ensureCapacity(std::size_t bytes)
{
    const View view(Handle(m_handle), HeaderBytes);
    if (!view.base())
        return false;
    if (!m_owner)
        return view.header()->committed.load() >= bytes;
    if (m_capacity >= bytes)
        return true;
    if (bytes > ReservedBytes - HeaderBytes)
        return false;
    const View frames(Handle(m_handle), HeaderBytes + bytes);
    if (!frames.commit(HeaderBytes + bytes))
        return false;
    view.header()->committed.store(bytes);
    m_capacity = bytes;
    return true;
}

bool SharedFrames::isIntact() const
{
    return true;
}

bool SharedFrames::map(std::size_t bytes)
{
    void *view =
        MapViewOfFile(Handle(m_handle), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, HeaderBytes + bytes);
    if (!view)
        return false;
    // Committed already, through the control's view; a view of the process's own may still
    // show those pages as reserved until it commits them as well.
    if (!VirtualAlloc(view, HeaderBytes + bytes, MEM_COMMIT, PAGE_READWRITE)) {
        UnmapViewOfFile(view);
        return false;
    }
    m_memory = static_cast<unsigned char *>(view) + HeaderBytes;
    m_mapped = bytes;
    return true;
}

void SharedFrames::unmap()
{
    if (m_memory)
        UnmapViewOfFile(m_memory - HeaderBytes);
    m_memory = nullptr;
    m_mapped = 0;
}

void SharedFrames::release()
{
    if (isValid())
        CloseHandle(Handle(m_handle));
}
