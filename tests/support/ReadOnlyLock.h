// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvikta::test {

// Makes a file or a folder refuse every change while the object lives, in a way that also stops
// root, who ignores permission bits: on POSIX the immutable flag where the filesystem keeps one,
// else a read-only bind mount of a folder over itself. Another user is stopped by a folder's
// permission bits; a file's are no lock, since a save replaces the file from its folder. Where
// nothing can lock the place, whyUnlocked() says why.
class ReadOnlyLock {
public:
    enum class Method { None, ImmutableFlag, ReadOnlyMount, PermissionBits };

    explicit ReadOnlyLock(QString path);
    ~ReadOnlyLock();
    ReadOnlyLock(const ReadOnlyLock&) = delete;
    ReadOnlyLock& operator=(const ReadOnlyLock&) = delete;

    Method method() const { return m_method; }
    bool isLocked() const { return m_method != Method::None; }
    static const char* whyUnlocked();

private:
    QString m_path;
    Method m_method = Method::None;
};

} // namespace zorvikta::test
