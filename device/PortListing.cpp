// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/PortListing.h"

#include <algorithm>

namespace zorvikta {

QList<QStringList> portListing(const QList<SerialPortEntry>& entries)
{
    QList<QStringList> rows;
    for (const SerialPortEntry& entry : entries)
        rows.append({entry.stableAlias.isEmpty() ? entry.path : entry.stableAlias,
                     entry.description, entry.manufacturer, entry.serialNumber});
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString portListingLine(const QStringList& row)
{
    QStringList fields;
    for (QString field : row) {
        // The backslash first, so that the escapes below stay single.
        field.replace(u'\\', QStringLiteral("\\\\"))
            .replace(u'\t', QStringLiteral("\\t"))
            .replace(u'\n', QStringLiteral("\\n"))
            .replace(u'\r', QStringLiteral("\\r"));
        fields << field;
    }
    return fields.join(u'\t');
}

const SerialPortEntry* findPort(const QList<SerialPortEntry>& entries, const QString& device)
{
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const SerialPortEntry& e) {
        return !device.isEmpty() && (e.path == device || e.stableAlias == device);
    });
    return found == entries.end() ? nullptr : &*found;
}

QString portHint(const QList<SerialPortEntry>& entries, const QString& device)
{
    const SerialPortEntry* entry = findPort(entries, device);
    return entry && !entry->description.isEmpty()
               ? device + QStringLiteral(": ") + entry->description
               : device;
}

} // namespace zorvikta
