// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/zvk/Commands.h"

#include "cli/zvk/RunFileReport.h"
#include "device/Messages.h"
#include "device/PortListing.h"
#include "device/UploadSequence.h"
#include "storage/FileNames.h"

namespace zorvikta::zvk {

namespace {

int deviceFailed(const LinkError& error, QTextStream& err)
{
    err << "zvk: " << describeLinkError(error) << '\n';
    return kExitFailed;
}

} // namespace

int show(const QString& path, QTextStream& out, QTextStream& err)
{
    QString error;
    const auto report = RunFileReport::read(path, error);
    if (!report) {
        err << "zvk: " << path << ": " << error << '\n';
        return kExitFailed;
    }
    out << path << '\n' << report->text();
    return kExitOk;
}

int check(const QStringList& paths, const QHash<QString, QString>& undecodable, QTextStream& out)
{
    int exitCode = kExitOk;
    for (const QString& path : paths) {
        QString error = undecodableNameReason();
        const auto report =
            undecodable.contains(path) ? std::nullopt : RunFileReport::read(path, error);
        const QStringList problems = report ? report->problems() : QStringList{error};
        if (!problems.isEmpty())
            exitCode = kExitFailed;
        out << undecodable.value(path, path) << ": "
            << (problems.isEmpty() ? QStringLiteral("ok") : problems.join(u"; ")) << '\n';
    }
    return exitCode;
}

int upload(const QString& path, const QString& device, bool withSpeed, SerialLink& link,
           QTextStream& out, QTextStream& err)
{
    QString error;
    const auto report = RunFileReport::read(path, error);
    if (!report) {
        err << "zvk: " << path << ": " << error << '\n';
        return kExitFailed;
    }
    // The program's controls never hold such values, so it never sends them either.
    if (const QStringList problems = report->rangeProblems(); !problems.isEmpty()) {
        err << "zvk: " << path << ": " << problems.join(u"; ") << "; nothing sent\n";
        return kExitFailed;
    }

    RunRecord record{};
    takeFileImage(record, report->image());
    const UploadSequence sequence = uploadSequence(record, report->length(), withSpeed);
    if (const auto failure = link.send(device, sequence.upload))
        return deviceFailed(*failure, err);
    out << "uploaded " << path << " to " << device << ", length " << report->length() << '\n';

    if (sequence.speed) {
        if (const auto failure = link.send(device, *sequence.speed))
            return deviceFailed(*failure, err);
        out << "speed " << report->speed() << " sent to " << device << '\n';
    }
    return kExitOk;
}

int speed(std::uint8_t value, const QString& device, SerialLink& link, QTextStream& out,
          QTextStream& err)
{
    if (const auto failure = link.send(device, speedMessage(value)))
        return deviceFailed(*failure, err);
    out << "speed " << int(value) << " sent to " << device << '\n';
    return kExitOk;
}

int ports(const SerialPortSource& source, QTextStream& out)
{
    for (const QStringList& row : portListing(source.availablePorts()))
        out << portListingLine(row) << '\n';
    return kExitOk;
}

} // namespace zorvikta::zvk
