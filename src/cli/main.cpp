#include "cli/cli_main.h"

#include <iostream>

int main(int argc, char** argv) {
    return qtr::cli::runCli(std::vector<std::string>(argv, argv + argc), std::cout, std::cerr);
}
