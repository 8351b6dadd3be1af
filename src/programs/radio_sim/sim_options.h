#pragma once

// The virtual radio's command line: one table names every option, its value
// and its meaning, so the parser, the checks on numbers and --help can never
// disagree.

#include "virtual_radio.h"

#include <string>

namespace zav::sim {

struct SimOptions {
    std::string link;
    std::string memoryFile;
    std::string infoFile;
    std::string dumpFile;
    std::string model = "ZAV415";
    int bandByte = 0;
    std::string version = "V300";
    int channelMode = -1; // -1: as the memory holds it
    bool modelSet = false;
    bool bandSet = false;
    bool versionSet = false;
    std::string password;
    bool paced = false;
    bool exactTiming = false; ///< poll instead of sleeping near a paced event
    RadioFaults faults;
};

struct SimCommandLine {
    enum class Outcome { Run, Help, Version, Error };
    Outcome outcome = Outcome::Run;
    SimOptions options;
    std::string error; ///< one line naming the option at fault (Outcome::Error)
};

/// Reads argv; never throws and never reads past argc.
SimCommandLine parseSimCommandLine(int argc, const char* const* argv);

/// The usage line and every option with its meaning, for standard output.
std::string simHelpText();

} // namespace zav::sim
