// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/RecordingLink.h"
#include "support/RunFiles.h"
#include "support/ScriptedPorts.h"
#include "support/ScriptedPrompts.h"
#include "support/ThisSystem.h"

#include "device/SerialLink.h"
#include "ui/MainForm/TMainForm.h"
#include "ui/StatusPanels.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace zorvikta::test {

// A fresh program start in a temporary working directory with its own settings file.
class FormFixture {
public:
    explicit FormFixture(SerialLink* link = nullptr)
        : m_previousDirectory(QDir::currentPath()), m_link(link)
    {
        QDir::setCurrent(m_directory.path());
    }
    ~FormFixture()
    {
        m_form.reset();
        QDir::setCurrent(m_previousDirectory);
    }
    FormFixture(const FormFixture&) = delete;
    FormFixture& operator=(const FormFixture&) = delete;

    TMainForm& start()
    {
        m_form = std::make_unique<TMainForm>(MainFormServices{
            prompts, m_link ? *m_link : recording,
            settingsFile.isEmpty() ? settingsPath() : settingsFile, ports, startFile});
        return *m_form;
    }
    TMainForm& form() { return *m_form; }
    // Started, shown and holding the keyboard, as shortcuts and Tab need; null if never active.
    TMainForm* startActive()
    {
        start().show();
        return QTest::qWaitForWindowActive(m_form.get()) ? m_form.get() : nullptr;
    }

    // Written as the system writes paths, as the program shows and keeps them.
    QString path(const QString& name) const
    {
        return QDir::toNativeSeparators(m_directory.filePath(name));
    }
    QString settingsPath() const { return path(QStringLiteral("Zorvikta.ini")); }
    void writeSettings(const QByteArray& text) const
    {
        writeFile(QStringLiteral("Zorvikta.ini"), text);
    }

    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readFile(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool exists(const QString& name) const { return QFile::exists(path(name)); }

    QString panel(int index) const { return m_form->statusPanels()->panelText(index); }

    template <typename T> T* child(const char* name) const
    {
        return m_form->findChild<T*>(QString::fromLatin1(name));
    }
    // The grid as it is drawn now, in one pixel format whatever the platform paints in.
    QImage gridImage() const
    {
        return child<QWidget>("PaintBox")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    ScriptedPrompts prompts;
    RecordingLink recording;
    ScriptedPorts ports;
    QString settingsFile; // another settings file than the default one in the folder
    QString startFile;    // the file named on the command line

private:
    QTemporaryDir m_directory;
    QString m_previousDirectory;
    SerialLink* m_link;
    std::unique_ptr<TMainForm> m_form;
};

} // namespace zorvikta::test
