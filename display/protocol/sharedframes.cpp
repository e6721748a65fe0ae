// SPDX-License-Identifier: GPL-3.0-or-later
#include "sharedframes.h"

#include <cstring>

namespace {

constexpr std::size_t BytesPerPixel = 4;

std::size_t FrameBytes(QSize pixels)
{
    return std::size_t(pixels.width()) * std::size_t(pixels.height()) * BytesPerPixel;
}

} // namespace

SharedFrames::SharedFrames() : m_handle(Create()), m_owner(true) {}

SharedFrames::SharedFrames(qintptr handle) : m_handle(handle) {}

SharedFrames::~SharedFrames()
{
    unmap();
    release();
}

bool SharedFrames::setSize(QSize pixels)
{
    if (!isValid() || pixels.isEmpty())
        return false;
    const std::size_t needed = 2 * FrameBytes(pixels);
    if (!ensureCapacity(needed))
        return false;
    unmap();
    if (!map(needed))
        return false;
    m_size = pixels;
    return true;
}

QImage SharedFrames::frame(int which) const
{
    if (!m_memory)
        return {};
    return QImage(m_memory + std::size_t(which) * FrameBytes(m_size), m_size.width(),
                  m_size.height(), qsizetype(m_size.width() * BytesPerPixel), Format);
}

QRect SharedFrames::difference() const
{
    if (!m_memory)
        return {};
    const std::size_t line = std::size_t(m_size.width()) * BytesPerPixel;
    const unsigned char *drawn = m_memory;
    const unsigned char *shown = m_memory + FrameBytes(m_size);
    const auto differs = [&](int y) {
        return std::memcmp(drawn + y * line, shown + y * line, line) != 0;
    };
    int top = 0;
    while (top < m_size.height() && !differs(top))
        ++top;
    if (top == m_size.height())
        return {};
    int bottom = m_size.height() - 1;
    while (!differs(bottom))
        --bottom;

    // The columns: the first and the last pixel that differs on any of those lines.
    const auto *drawnPixels = reinterpret_cast<const quint32 *>(drawn);
    const auto *shownPixels = reinterpret_cast<const quint32 *>(shown);
    const int width = m_size.width();
    int left = width;
    int right = -1;
    for (int y = top; y <= bottom; ++y) {
        const std::size_t row = std::size_t(y) * std::size_t(width);
        for (int x = 0; x < left; ++x) {
            if (drawnPixels[row + x] != shownPixels[row + x]) {
                left = x;
                break;
            }
        }
        for (int x = width - 1; x > right; --x) {
            if (drawnPixels[row + x] != shownPixels[row + x]) {
                right = x;
                break;
            }
        }
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void SharedFrames::show(const QRect &rect)
{
    const QRect copied = rect & QRect(QPoint(0, 0), m_size);
    if (!m_memory || copied.isEmpty())
        return;
    const std::size_t line = std::size_t(m_size.width()) * BytesPerPixel;
    const std::size_t offset = std::size_t(copied.x()) * BytesPerPixel;
    const std::size_t bytes = std::size_t(copied.width()) * BytesPerPixel;
    unsigned char *shown = m_memory + FrameBytes(m_size);
    for (int y = copied.top(); y <= copied.bottom(); ++y)
        std::memcpy(shown + y * line + offset, m_memory + y * line + offset, bytes);
}
