#include "device/DeviceNames.h"

#include <QtGlobal>

namespace zorvikta {

QString portDeviceName(int port, const QString& configured1, const QString& configured2)
{
#ifdef Q_OS_WIN
    Q_UNUSED(configured1);
    Q_UNUSED(configured2);
    return port == 1 ? QStringLiteral("COM1") : QStringLiteral("COM2");
#else
    // Serial devices have no fixed names here (ttyS0, ttyUSB0, ttyACM0...), so the user names them.
    return port == 1 ? configured1 : configured2;
#endif
}

} // namespace zorvikta
