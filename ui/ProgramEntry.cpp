#include "ui/ProgramEntry.h"

#include "device/QtSerialLink.h"
#include "storage/SettingsFile.h"
#include "ui/About/TAboutForm.h"
#include "ui/Diagram/TDigrForm.h"
#include "ui/Help/THelpForm.h"
#include "ui/ProgramFont.h"
#include "ui/QtPrompts.h"
#include "ui/TMainForm.h"

#include <QApplication>
#include <QDesktopServices>

namespace zorvikta {

int runProgram(int& argc, char** argv, const std::function<void(TMainForm&)>& afterShow)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvikta"));
    QApplication::setFont(programFont());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zorvikta.png")));

    QtPrompts prompts;
    QtSerialLink serialLink;
    const auto openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    TMainForm mainForm({prompts, serialLink, defaultSettingsFilePath()});
    prompts.setOwner(&mainForm);

    TAboutForm aboutForm(openUrl, &mainForm);
    THelpForm helpForm(&mainForm);
    TDigrForm digrForm(&mainForm);
    mainForm.setHelpWindows(&aboutForm, &helpForm, &digrForm);

    mainForm.show();
    if (afterShow)
        afterShow(mainForm);
    return QApplication::exec();
}

} // namespace zorvikta
