#pragma once
#include "app/settings_lock.hpp"
#include "sim/script/script_runner.hpp"
#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace ql {

// What both programs say about scripts at the end of their --help.
extern const char* const SCRIPT_HELP;

// The scripts and options of a headless run, as the command line gave them.
struct HeadlessCommand {
    std::vector<std::string> scripts;
    bool rebaseline = false;
    std::string variant;      // --variant, empty when not given
    std::string language;     // --language, empty when not given
    std::string junit;        // --junit FILE
    std::string settings;     // --settings FILE
    std::string catalogue;    // --catalogue FOLDER
    std::string map;          // --map FOLDER
    std::string coverage;     // --coverage FILE
    std::string min_coverage; // --min-coverage SCREENS%[,TRANSITIONS%]
    unsigned jobs = 0;        // --jobs N, 0 when not given (as many as there are cores)
    std::string shard;        // --shard K/N, empty when not given
};

// The scripts of shard K of N (counted from 1): a script belongs to the shard its path hashes
// to, so that every script is in exactly one shard and adding scripts moves none of the others.
bool in_shard(const std::string& script, unsigned k, unsigned n);

// --shard K/N, or else CI_NODE_INDEX and CI_NODE_TOTAL from the environment as a CI server sets
// them. False with one line in `error` when what was given is not a shard; k = n = 1 (every
// script) when nothing was.
bool shard_of(const HeadlessCommand& command, unsigned& k, unsigned& n, std::string& error);

// Empty when --jobs and --shard go with the rest of the command line; otherwise why not.
std::string jobs_conflict(const HeadlessCommand& command);

// Adds the SCRIPT arguments and --rebaseline to a command line.
void add_script_options(CLI::App& app, HeadlessCommand& command, const std::string& scripts_help);

// A command line the programs refuse by their own rules (options that do not go together),
// in their own words.
struct CommandLineError : CLI::ParseError {
    explicit CommandLineError(const std::string& message)
        : CLI::ParseError("CommandLineError", message, CLI::ExitCodes::ValidationError) {}
};

// An option error in the program's own words: one sentence, whatever the argument library
// said. `app` is the command line that failed to parse.
std::string option_error(const CLI::App& app, const CLI::ParseError& error);

// Loads every script first, so that a mistake in any of them stops the run before it starts
// (one line on standard error, EXIT_USAGE); then plays them in simulated time on one device.
// Returns the exit code.
int run_headless_command(const HeadlessCommand& command);

// Empty when --catalogue is not given or goes with the rest of the command line; otherwise
// why not, in one sentence.
std::string catalogue_conflict(const HeadlessCommand& command);

// --catalogue FOLDER: every screen in every language and unit system, and the page. Returns
// the exit code.
int run_catalogue_command(const HeadlessCommand& command);

// Empty when --map, --coverage and --min-coverage are not given or go with the rest of the
// command line; otherwise why not, in one sentence.
std::string map_conflict(const HeadlessCommand& command);

// --map FOLDER: the screen map explored from power-on, drawn and written. Returns the exit
// code.
int run_map_command(const HeadlessCommand& command);

// The script options of a command line: --rebaseline, and what the device powers on as. With
// --settings FILE, `lock` takes the file for this program, and the file is read and must be
// writable. False with one line in `error` when --variant and --language do not go together,
// or the settings file cannot be used.
bool script_options_of(const HeadlessCommand& command, ScriptOptions& options, SettingsLock& lock,
                       std::string& error);

} // namespace ql
