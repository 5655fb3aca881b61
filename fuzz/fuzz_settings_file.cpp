// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the settings file: reading never fails, and writing our keys into whatever the file
// holds changes only the lines of those keys, reads back exactly what was written and, written
// again, leaves the file as it is.
#include "FuzzCheck.h"
#include "ScratchFolder.h"

#include "storage/SettingsFile.h"

#include <QByteArrayList>
#include <QFile>

#include <array>
#include <cstddef>
#include <cstdint>

using namespace zorvikta;
using zorvikta::fuzz::require;

namespace {

constexpr std::array kSections{"ComPort", "Speed", "LastFile"};
constexpr std::array kKeys{"Aktive", "Jast", "Path", "Device1", "Device2"};

QByteArray contents(const QString& path)
{
    QFile file(path);
    require(file.open(QIODevice::ReadOnly), "the written file can be read");
    return file.readAll();
}

// Lines with their endings, so that a changed ending shows.
QByteArrayList linesOf(const QByteArray& text)
{
    QByteArrayList lines;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype newline = text.indexOf('\n', at);
        const qsizetype next = newline < 0 ? text.size() : newline + 1;
        lines << text.sliced(at, next - at);
        at = next;
    }
    return lines;
}

QByteArray withoutEnding(const QByteArray& line)
{
    return line.endsWith("\r\n") ? line.chopped(2) : line.endsWith('\n') ? line.chopped(1) : line;
}

bool isOurKey(QByteArrayView name)
{
    for (const char* key : kKeys)
        if (name.trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A line the writer added: one of our headers, or one of our keys as the writer spells it.
bool isAddedLine(const QByteArray& line, int& headers, int& keys)
{
    const QByteArray content = withoutEnding(line);
    for (const char* section : kSections)
        if (content == '[' + QByteArray(section) + ']')
            return ++headers <= int(kSections.size());
    const qsizetype equals = content.indexOf('=');
    for (const char* key : kKeys)
        if (equals >= 0 && content.first(equals) == key)
            return ++keys <= int(kKeys.size());
    return false;
}

// Our key's line with another value: the same bytes up to the '=', the same ending (the file's
// last line may gain one, for a line added after it).
bool isChangedLine(const QByteArray& before, const QByteArray& after, int& keys)
{
    const qsizetype equals = before.indexOf('=');
    return equals >= 0 && isOurKey(QByteArrayView(before).first(equals)) &&
           after.startsWith(before.first(equals + 1)) &&
           (!before.endsWith('\n') || before.sliced(withoutEnding(before).size()) ==
                                          after.sliced(withoutEnding(after).size())) &&
           ++keys <= int(kKeys.size());
}

// Every line of the input is in the output in its order, unchanged unless it holds one of our
// keys; whatever else the output has is lines the writer added, at most one per key.
void requireOnlyOurLinesChanged(const QByteArray& input, const QByteArray& output)
{
    const QByteArrayList before = linesOf(input);
    const QByteArrayList after = linesOf(output);
    int headers = 0;
    int keys = 0;
    qsizetype i = 0;
    for (const QByteArray& line : after) {
        const bool last = i == before.size() - 1;
        if (i < before.size() &&
            (line == before.at(i) ||
             (last && !before.at(i).endsWith('\n') && line.startsWith(before.at(i)) &&
              withoutEnding(line).size() <= before.at(i).size()) ||
             isChangedLine(before.at(i), line, keys))) {
            ++i;
            continue;
        }
        require(isAddedLine(line, headers, keys), "no line of the file is lost or changed");
    }
    require(i == before.size(), "every line of the file is kept");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fuzz::ScratchFolder folder;
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const SettingsFile file(
        folder.write(QStringLiteral("Zorvikta.ini"), input),
        PortDevices{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1")});

    Settings settings = file.read();
    // Values as the window writes them, beside a value that came from the file.
    settings.port = settings.port == PortChoice::Com1 ? PortChoice::Com2 : PortChoice::Com1;
    settings.lastFile = QStringLiteral("./Узор 1; [a]=b.zvk");
    settings.lastFileRefusal.reset();
    settings.devices = {QStringLiteral("/dev/serial/by-id/usb-Узел_1"), QStringLiteral("=x;y")};

    require(!file.write(settings, SettingsKeys::ChoicesAndDevices).has_value(),
            "a file of any content takes a write");
    const QByteArray written = contents(file.path());
    require(file.read() == settings, "a write reads back as written");
    requireOnlyOurLinesChanged(input, written);

    require(!file.write(settings, SettingsKeys::ChoicesAndDevices).has_value(),
            "a written file takes another write");
    require(contents(file.path()) == written, "writing the same values again changes nothing");
    return 0;
}
