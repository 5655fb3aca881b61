// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port through the Win32 communications calls. Windows refuses to configure a port
// opened for writing alone, so it is opened for reading and writing.
#include "device/Ports.h"
#include "device/SerialPortLinkSystem.h"
#include "device/TransferTime.h"

#include <windows.h>

namespace zorvikta::serial::system {

namespace {

constexpr DWORD kQueueBytes = 4096;
// The longest name the system takes in the device form, in UTF-16 units.
constexpr qsizetype kLongestPath = 32767;

Failure lastFailure()
{
    const DWORD code = ::GetLastError();
    return {causeOfCode(code), qt_error_string(static_cast<int>(code))};
}

bool configureLine(HANDLE port, qint64 writeLimitMs)
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
    COMMTIMEOUTS timeouts{};
    timeouts.WriteTotalTimeoutConstant = static_cast<DWORD>(writeLimitMs);
    return ::SetCommTimeouts(port, &timeouts) != 0;
}

} // namespace

LinkError::Cause causeOfCode(unsigned long code)
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

struct Port::State {
    HANDLE handle = INVALID_HANDLE_VALUE;
};

Port::Port() : m_state(std::make_unique<State>()) {}

Port::~Port()
{
    if (m_state->handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_state->handle);
}

std::optional<Failure> Port::open(const QString& deviceName)
{
    const QString path = platform::serialDevicePath(deviceName);
    // A longer name would be cut to the system's length field and name another file.
    if (path.size() > kLongestPath)
        return Failure{LinkError::Cause::NameTooLong,
                       qt_error_string(static_cast<int>(ERROR_FILENAME_EXCED_RANGE))};
    m_state->handle =
        ::CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ | GENERIC_WRITE,
                      0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (m_state->handle == INVALID_HANDLE_VALUE)
        return lastFailure();
    return std::nullopt;
}

std::optional<Failure> Port::configure(qint64 writeLimitMs)
{
    if (!configureLine(m_state->handle, writeLimitMs))
        return lastFailure();
    return std::nullopt;
}

std::optional<Failure> Port::write(const QByteArray& bytes, const QDeadlineTimer&)
{
    // The write limit set with the line bounds the write here.
    DWORD written = 0;
    if (!::WriteFile(m_state->handle, bytes.constData(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr))
        return lastFailure();
    // A write that timed out reports success with fewer bytes and no error code of its own.
    if (written != static_cast<DWORD>(bytes.size()))
        return Failure{LinkError::Cause::Other, {}};
    return std::nullopt;
}

bool Port::waitUntilSent(const QDeadlineTimer&)
{
    // Returns once the driver has sent everything, within the write limit.
    ::FlushFileBuffers(m_state->handle);
    return true;
}

void Port::discardUnsent()
{
    ::PurgeComm(m_state->handle, PURGE_TXABORT | PURGE_TXCLEAR);
}

} // namespace zorvikta::serial::system
