// tolvane-cli: loads, saves, checks and exports GUI resource libraries without the editor,
// for build pipelines.
#include <array>
#include <iostream>
#include <string_view>
#include <vector>

#include "TolvaneVersion.h"
#include "cli/Commands.h"
#include "platform/StandardStreams.h"

namespace {

constexpr std::array kCommands = {
    Command{"info", "IN", "zeigt Kopfdaten, Texturen und Ressourcen der Bibliothek IN", 1, runInfo},
    Command{"resave", "IN OUT", "liest IN und speichert es als OUT im aktuellen Format", 2,
            runResave},
    Command{"check", "IN...", "prüft die Bibliotheken und listet ihre Fehler auf", kOneOrMore,
            runCheck},
    Command{"header", "IN OUT", "schreibt die Header-Datei der Bibliothek IN nach OUT", 2,
            runHeader},

    // Slicing a texture sheet: its options are listed by "slice --help".
    Command{"slice", "LIB ...",
            "zerlegt eine Textur in Bereiche einer Ressource (slice --help: die Optionen)",
            kOneOrMore, runSlice},

    Command{"dump", "LIB [OUT]",
            "schreibt LIB als JSON nach OUT (ohne OUT oder mit -: Standardausgabe)", 1, runDump, 1},
    Command{"build", "JSON OUT",
            "liest JSON (- ist die Standardeingabe) und speichert es als Bibliothek OUT", 2,
            runBuild},
    Command{"nineslice",
            "LIB --resource ID --area N --margins L,T,R,B --size WxH [--no-centre] [-o OUT]\n"
            "LIB --resource ID [--area N] --resize WxH [-o OUT]",
            "macht Bereich N zum neunteiligen Knopf der Größe WxH (Ränder links, oben,\n"
            "rechts, unten), oder gibt dem neunteiligen Knopf, der Bereich N hält (ohne\n"
            "--area: dem einzigen der Ressource), die Größe WxH; ohne -o wird LIB ersetzt",
            kOneOrMore, runNineSlice},
};

// The lines of text, split at its line breaks.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    lines.push_back(text);
    return lines;
}

void printUsage(std::ostream& out) {
    out << "Aufruf: tolvane-cli BEFEHL ARGUMENTE\n\nBefehle:\n";
    for (const Command& command : kCommands) {
        const std::string call = std::string(command.name) + " " + command.synopsis;
        const std::vector<std::string_view> calls = linesOf(command.synopsis);
        const std::vector<std::string_view> help = linesOf(command.help);
        if (calls.size() == 1 && help.size() == 1) {
            out << "  " << call << std::string(call.size() < 18 ? 18 - call.size() : 1, ' ')
                << command.help << '\n';
            continue;
        }
        // Several forms of a call, each on its line, and the help below them.
        for (const std::string_view form : calls) {
            out << "  " << command.name << ' ' << form << '\n';
        }
        for (const std::string_view line : help) {
            out << std::string(20, ' ') << line << '\n';
        }
    }
    out << "  --help            zeigt diese Hilfe\n"
           "  --version         zeigt die Versionsnummer\n\n"
           "OUT \"-\" ist die Standardausgabe.\n"
           "Exit-Status: 0 Erfolg, 1 Prüfung fand Fehler oder slice legte keinen Bereich an,\n"
           "             2 Datei nicht lesbar, nicht schreibbar oder unvollständig,\n"
           "             64 falscher Aufruf.\n";
}

// True when arguments (the command's name first) call command with as many arguments as it
// takes.
bool takes(const Command& command, const Arguments& arguments) {
    if (arguments.empty() || arguments[0] != command.name) {
        return false;
    }
    const std::size_t given = arguments.size() - 1;
    if (command.argumentCount == kOneOrMore) {
        return given >= 1;
    }
    return given >= command.argumentCount &&
           given <= command.argumentCount + command.optionalArgumentCount;
}

}  // namespace

int runCommandLine(const Arguments& arguments) {
    useBinaryStandardStreams();
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        printUsage(std::cout);
        return kExitSuccess;
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        std::cout << "tolvane-cli " << kTolvaneVersion << '\n';
        return kExitSuccess;
    }
    for (const Command& command : kCommands) {
        if (takes(command, arguments)) {
            return command.run(Arguments(arguments.begin() + 1, arguments.end()));
        }
    }
    printUsage(std::cerr);
    return kExitUsage;
}
