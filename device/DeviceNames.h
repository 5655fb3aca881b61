#pragma once

#include <QString>

namespace zorvikta {

// The device for menu choice 1 or 2: "COM1"/"COM2" on Windows; elsewhere the configured names
// (the settings file's Device1/Device2, passed in by the caller).
QString portDeviceName(int port, const QString& configured1, const QString& configured2);

} // namespace zorvikta
