// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/SerialPortList.h"

#include "device/SerialPortListSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace zorvikta {

SerialPortList::SerialPortList() : SerialPortList(serial::system::aliasFolder()) {}

SerialPortList::SerialPortList(QString aliasFolder) : m_aliasFolder(std::move(aliasFolder)) {}

QList<SerialPortEntry> SerialPortList::availablePorts() const
{
    QList<SerialPortEntry> entries = serial::system::presentPorts();
    if (m_aliasFolder.isEmpty())
        return entries;
    // Links in name order, so that a device with several aliases always offers the same one.
    QHash<QString, QString> aliasOf;
    const QFileInfoList links =
        QDir(m_aliasFolder)
            .entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& link : links) {
        const QString target = link.canonicalFilePath();
        if (link.isSymLink() && !target.isEmpty() && !aliasOf.contains(target))
            aliasOf.insert(target, link.absoluteFilePath());
    }
    for (SerialPortEntry& entry : entries)
        entry.stableAlias = aliasOf.value(QFileInfo(entry.path).canonicalFilePath());
    return entries;
}

} // namespace zorvikta
