// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/SerialPortSource.h"
#include "storage/SettingsFile.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTimer;

namespace zorvikta {

// "Устройства портов": which serial device each of the two port choices means. Each field lists
// the devices present, follows what is plugged in or pulled out while the dialog is open, and
// takes any path typed into it.
class PortDevicesDialog final : public QDialog {
    Q_OBJECT
public:
    PortDevicesDialog(const SerialPortSource& ports, const PortDevices& current,
                      const PortDevices& defaults, QWidget* parent = nullptr);

    // What the fields say; an empty field means the port's default.
    PortDevices chosen() const;

public slots:
    // Takes the devices present now into both lists; the timer calls it while the dialog is open.
    void refreshPorts();

private:
    struct Row {
        QComboBox* field;
        QLabel* state;
        QString fallback;
        QString given;
    };

    Row addRow(int row, const QString& port, const QString& current, const QString& fallback);
    void fillList(QComboBox* field);
    void showState(const Row& row);
    static bool keepable(const Row& row);

    const SerialPortSource& m_ports;
    QList<SerialPortEntry> m_present;
    QList<QStringList> m_listing;
    Row m_com1{};
    Row m_com2{};
    QTimer* m_refresh = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace zorvikta
