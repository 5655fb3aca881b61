#include "ui/ProgramEntry.h"

int main(int argc, char** argv)
{
    return zorvikta::runProgram(argc, argv);
}
