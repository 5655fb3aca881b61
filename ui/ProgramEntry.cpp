#include "ui/ProgramEntry.h"

#include "device/QtSerialLink.h"
#include "device/QtSerialPortSource.h"
#include "platform/StopSignals.h"
#include "storage/SettingsFile.h"
#include "ui/About/TAboutForm.h"
#include "ui/Diagram/TDigrForm.h"
#include "ui/Help/THelpForm.h"
#include "ui/ProgramFont.h"
#include "ui/ProgramIcons.h"
#include "ui/QtPrompts.h"
#include "ui/TMainForm.h"

#include <QApplication>
#include <QDesktopServices>

namespace zorvikta {

int runProgram(int& argc, char** argv, const std::function<void(TMainForm&)>& afterShow)
{
    // The menu bar belongs in the window, whose bands are laid out beneath it; a desktop's global
    // menu would take it out (and asking the session bus for one costs every start).
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvikta"));
    QApplication::setFont(programFont());
    QApplication::setWindowIcon(programIcon());

    QtPrompts prompts;
    QtSerialLink serialLink;
    QtSerialPortSource serialPorts;
    const auto openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    TMainForm mainForm({prompts, serialLink, defaultSettingsFilePath(), serialPorts});
    prompts.setOwner(&mainForm);

    TAboutForm aboutForm(openUrl, &mainForm);
    THelpForm helpForm(&mainForm);
    TDigrForm digrForm(&mainForm);
    mainForm.setHelpWindows(&aboutForm, &helpForm, &digrForm);

    // A signal ends the program as its close does, only without asking: a save under way finishes
    // first, since the signal is taken up by the event loop. Without the handlers the signal's
    // default still ends it.
    StopSignals stopSignals;
    stopSignals.install();
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &mainForm,
                     &TMainForm::closeWithoutAsking);

    mainForm.show();
    if (afterShow)
        afterShow(mainForm);
    return QApplication::exec();
}

} // namespace zorvikta
