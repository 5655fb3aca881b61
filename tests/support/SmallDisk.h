// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvikta::test {

// A filesystem of a few pages mounted over a folder while the object lives, so that a test can
// fill it to the last byte. Mounting takes the privilege to mount, and POSIX; without them the
// object stays unmounted and says why.
class SmallDisk {
public:
    explicit SmallDisk(QString folder);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool isMounted() const { return m_mounted; }
    const QString& failure() const { return m_failure; }

    // Writes a filler file until the filesystem refuses another byte; false if it never does.
    bool fill() const;

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_failure;
};

} // namespace zorvikta::test
