// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/QtSerialPortSource.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>

namespace zorvikta {

QtSerialPortSource::QtSerialPortSource(QString aliasFolder) : m_aliasFolder(std::move(aliasFolder))
{}

QList<SerialPortEntry> QtSerialPortSource::availablePorts() const
{
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
    QList<SerialPortEntry> entries;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        const QString path = port.systemLocation();
        entries.append({path, aliasOf.value(QFileInfo(path).canonicalFilePath()),
                        port.description(), port.manufacturer(), port.serialNumber()});
    }
    return entries;
}

} // namespace zorvikta
