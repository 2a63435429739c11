#include "cli/CliApp.h"

int main(int argc, char** argv) {
    return hollowsweep::cli::RunCli(argc, argv);
}
