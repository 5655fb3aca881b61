// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

#include <optional>

namespace zorvikta::cli {

// The program and both tools end with this code when their command line does not fit.
inline constexpr int kExitUsage = 2;

// What a usage error prints on stderr: `name`, what is wrong, and where to look for help.
QString usageErrorText(const QString& name, const QString& message);

// What both command-line tools do with their command line before their own options count: the
// tool's name and version, --help and --version ahead of its own options, and how a usage error
// is told.
class CommandLineSetup {
public:
    // Names the application, which must exist already, after the tool.
    CommandLineSetup(const QString& name, const QString& description);

    // For the tool's own options and positional arguments.
    QCommandLineParser& parser() { return m_parser; }

    // Parses the application's arguments. The exit code when the tool is done with them already
    // (help or version printed, or a usage error told); nullopt when the tool goes on.
    std::optional<int> parse();

    // Tells `message` on stderr, with where to look for help; returns kExitUsage.
    int usageError(const QString& message) const;

private:
    QString m_name;
    QCommandLineParser m_parser;
    QCommandLineOption m_helpOption;
    QCommandLineOption m_versionOption;
};

} // namespace zorvikta::cli
