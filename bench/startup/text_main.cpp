// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up that shows text: a main window of the program's size with a menu bar
// of five menus, two labels and a status bar, ended after its first paint. Setting up fonts and
// laying out text is work any program with text pays, which the bare window never does.
#include "FirstPaintExit.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

int main(int argc, char** argv)
{
    // As the program does: the menu bar stays in the window, and no session bus is asked.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication application(argc, argv);
    QMainWindow window;
    for (const QString& caption :
         {QStringLiteral("Файл"), QStringLiteral("Правка"), QStringLiteral("Вид"),
          QStringLiteral("Сервис"), QStringLiteral("Справка")})
        window.menuBar()->addMenu(caption);

    auto* client = new QWidget(&window);
    auto* layout = new QVBoxLayout(client);
    layout->addWidget(new QLabel(QStringLiteral("Первая строка текста"), client));
    layout->addWidget(new QLabel(QStringLiteral("Вторая строка текста"), client));
    layout->addStretch(1);
    window.setCentralWidget(client);
    window.statusBar()->showMessage(QStringLiteral("Готово"));

    // The program's window: 590 × 259 below its menu bar, status bar included.
    window.resize(590, window.menuBar()->sizeHint().height() + 259);
    new zorvikta::bench::FirstPaintExit(&window);
    window.show();
    return QApplication::exec();
}
