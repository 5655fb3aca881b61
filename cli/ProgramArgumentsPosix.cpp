// SPDX-License-Identifier: GPL-3.0-or-later
// The arguments are bytes here: a name that is not UTF-8 has to be found by its bytes.
#include "cli/ProgramArguments.h"

#include "storage/FileNames.h"

namespace zorvikta::platform {

QStringList programArguments(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    return arguments;
}

QHash<QString, QString> undecodableProgramArguments(int argc, const char* const* argv)
{
    return undecodableArguments(argc, argv);
}

} // namespace zorvikta::platform
