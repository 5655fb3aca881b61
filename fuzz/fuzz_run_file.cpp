// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, any length, as a run file on disk: the reader takes exactly the first 128 bytes or
// refuses and leaves the image alone.
#include "FuzzCheck.h"
#include "ScratchFolder.h"

#include "storage/RunFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace zorvikta;
using zorvikta::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fuzz::ScratchFolder folder;
    const QString path = folder.write(QStringLiteral("input.zvk"),
                                      QByteArrayView(data, static_cast<qsizetype>(size)));

    RunFileImage image;
    image.fill(0xA5);
    const RunFileImage before = image;
    const auto error = readRunFile(path, image);
    if (size < static_cast<std::size_t>(kFileSize)) {
        require(error.has_value(), "a short file is refused");
        require(error->message == QStringLiteral("Read beyond end of file"),
                "a short file is refused as too short");
        require(image == before, "a refused file leaves the image alone");
    } else {
        require(!error.has_value(), "a file of 128 bytes or more is read");
        require(std::equal(image.begin(), image.end(), data), "the image is the first 128 bytes");
    }
    return 0;
}
