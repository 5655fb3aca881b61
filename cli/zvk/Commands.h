// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/SerialLink.h"
#include "device/SerialPortSource.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdint>

// The five things zvk does; each returns the process's exit code.
namespace zorvikta::zvk {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // a file or the device failed

int show(const QString& path, QTextStream& out, QTextStream& err);

// One line per file; fails when any file does. `undecodable` maps the names that the command line
// could not decode faithfully to their printable forms: those files are reported, not looked for.
int check(const QStringList& paths, const QHash<QString, QString>& undecodable, QTextStream& out);

// The program's upload: the pattern normalised at the file's length, then, with `withSpeed`,
// the speed message with the file's speed byte, as "Сразу в блок" does.
int upload(const QString& path, const QString& device, bool withSpeed, SerialLink& link,
           QTextStream& out, QTextStream& err);

int speed(std::uint8_t value, const QString& device, SerialLink& link, QTextStream& out,
          QTextStream& err);

// The serial devices present, one a line, as the program's device chooser lists them.
int ports(const SerialPortSource& source, QTextStream& out);

} // namespace zorvikta::zvk
