#include "app/command_line.h"
#include "app/window_module.h"

int main(int argc, char *argv[])
{
    if (tobarin::wantsCommandLine(argc, argv)) {
        return tobarin::runCommandLine(argc, argv);
    }
    return tobarin::runWindow(argc, argv);
}
