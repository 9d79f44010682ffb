// tarvik-batch: headless front end over the model core (see --help).
#include <iostream>
#include <string>
#include <vector>

#include "app/batch.h"
#include "app/desktop_start.h"
#include "app/main_flow.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::cout << tarvik::app::version_line("tarvik-batch") << "\n";
        return 0;
    }
    tarvik::app::PrintingMessages msg(std::cerr);
    // A trace that cannot be created is reported and the run goes on.
    tarvik::app::start_up(msg);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tarvik::app::run_batch(args, std::cout, std::cerr);
}
