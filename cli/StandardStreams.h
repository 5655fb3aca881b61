// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>

#include <cstdio>
#include <memory>

namespace zorvikta::cli {

// The tools' standard output and error, for QTextStream, which writes UTF-8. A file or a pipe
// gets those bytes; a Windows console, which would read them in its own code page, gets the
// letters they stand for.
QIODevice* standardOutput();
QIODevice* standardError();

} // namespace zorvikta::cli

namespace zorvikta::platform {

// A device that gives a console the letters of the UTF-8 written to it; none where `stream` is
// no console, or where a terminal takes UTF-8 as it is.
std::unique_ptr<QIODevice> consoleDevice(std::FILE* stream);

} // namespace zorvikta::platform
