// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

class QSerialPort;
class QSocketNotifier;

namespace zorvikta {

// The board's end of the serial line: a pseudo-terminal of its own, whose other end the program
// opens by name, or an existing serial device. Either way it only reads.
class BoardLine : public QObject {
    Q_OBJECT

public:
    explicit BoardLine(QObject* parent = nullptr);
    ~BoardLine() override;

    // Each returns an error text, or nullopt once the line is open and set up.
    std::optional<QString> openPseudoTerminal();
    std::optional<QString> openDevice(const QString& deviceName);

    // The name the program must open to reach this board.
    QString deviceName() const { return m_deviceName; }

signals:
    void bytesArrived(const QByteArray& bytes);
    void lineLost(const QString& reason);

private:
    void readMaster();

    int m_master = -1;
    int m_slave = -1;
    QSocketNotifier* m_notifier = nullptr;
    QSerialPort* m_port = nullptr;
    QString m_deviceName;
};

} // namespace zorvikta
