// tolvane-cli: loads, saves, checks and exports GUI resource libraries without the editor,
// for build pipelines.
#include <array>
#include <iostream>
#include <string_view>

#include "cli/Commands.h"

namespace {

constexpr std::array kCommands = {
    Command{"info", "IN", "zeigt Kopfdaten, Texturen und Ressourcen der Bibliothek IN", 1, runInfo},
    Command{"resave", "IN OUT", "liest IN und speichert es als OUT im aktuellen Format", 2,
            runResave},
    Command{"check", "IN", "prüft die Bibliothek IN und listet ihre Fehler auf", 1, runCheck},
    Command{"header", "IN OUT", "schreibt die Header-Datei der Bibliothek IN nach OUT", 2,
            runHeader},
    Command{"dump", "LIB [OUT]",
            "schreibt LIB als JSON nach OUT (ohne OUT oder mit -: Standardausgabe)", 1, runDump, 1},
    Command{"build", "JSON OUT",
            "liest JSON (- ist die Standardeingabe) und speichert es als Bibliothek OUT", 2,
            runBuild},
};

void printUsage(std::ostream& out) {
    out << "Aufruf: tolvane-cli BEFEHL ARGUMENTE\n\nBefehle:\n";
    for (const Command& command : kCommands) {
        const std::string call = std::string(command.name) + " " + command.synopsis;
        out << "  " << call << std::string(call.size() < 18 ? 18 - call.size() : 1, ' ')
            << command.help << '\n';
    }
    out << "  --help            zeigt diese Hilfe\n\n"
           "Exit-Status: 0 Erfolg, 1 Prüfung fand Fehler, 2 Datei nicht lesbar oder nicht "
           "schreibbar,\n"
           "             64 falscher Aufruf.\n";
}

}  // namespace

int main(int argc, char** argv) {
    const Arguments arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        printUsage(std::cout);
        return kExitSuccess;
    }
    for (const Command& command : kCommands) {
        if (!arguments.empty() && arguments[0] == command.name &&
            arguments.size() >= command.argumentCount + 1 &&
            arguments.size() <= command.argumentCount + command.optionalArgumentCount + 1) {
            return command.run(Arguments(arguments.begin() + 1, arguments.end()));
        }
    }
    printUsage(std::cerr);
    return kExitUsage;
}
