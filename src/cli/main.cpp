#include "cli/cli_main.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    // Commands report their own failures; this is for what escapes even them.
    try {
        return qtr::cli::runCli(std::vector<std::string>(argv, argv + argc), std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "qtr-cli: neočekávaná chyba: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "qtr-cli: neočekávaná chyba\n";
    }
    return 1;
}
