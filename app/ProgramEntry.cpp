// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramEntry.h"

#include "app/CommandLine.h"
#include "app/QtTranslation.h"
#include "cli/CommandLineSetup.h"
#include "cli/ProgramArguments.h"
#include "device/SystemSerial.h"
#include "platform/StopSignals.h"
#include "platform/WorkingFolder.h"
#include "storage/FileNames.h"
#include "storage/SettingsFile.h"
#include "ui/About/TAboutForm.h"
#include "ui/DesignLook.h"
#include "ui/Diagram/TDigrForm.h"
#include "ui/Help/THelpForm.h"
#include "ui/MainForm/TMainForm.h"
#include "ui/OpenBoxes.h"
#include "ui/ProgramIcons.h"
#include "ui/QtPrompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QSessionManager>
#include <QTextStream>

#include <cstdio>

namespace zorvikta {

namespace {

// Help, version and usage errors need no display.
std::optional<int> answerWithoutWindow(const StartRequest& request)
{
    switch (request.action) {
    case StartRequest::Action::PrintHelp:
        QTextStream(stdout) << helpText();
        return 0;
    case StartRequest::Action::PrintVersion:
        QTextStream(stdout) << versionText();
        return 0;
    case StartRequest::Action::UsageError:
        QTextStream(stderr) << cli::usageErrorText(QStringLiteral("zorvikta"), request.message);
        return cli::kExitUsage;
    case StartRequest::Action::OpenWindow:
        break;
    }
    return std::nullopt;
}

} // namespace

int runProgram(int& argc, char** argv, const std::function<void(TMainForm&)>& afterShow)
{
    // Qt's own options are known to the parser, so the arguments are judged before the window
    // system starts, and a usage error comes in English as the help does.
    const StartRequest request =
        parseCommandLine(platform::programArguments(argc, argv), QDir::currentPath());
    if (const auto exitCode = answerWithoutWindow(request))
        return *exitCode;
    // Decoded, such a name would name another file, which a save would then create.
    if (const QHash<QString, QString> undecodable =
            platform::undecodableProgramArguments(argc, argv);
        !undecodable.isEmpty()) {
        QTextStream(stderr) << "zorvikta: " << undecodable.cbegin().value() << ": "
                            << undecodableNameReason() << '\n';
        return cli::kExitUsage;
    }
    platform::leaveProgramFolder();

    // The menu bar belongs in the window, whose bands are laid out beneath it; a desktop's global
    // menu would take it out (and asking the session bus for one costs every start).
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvikta"));
    QGuiApplication::setDesktopFileName(QStringLiteral(ZORVIKTA_APP_ID));
    installQtTranslation(application);
    if (!request.ignored.isEmpty())
        QTextStream(stderr) << ignoredArgumentsLine(request.ignored);
    useDesignStyle();
    QApplication::setWindowIcon(programIcon());

    // A signal ends the program as its close does, only without asking: a save under way finishes
    // first, since the signal is taken up by the event loop. The handlers are in place before the
    // first box can open: a signal at start-up's own notice takes the box away, and the program
    // ends as soon as its window stands. Without the handlers the signal's default still ends it.
    StopSignals stopSignals;
    stopSignals.install();
    TMainForm* running = nullptr;
    bool stopAtStart = false;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, [&running, &stopAtStart] {
        if (running) {
            running->closeWithoutAsking();
            return;
        }
        stopAtStart = true;
        takeAwayOpenBoxes();
    });

    QtPrompts prompts;
    const auto serialLink = platform::makeSerialLink();
    const auto serialPorts = platform::makeSerialPortSource();
    const auto openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    TMainForm mainForm(
        {prompts, *serialLink, defaultSettingsFilePath(), *serialPorts, request.file});
    prompts.setOwner(&mainForm);
    running = &mainForm;
    if (stopAtStart) {
        mainForm.closeWithoutAsking();
        return 0;
    }

    TAboutForm aboutForm(openUrl, &mainForm);
    THelpForm helpForm(&mainForm);
    TDigrForm digrForm(&mainForm);
    mainForm.setHelpWindows(&aboutForm, &helpForm, &digrForm);

    // The session ending (logging off, shutting down) is a stop too, not a time for questions.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &mainForm,
                     &TMainForm::closeWithoutAsking);

    mainForm.show();
    if (afterShow)
        afterShow(mainForm);
    return QApplication::exec();
}

} // namespace zorvikta
