// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up: an empty Qt Widgets main window, ended after its first paint.
#include "FirstPaintExit.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(590, 400);
    new zorvikta::bench::FirstPaintExit(&window);
    window.show();
    return QApplication::exec();
}
