// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

// A disk that fills up part-way through a write, for the tests of what a failed save leaves.
namespace zorvikta::test {

// Why this system gives the tests no disk that fills up; empty where it does.
QString whyNoFillingDisk();

// The system's error number for a write that meets the full disk.
int fullDiskError();

// For as long as the object lives, files this process writes stop growing at `bytes`: a write
// fails part-way, as on a disk that fills up. Where whyNoFillingDisk() is not empty, it does
// nothing.
class FillingDisk {
public:
    explicit FillingDisk(qint64 bytes);
    FillingDisk(const FillingDisk&) = delete;
    FillingDisk& operator=(const FillingDisk&) = delete;

private:
    // Undoes the filling when it goes.
    std::shared_ptr<void> m_undo;
};

} // namespace zorvikta::test
