// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/FilePolicy.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace zorvikta::test {

// What another user, or a careless one, may have put where a save or a load goes.
struct HostileRow {
    const char* tag;
    enum class Action { Save, Load } action = Action::Save;
    files::SaveName name = files::SaveName::Chosen;
    // The error box's message; empty where the save or load goes through.
    QString message;
    // Run as an ordinary user, since root may write anything.
    bool asOrdinaryUser = false;
    // Plants it in `folder`, which the test owns; returns the name to save to or load, or an empty
    // name with `skip` set to why it cannot be planted here.
    std::function<QString(const QString& folder, QString& skip)> plant;
};

// The rows only this system has.
QList<HostileRow> thisSystemsHostileRows();

// Everything in the folder that a refused save must leave as it was: names, kinds, owners,
// modes, which file each name is, and bytes.
QStringList folderSnapshot(const QString& folder);

// A second name for the same file; false where the system refuses.
bool makeHardLink(const QString& existing, const QString& link);

// Whether a file the program wrote carries a set-user-ID, set-group-ID or sticky bit.
bool hasSpecialModeBits(const QString& path);

} // namespace zorvikta::test
