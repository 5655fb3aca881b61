// SPDX-License-Identifier: GPL-3.0-or-later
// Windows gives a program started from a shortcut or a file's association the working folder the
// shortcut names, often the program's own, or the Windows folder. Patterns saved there would be
// lost with the next uninstall, so the program moves to the user's folder for patterns instead.
#include "platform/WorkingFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <array>

#include <windows.h>

namespace zorvikta::platform {

namespace {

QString programFolder()
{
    std::array<wchar_t, 32768> path{};
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (length == 0 || length >= path.size())
        return {};
    return QFileInfo(QString::fromWCharArray(path.data(), int(length))).absolutePath();
}

QString windowsFolder()
{
    std::array<wchar_t, MAX_PATH + 1> path{};
    const UINT length = ::GetWindowsDirectoryW(path.data(), UINT(path.size()));
    if (length == 0 || length >= path.size())
        return {};
    return QDir::fromNativeSeparators(QString::fromWCharArray(path.data(), int(length)));
}

// The same folder however it is written: case, separators, short names and links aside.
QString comparable(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return QDir::cleanPath(canonical.isEmpty() ? folder : canonical).toLower();
}

bool isWithin(const QString& folder, const QString& outer)
{
    if (outer.isEmpty())
        return false;
    const QString inner = comparable(folder);
    const QString container = comparable(outer);
    return inner == container ||
           inner.startsWith(container.endsWith(u'/') ? container : container + u'/');
}

} // namespace

QString patternFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QString() : documents + QStringLiteral("/Zorvikta");
}

void leaveProgramFolder()
{
    const QString current = QDir::currentPath();
    if (!isWithin(current, programFolder()) && !isWithin(current, windowsFolder()))
        return;
    const QString patterns = patternFolder();
    if (patterns.isEmpty())
        return;
    // Documents itself when its subfolder cannot be made: anything but the program's folder.
    if (!QDir().mkpath(patterns) || !QDir::setCurrent(patterns))
        QDir::setCurrent(QFileInfo(patterns).absolutePath());
}

void followChosenFile(const QString& chosenFile)
{
    QDir::setCurrent(QFileInfo(chosenFile).absolutePath());
}

} // namespace zorvikta::platform
