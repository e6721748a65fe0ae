// SPDX-License-Identifier: GPL-3.0-or-later
// The frames in a file without a name (memfd), handed to the process as a file descriptor.
#include "sharedframes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

const qintptr SharedFrames::InvalidHandle = -1;

qintptr SharedFrames::Create()
{
    return memfd_create("brevanto-frames", MFD_CLOEXEC);
}

bool SharedFrames::ensureCapacity(std::size_t bytes)
{
    const int descriptor = int(m_handle);
    struct stat file = {};
    if (fstat(descriptor, &file) != 0)
        return false;
    if (std::size_t(file.st_size) >= bytes)
        return true;
    return m_owner && ftruncate(descriptor, off_t(bytes)) == 0;
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
