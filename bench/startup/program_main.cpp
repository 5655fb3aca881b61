// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own start-up, ended right after the main window's first paint.
#include "FirstPaintExit.h"

#include "app/ProgramEntry.h"
#include "ui/MainForm/TMainForm.h"

int main(int argc, char** argv)
{
    return zorvikta::runProgram(
        argc, argv, [](zorvikta::TMainForm& form) { new zorvikta::bench::FirstPaintExit(&form); });
}
