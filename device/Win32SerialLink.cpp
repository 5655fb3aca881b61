// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/Ports.h"
#include "device/TransferTime.h"
#include "device/Win32Serial.h"

#include <windows.h>

namespace zorvikta {

namespace {

constexpr DWORD kQueueBytes = 4096;

LinkError failure(LinkError::Stage stage, const QString& deviceName)
{
    const DWORD code = ::GetLastError();
    return {stage, linkCauseForWindows(code), deviceName, qt_error_string(static_cast<int>(code))};
}

bool configureLine(HANDLE port, qsizetype byteCount)
{
    if (!::SetupComm(port, kQueueBytes, kQueueBytes))
        return false;
    DCB line{};
    line.DCBlength = sizeof line;
    if (!::GetCommState(port, &line))
        return false;
    line.BaudRate = kLineBaudRate;
    line.ByteSize = 8;
    line.Parity = NOPARITY;
    line.StopBits = ONESTOPBIT;
    line.fBinary = TRUE;
    line.fParity = FALSE;
    // The board's cable carries no handshake lines.
    line.fOutxCtsFlow = FALSE;
    line.fOutxDsrFlow = FALSE;
    line.fDsrSensitivity = FALSE;
    line.fDtrControl = DTR_CONTROL_DISABLE;
    line.fRtsControl = RTS_CONTROL_DISABLE;
    line.fOutX = FALSE;
    line.fInX = FALSE;
    line.fAbortOnError = FALSE;
    if (!::SetCommState(port, &line))
        return false;
    // A stalled adapter ends the write after the message's wire time and a margin.
    COMMTIMEOUTS timeouts{};
    timeouts.WriteTotalTimeoutConstant = static_cast<DWORD>(transferLimitMs(byteCount));
    return ::SetCommTimeouts(port, &timeouts) != 0;
}

} // namespace

LinkError::Cause linkCauseForWindows(unsigned long code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return LinkError::Cause::NotFound;
    // A port is opened exclusively: another program holding it is refused this way.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return LinkError::Cause::Busy;
    case ERROR_FILENAME_EXCED_RANGE:
        return LinkError::Cause::NameTooLong;
    default:
        return LinkError::Cause::Other;
    }
}

std::optional<LinkError> Win32SerialLink::send(const QString& deviceName, const QByteArray& bytes)
{
    const HANDLE port = ::CreateFileW(
        reinterpret_cast<const wchar_t*>(platform::serialDevicePath(deviceName).utf16()),
        GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return failure(LinkError::Stage::Open, deviceName);

    if (!configureLine(port, bytes.size())) {
        const LinkError error = failure(LinkError::Stage::Configure, deviceName);
        ::CloseHandle(port);
        return error;
    }

    DWORD written = 0;
    const bool accepted =
        ::WriteFile(port, bytes.constData(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (!accepted || written != static_cast<DWORD>(bytes.size())) {
        // A write that timed out reports success with fewer bytes and no error code of its own.
        const LinkError error =
            accepted ? LinkError{LinkError::Stage::Write, LinkError::Cause::Other, deviceName, {}}
                     : failure(LinkError::Stage::Write, deviceName);
        // What the driver still holds would otherwise keep the close waiting.
        ::PurgeComm(port, PURGE_TXABORT | PURGE_TXCLEAR);
        ::CloseHandle(port);
        return error;
    }
    // Closing before the driver has sent everything cuts off the tail of the message.
    ::FlushFileBuffers(port);
    ::CloseHandle(port);
    return std::nullopt;
}

} // namespace zorvikta
