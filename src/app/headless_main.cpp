// ql730-headless: the scripts in simulated time, without a window or a windowing library.
#include "app/program_messages.hpp"
#include "app/script_cli.hpp"
#include "app/version.hpp"
#include <iostream>

int main(int argc, char** argv) {
    const ql::ProgramMessages messages("ql730-headless");
    CLI::App app("Ostrel QL-730 Simulator without a window: plays SCRIPTs in simulated time, "
                 "each on a device of its own, as ql730-sim --headless does.",
                 "ql730-headless");
    app.set_version_flag("--version", ql::VERSION,
                         "Print the program's name and version, then exit");
    ql::HeadlessCommand command;
    add_script_options(app, command, "Scripts to play ('-' reads standard input)");
    app.footer(ql::SCRIPT_HELP);
    try {
        app.parse(argc, argv);
        std::string conflict = ql::catalogue_conflict(command);
        if (conflict.empty()) conflict = ql::map_conflict(command);
        if (conflict.empty()) conflict = ql::jobs_conflict(command);
        if (!conflict.empty()) throw ql::CommandLineError(conflict);
        if (command.scripts.empty() && command.catalogue.empty() && command.map.empty())
            throw ql::CommandLineError("give at least one SCRIPT");
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return ql::EXIT_PASSED;
    } catch (const CLI::CallForVersion&) {
        std::cout << "ql730-headless " << ql::VERSION << '\n';
        return ql::EXIT_PASSED;
    } catch (const CLI::ParseError& e) {
        std::cerr << "ql730-headless: " << ql::option_error(app, e) << " (see --help)\n";
        return ql::EXIT_USAGE;
    }
    if (!command.catalogue.empty()) return ql::run_catalogue_command(command);
    if (!command.map.empty()) return ql::run_map_command(command);
    return ql::run_headless_command(command);
}
