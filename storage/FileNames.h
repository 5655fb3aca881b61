// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace zorvikta {

// Whether a name as the system holds it survives the decoding the program gives every file name
// (QFile::decodeName) and the encoding back: one that does not would name another file, or none.
bool nameSurvivesDecoding(const QByteArray& systemName);

// The name for a message: its text where it is UTF-8 text, each other byte as \xHH.
QString printableName(const QByteArray& systemName);

// The command-line arguments after the program's name that do not survive the decoding, each by
// the form the decoding gives it, with its printable name.
QHash<QString, QString> undecodableArguments(int argc, const char* const* argv);

// What a refusal of such a name says about it.
QString undecodableNameReason();

} // namespace zorvikta
