#include "cli/CliApp.h"

#if defined(_WIN32)
#include "cli/WindowsConsole.h"

int main() {
    hollowsweep::cli::WindowsConsole console;
    return hollowsweep::cli::RunCli(console.ArgumentCount(), console.Arguments());
}
#else
int main(int argc, char** argv) {
    return hollowsweep::cli::RunCli(argc, argv);
}
#endif
