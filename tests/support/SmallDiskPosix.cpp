// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/SmallDisk.h"

#include <QFile>

#include <array>
#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <utility>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace zorvikta::test {

namespace {

// Room for a few small files and nothing more.
constexpr const char* kOptions = "size=16k,mode=0777";
// A filler that never meets the end of the disk is a sign that the mount did not hold.
constexpr int kMaxWrites = 1 << 16;

} // namespace

SmallDisk::SmallDisk(QString folder) : m_folder(std::move(folder))
{
    const QByteArray target = QFile::encodeName(m_folder);
    if (::mount("zorvikta-test", target.constData(), "tmpfs", MS_NOSUID | MS_NODEV, kOptions) !=
        0) {
        m_failure = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    m_mounted = true;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

bool SmallDisk::fill() const
{
    const QByteArray filler = QFile::encodeName(m_folder + QStringLiteral("/filler"));
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    std::array<char, 4096> chunk{};
    int lastError = 0;
    // Whole pages first, then single bytes, so that no partly used page keeps room.
    for (const std::size_t size : {chunk.size(), std::size_t{1}}) {
        for (int count = 0; count < kMaxWrites; ++count) {
            if (::write(fd, chunk.data(), size) < 0) {
                lastError = errno;
                break;
            }
        }
    }
    ::close(fd);
    return lastError == ENOSPC;
}

} // namespace zorvikta::test
