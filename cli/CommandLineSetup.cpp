// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLineSetup.h"

#include "cli/StandardStreams.h"

#include <QCoreApplication>
#include <QTextStream>

namespace zorvikta::cli {

CommandLineSetup::CommandLineSetup(const QString& name, const QString& description)
    : m_name(name), m_helpOption(m_parser.addHelpOption()),
      m_versionOption(m_parser.addVersionOption())
{
    QCoreApplication::setApplicationName(name);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZORVIKTA_VERSION));
    m_parser.setApplicationDescription(description);
}

std::optional<int> CommandLineSetup::parse()
{
    if (!m_parser.parse(QCoreApplication::arguments()))
        return usageError(m_parser.errorText());
    if (m_parser.isSet(m_helpOption)) {
        QTextStream(standardOutput()) << m_parser.helpText();
        return 0;
    }
    if (m_parser.isSet(m_versionOption)) {
        QTextStream(standardOutput())
            << m_name << ' ' << QCoreApplication::applicationVersion() << '\n';
        return 0;
    }
    return std::nullopt;
}

QString usageErrorText(const QString& name, const QString& message)
{
    return name + QStringLiteral(": ") + message + QStringLiteral("\nTry '") + name +
           QStringLiteral(" --help'.\n");
}

int CommandLineSetup::usageError(const QString& message) const
{
    QTextStream(standardError()) << usageErrorText(m_name, message);
    return kExitUsage;
}

} // namespace zorvikta::cli
