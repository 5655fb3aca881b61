// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/LineSettings.h"

namespace zorvikta {

bool applyLineSettings(QSerialPort& port)
{
    return port.setBaudRate(kLineBaudRate) && port.setDataBits(QSerialPort::Data8) &&
           port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop) &&
           port.setFlowControl(QSerialPort::NoFlowControl);
}

} // namespace zorvikta
