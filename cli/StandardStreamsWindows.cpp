// SPDX-License-Identifier: GPL-3.0-or-later
// A console reads the bytes a program writes in its output code page, the OEM one (866 in
// Russia, 437 or 850 elsewhere): UTF-8 would come out garbled, and the C runtime may convert it
// through the ANSI code page besides. WriteConsoleW hands the console the letters themselves.
#include "cli/StandardStreams.h"

#include <QStringDecoder>

#include <algorithm>

#include <io.h>
#include <windows.h>

namespace zorvikta::platform {

namespace {

class ConsoleWriter final : public QIODevice {
public:
    ConsoleWriter(std::FILE* stream, HANDLE console) : m_stream(stream), m_console(console)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char* /*data*/, qint64 /*maxSize*/) override { return -1; }

    qint64 writeData(const char* data, qint64 size) override
    {
        // Whatever went out through the C runtime comes first.
        std::fflush(m_stream);
        // A letter split between two writes is completed by the next one.
        const QString text = m_decoder.decode(QByteArrayView(data, size));
        for (qsizetype at = 0; at < text.size();) {
            const DWORD chunk = DWORD(std::min<qsizetype>(text.size() - at, 16384));
            DWORD written = 0;
            if (!::WriteConsoleW(m_console, text.utf16() + at, chunk, &written, nullptr) ||
                written == 0)
                return -1;
            at += written;
        }
        return size;
    }

private:
    std::FILE* m_stream;
    HANDLE m_console;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
};

} // namespace

std::unique_ptr<QIODevice> consoleDevice(std::FILE* stream)
{
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode))
        return nullptr;
    return std::make_unique<ConsoleWriter>(stream, handle);
}

} // namespace zorvikta::platform
