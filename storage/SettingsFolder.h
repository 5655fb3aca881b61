// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Where each system keeps the user's settings, and how it read them before.
namespace zorvikta::platform {

// Folder of the per-user settings file.
QString settingsFolder();

// The file that holds the settings kept at `path`: `path` itself, or, on a system where settings
// once lived elsewhere, that earlier file until `path` exists.
QString settingsFileToRead(const QString& path);

// A value of a settings file that is not UTF-8 as a whole, in the code page older programs wrote
// such files in; nothing on a system without one, where such a value cannot be read faithfully.
std::optional<QString> legacyCodePageText(const QByteArray& value);

} // namespace zorvikta::platform
