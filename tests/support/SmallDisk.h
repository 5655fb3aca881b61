// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

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

// Files this process writes stop growing at `bytes` while the object lives: a write fails part-way,
// as on a disk that fills up. Where the system has no such limit, isSet() is false.
class FileSizeCap {
public:
    explicit FileSizeCap(qint64 bytes);
    ~FileSizeCap();
    FileSizeCap(const FileSizeCap&) = delete;
    FileSizeCap& operator=(const FileSizeCap&) = delete;

    bool isSet() const { return m_state != nullptr; }
    static bool isAvailable();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace zorvikta::test
