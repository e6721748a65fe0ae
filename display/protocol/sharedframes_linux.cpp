// SPDX-License-Identifier: GPL-3.0-or-later
// The frames in a file without a name (memfd), handed to the process as a file descriptor. It is
// sealed against shrinking, and against further seals, before anyone else sees it: a process
// that shrank it under the control's mapping would make the control's next read a bus error.
#include "sharedframes.h"

#include <algorithm>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

const qintptr SharedFrames::InvalidHandle = -1;

namespace {

// The file's size as the system has it; -1 when it cannot be read.
off_t FileSize(int descriptor)
{
    struct stat file = {};
    return fstat(descriptor, &file) == 0 ? file.st_size : -1;
}

} // namespace

qintptr SharedFrames::Create()
{
    const int descriptor = memfd_create("brevanto-frames", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (descriptor < 0)
        return InvalidHandle;
    if (fcntl(descriptor, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_SEAL) != 0) {
        close(descriptor);
        return InvalidHandle;
    }
    return descriptor;
}

bool SharedFrames::ensureCapacity(std::size_t bytes)
{
    const int descriptor = int(m_handle);
    const off_t size = FileSize(descriptor);
    if (size < 0)
        return false;
    if (std::size_t(size) < bytes && !(m_owner && ftruncate(descriptor, off_t(bytes)) == 0))
        return false;
    m_capacity = std::max(m_capacity, bytes);
    return true;
}

bool SharedFrames::isIntact() const
{
    return FileSize(int(m_handle)) == off_t(m_capacity);
}

bool SharedFrames::map(std::size_t bytes)
{
    void *memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, int(m_handle), 0);
    if (memory == MAP_FAILED)
        return false;
    m_memory = static_cast<unsigned char *>(memory);
    m_mapped = bytes;
    return true;
}

void SharedFrames::unmap()
{
    if (m_memory)
        munmap(m_memory, m_mapped);
    m_memory = nullptr;
    m_mapped = 0;
}

void SharedFrames::release()
{
    if (isValid())
        close(int(m_handle));
}
