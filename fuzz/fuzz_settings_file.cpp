// Any bytes as the settings file: reading never fails, writing our keys into whatever the file
// holds reads back exactly what was written, and saving again and again settles on one file.
#include "FuzzCheck.h"
#include "ScratchFolder.h"

#include "storage/SettingsFile.h"

#include <QFile>

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace zorvikta;
using zorvikta::fuzz::require;

namespace {

bool sameSettings(const StoredSettings& a, const StoredSettings& b)
{
    return a.aktive == b.aktive && a.jast == b.jast && a.path == b.path && a.device1 == b.device1 &&
           a.device2 == b.device2;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    require(file.open(QIODevice::ReadOnly), "the written file can be read");
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fuzz::ScratchFolder folder;
    const SettingsFile file(folder.write(QStringLiteral("Zorvikta.ini"),
                                         QByteArrayView(data, static_cast<qsizetype>(size))));

    StoredSettings settings = file.read();
    // Values as the window writes them, beside values that came from the file.
    settings.aktive = settings.aktive == QStringLiteral("COM 1") ? QStringLiteral("COM 2")
                                                                 : QStringLiteral("COM 1");
    settings.path = QStringLiteral("./Узор 1; [a]=b.zvk");

    require(!file.write(settings).has_value(), "values read from the file can be written");
    require(sameSettings(file.read(), settings), "a write reads back as written");
    // The first writes may still tidy what they keep: blank lines go, a comment moves to the head
    // of the file, a line that a byte-order mark hid comes to light and is dropped in turn, at
    // most one per line of the input. Then the file settles; one that changed with every save
    // would grow without end.
    const auto lines = std::count_if(data, data + size, [](std::uint8_t c) { return c < ' '; });
    QByteArray previous = contents(file.path());
    bool settled = false;
    for (std::ptrdiff_t write = 0; write <= lines + 2 && !settled; ++write) {
        require(!file.write(settings).has_value(), "a written file takes another write");
        const QByteArray current = contents(file.path());
        settled = current == previous;
        previous = current;
    }
    require(settled, "saving the same values again and again settles on one file");
    require(sameSettings(file.read(), settings), "repeated writes read back as written");
    return 0;
}
