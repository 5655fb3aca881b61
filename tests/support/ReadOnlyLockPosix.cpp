// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ReadOnlyLock.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvikta::test {

namespace {

bool setImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

// A bind mount takes its read-only flag only from a second, remounting call.
bool mountReadOnly(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (::mount(name.constData(), name.constData(), nullptr, MS_BIND, nullptr) != 0)
        return false;
    if (::mount(nullptr, name.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) !=
        0) {
        ::umount2(name.constData(), MNT_DETACH);
        return false;
    }
    return true;
}

} // namespace

ReadOnlyLock::ReadOnlyLock(QString path) : m_path(std::move(path))
{
    const bool folder = QFileInfo(m_path).isDir();
    if (setImmutable(m_path, true))
        m_method = Method::ImmutableFlag;
    else if (folder && mountReadOnly(m_path))
        m_method = Method::ReadOnlyMount;
    else if (folder && ::geteuid() != 0 &&
             ::chmod(QFile::encodeName(m_path).constData(), 0555) == 0)
        m_method = Method::PermissionBits;
}

ReadOnlyLock::~ReadOnlyLock()
{
    const QByteArray name = QFile::encodeName(m_path);
    switch (m_method) {
    case Method::ImmutableFlag:
        setImmutable(m_path, false);
        break;
    case Method::ReadOnlyMount:
        ::umount2(name.constData(), MNT_DETACH);
        break;
    case Method::PermissionBits:
        ::chmod(name.constData(), 0755);
        break;
    case Method::None:
        break;
    }
}

const char* ReadOnlyLock::whyUnlocked()
{
    return "nothing here can lock it: the filesystem keeps no immutable flag for this user, and "
           "permission bits do not stop a save, which replaces a file from its folder";
}

} // namespace zorvikta::test
