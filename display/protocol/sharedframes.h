// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

#include <cstddef>

// The board's two frames in memory shared by the display control and the board's process:
// `drawn`, which the board's process draws into and the control only reads, and `shown`, the
// picture on the screen, which the control copies from `drawn` and the process only compares
// with. The control makes the memory and hands it to the process as a handle (a number on its
// command line); it lasts as long as either holds it, and leaves nothing behind. How the system
// shares it is in one file per system (sharedframes_<system>.cpp).
//
// The memory only grows: the process may still be drawing at the old size when the control has
// moved on, and a mapping beyond the memory's end would fault. Only the control sizes it: what it
// maps and reads is what it made, whatever the process does to the memory (on Linux the file is
// sealed against shrinking before it is handed over).
class SharedFrames
{
public:
    // Makes the memory (the control's side). isValid() tells whether the system gave it.
    SharedFrames();
    // Takes over a handle handed on (the process's side).
    explicit SharedFrames(qintptr handle);
    ~SharedFrames();
    SharedFrames(const SharedFrames &) = delete;
    SharedFrames &operator=(const SharedFrames &) = delete;

    bool isValid() const { return m_handle != InvalidHandle; }
    // What the process is handed: a file descriptor, or a handle it inherits.
    qintptr handle() const { return m_handle; }

    // Maps both frames at this size in device pixels; the control's side grows the file first.
    // False when the memory cannot hold them (the process's side, before the control has
    // grown it) or cannot be mapped.
    bool setSize(QSize pixels);
    QSize size() const { return m_size; }

    // The control's side: whether the memory is still as large as the control made it, and no
    // larger (a process that grows it without end would take the machine's memory).
    bool isIntact() const;

    // The frames, as images over the shared memory; null before a setSize.
    QImage drawn() const { return frame(0); }
    QImage shown() const { return frame(1); }

    // The smallest rectangle outside which `drawn` and `shown` are alike; empty when they are.
    QRect difference() const;
    // Copies `rect` of `drawn` to `shown`.
    void show(const QRect &rect);

    static constexpr QImage::Format Format = QImage::Format_RGB32;

private:
    static const qintptr InvalidHandle;

    QImage frame(int which) const;
    // The system's part: make the memory, make sure it holds `bytes` (the control's side only
    // grows it), map that much, and let go.
    static qintptr Create();
    bool ensureCapacity(std::size_t bytes);
    bool map(std::size_t bytes);
    void unmap();
    void release();

    qintptr m_handle = InvalidHandle;
    bool m_owner = false;
    // The control's side: how much the memory holds, as the control made it.
    std::size_t m_capacity = 0;
    QSize m_size;
    unsigned char *m_memory = nullptr;
    std::size_t m_mapped = 0;
};
