// SPDX-License-Identifier: GPL-3.0-or-later
// The sequence of a read and of a save, the same on every system; the decisions come from
// FilePolicy, the system calls from FileAccessSystem.
#include "storage/FileAccess.h"

#include "storage/FileAccessSystem.h"

#include <QRandomGenerator>

#include <algorithm>

namespace zorvikta::files {

namespace {

constexpr qsizetype kReadChunk = 65536;

// Keeps the first failure: a close that fails after a failed write says less than the write.
class FirstFailure {
public:
    void take(std::optional<FileError> failure)
    {
        if (!m_failure && failure)
            m_failure = std::move(failure);
    }
    bool failed() const { return m_failure.has_value(); }
    std::optional<FileError> result() const { return m_failure; }

private:
    std::optional<FileError> m_failure;
};

void removeStaleTemporaries(const system::Place& place)
{
    const std::int64_t now = system::now();
    for (const system::FolderEntry& entry : system::folderEntries(place, isTemporaryName)) {
        if (isStaleTemporary(entry.name, entry.facts, now))
            system::remove(place, entry.name);
    }
}

std::optional<FileError> runInPlace(const system::Handle& file, const QList<InPlaceStep>& steps)
{
    for (const InPlaceStep& step : steps) {
        std::optional<FileError> failure;
        switch (step.kind) {
        case InPlaceStep::Kind::Write:
            failure = system::writeAll(file, step.bytes);
            break;
        case InPlaceStep::Kind::Trim:
            failure = system::trim(file, step.size);
            break;
        case InPlaceStep::Kind::Flush:
            failure = system::flush(file);
            break;
        }
        if (failure)
            return failure;
    }
    return std::nullopt;
}

// Writes into what lies under the name itself: a device, or the user's own file where its folder
// refuses new files. What was opened must be what the plan was made for.
std::optional<FileError> writeExisting(const system::Place& place, const FileFacts& planned,
                                       QByteArrayView bytes, std::optional<char> filler)
{
    system::Handle file;
    if (auto failure = system::openToWrite(place, file))
        return failure;
    const bool regular = planned.type == FileType::Regular;
    FileFacts opened;
    FirstFailure failure;
    failure.take(system::factsOf(file, opened));
    if (!failure.failed())
        failure.take(regular ? refusalToWriteInPlace(planned, opened)
                             : refusalOfSwap(planned, opened));
    // A set-ID bit goes before any new byte is in the file.
    if (!failure.failed() && regular &&
        writablePermissions(opened.permissions) != opened.permissions)
        failure.take(system::setPermissions(file, writablePermissions(opened.permissions)));
    if (!failure.failed())
        failure.take(regular ? runInPlace(file, inPlaceSteps(opened.size, bytes, filler))
                             : system::writeAll(file, bytes));
    failure.take(file.close());
    return failure.result();
}

// Writes the whole content to a flushed temporary file beside the target and moves it over the
// target in one step, so a failure at any point leaves the old file as it was.
std::optional<FileError> replaceAtomically(const system::Place& place, const SavePlan& plan,
                                           const std::optional<FileFacts>& existing,
                                           QByteArrayView bytes, std::optional<char> filler)
{
    removeStaleTemporaries(place);
    system::Handle temporary;
    QString temporaryFile;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && !temporary.isOpen(); ++attempt) {
        temporaryFile = temporaryName(QRandomGenerator::global()->generate64());
        bool nameTaken = false;
        auto failure = system::createNew(place, temporaryFile, temporary, nameTaken);
        if (nameTaken)
            continue;
        if (failure && existing && system::refusedByPermissions(*failure))
            return writeExisting(place, *existing, bytes, filler);
        if (failure)
            return failure;
    }
    if (!temporary.isOpen())
        return fileErrorOfKind(FileError::Kind::AccessDenied);
    FirstFailure failure;
    if (plan.way == SavePlan::Way::Replace)
        failure.take(system::setPermissions(temporary, plan.permissions));
    if (!failure.failed())
        failure.take(system::writeAll(temporary, bytes));
    if (!failure.failed())
        failure.take(system::flush(temporary));
    failure.take(temporary.close());
    if (!failure.failed())
        failure.take(system::moveOver(place, temporaryFile));
    if (failure.failed()) {
        system::remove(place, temporaryFile);
        return failure.result();
    }
    system::flushFolder(place);
    return std::nullopt;
}

} // namespace

std::optional<FileError> refusalOfFileName(const QString& path)
{
    return refusalOfName(path, system::nameRules());
}

std::optional<FileError> refusalOfSystemFileName(const QByteArray& path)
{
    return refusalOfSystemName(path, system::nameRules());
}

std::optional<FileError> readFileStart(const QString& path, qsizetype limit, QByteArray& bytes)
{
    if (auto refusal = refusalOfFileName(path))
        return refusal;
    system::Place place;
    if (auto failure = system::locate(path, LinkUse::Load, place))
        return failure;
    system::Handle file;
    if (auto failure = system::openToRead(place, file))
        return failure;
    FileFacts opened;
    FirstFailure failure;
    failure.take(system::factsOf(file, opened));
    if (!failure.failed())
        failure.take(refusalToRead(opened));
    QByteArray content;
    QByteArray chunk(kReadChunk, Qt::Uninitialized);
    while (!failure.failed() && content.size() < limit) {
        qsizetype got = 0;
        failure.take(system::readSome(file, chunk.data(),
                                      std::min(kReadChunk, limit - content.size()), got));
        if (got == 0)
            break;
        content.append(chunk.constData(), got);
    }
    failure.take(file.close());
    if (failure.failed())
        return failure.result();
    bytes = content;
    return std::nullopt;
}

std::optional<FileError> writeFileContents(const QString& path, QByteArrayView bytes, SaveName name,
                                           std::optional<char> filler)
{
    if (auto refusal = refusalOfFileName(path))
        return refusal;
    system::Place place;
    if (auto failure = system::locate(path, LinkUse::Save, place))
        return failure;
    std::optional<FileFacts> existing;
    if (auto failure = system::factsAt(place, existing))
        return failure;
    const SavePlan plan = planSave(existing, name);
    switch (plan.way) {
    case SavePlan::Way::Create:
    case SavePlan::Way::Replace:
        return replaceAtomically(place, plan, existing, bytes, filler);
    case SavePlan::Way::WriteDevice:
        return writeExisting(place, *existing, bytes, filler);
    case SavePlan::Way::Refuse:
        break;
    }
    return plan.refusal;
}

bool nothingAt(const QString& path)
{
    return !refusalOfFileName(path) && system::nothingAt(path);
}

void removeUnlessOwnRegularFile(const QString& path)
{
    system::Place place;
    std::optional<FileFacts> facts;
    if (refusalOfFileName(path) || system::locate(path, LinkUse::Save, place) ||
        system::factsAt(place, facts) || !facts)
        return;
    if (facts->type != FileType::Regular || !facts->ownedByUser)
        system::removePlace(place);
}

std::optional<FileError> createFolders(const QString& path)
{
    if (auto refusal = refusalOfFileName(path))
        return refusal;
    return system::createFolders(path);
}

} // namespace zorvikta::files
