// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/FileNames.h"

#include <QFile>
#include <QUtf8StringView>

namespace zorvikta {

namespace {

// The length of the UTF-8 sequence that `lead` starts, 0 for a byte that starts none.
qsizetype sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

} // namespace

bool nameSurvivesDecoding(const QByteArray& systemName)
{
    return QFile::encodeName(QFile::decodeName(systemName)) == systemName;
}

QString printableName(const QByteArray& systemName)
{
    QString shown;
    for (qsizetype at = 0; at < systemName.size();) {
        const auto lead = static_cast<unsigned char>(systemName.at(at));
        const qsizetype length = sequenceLength(lead);
        const QByteArray sequence = systemName.mid(at, length);
        if (length > 0 && lead >= 0x20 && lead != 0x7F && sequence.size() == length &&
            QUtf8StringView(sequence).isValidUtf8()) {
            shown += QString::fromUtf8(sequence);
            at += length;
            continue;
        }
        shown +=
            QStringLiteral("\\x") + QString::number(lead, 16).toUpper().rightJustified(2, u'0');
        ++at;
    }
    return shown;
}

QHash<QString, QString> undecodableArguments(int argc, const char* const* argv)
{
    QHash<QString, QString> undecodable;
    for (int index = 1; index < argc; ++index) {
        const QByteArray argument(argv[index]);
        if (!nameSurvivesDecoding(argument))
            undecodable.insert(QFile::decodeName(argument), printableName(argument));
    }
    return undecodable;
}

QString undecodableNameReason()
{
    return QStringLiteral("the name is not valid UTF-8; rename the file to use it");
}

} // namespace zorvikta
