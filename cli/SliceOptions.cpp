#include "cli/SliceOptions.h"

#include <charconv>
#include <set>

const char* const kSliceHelp =
    "Aufruf: tolvane-cli slice LIB --resource ID --texture ID\n"
    "                          ((--grid WxH | --cells CxR) [--offset X,Y] [--spacing X,Y]\n"
    "                           [--keep-empty] [--trim]\n"
    "                          | --auto [--alpha N] [--min N] [--merge N] [--merge-overlapping])\n"
    "                          [--replace] [-o OUT]\n"
    "\n"
    "Zerlegt die Textur ID in Bereiche der Ressource ID und speichert LIB (oder OUT).\n"
    "  --grid WxH            Raster aus Zellen von W x H Pixeln\n"
    "  --cells CxR           Raster aus C Spalten und R Zeilen\n"
    "  --offset X,Y          Versatz der ersten Zelle (0,0)\n"
    "  --spacing X,Y         Abstand zwischen den Zellen (0,0)\n"
    "  --keep-empty          auch Zellen ohne sichtbares Pixel anlegen\n"
    "  --trim                jede Zelle auf ihre sichtbaren Pixel zuschneiden\n"
    "  --auto                nach Inseln sichtbarer Pixel zerlegen\n"
    "  --alpha N             Alpha-Schwelle 0-255 (0): sichtbar ist, was darüber liegt\n"
    "  --min N               Mindestgröße (4): kleinere Inseln auslassen\n"
    "  --merge N             Inseln mit höchstens N Pixeln Lücke zusammenfassen (0)\n"
    "  --merge-overlapping   überlappende Inseln zusammenfassen\n"
    "  --replace             die Bereiche der Ressource auf dieser Textur ersetzen\n"
    "                        (sonst bleiben sie, und was sie überlappt, wird ausgelassen)\n"
    "  -o OUT                die Bibliothek nach OUT schreiben statt nach LIB\n";

namespace {

std::optional<int> wholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// "AxB" or "A,B" split at separator into two whole numbers.
std::optional<std::pair<int, int>> numberPair(const std::string& text, char separator) {
    const std::size_t at = text.find(separator);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const std::optional<int> first = wholeNumber(text.substr(0, at));
    const std::optional<int> second = wholeNumber(text.substr(at + 1));
    if (!first || !second) {
        return std::nullopt;
    }
    return std::pair(*first, *second);
}

const std::set<std::string> kGridOnly = {"--offset", "--spacing", "--keep-empty", "--trim"};
const std::set<std::string> kAutoOnly = {"--alpha", "--min", "--merge", "--merge-overlapping"};
const std::set<std::string> kWithValue = {"--resource", "--texture", "--grid",  "--cells",
                                          "--offset",   "--spacing", "--alpha", "--min",
                                          "--merge",    "-o"};
const std::set<std::string> kFlags = {"--keep-empty", "--trim", "--auto", "--merge-overlapping",
                                      "--replace"};

// Takes one option and its value into options; what is wrong with it, or empty.
std::string take(const std::string& option, const std::string& value, SliceOptions& options) {
    const auto wrong = [&](const char* expected) {
        return option + " erwartet " + expected + ", nicht \"" + value + "\"";
    };
    if (option == "--resource" || option == "--texture" || option == "--alpha" ||
        option == "--min" || option == "--merge") {
        const std::optional<int> number = wholeNumber(value);
        if (!number) {
            return wrong("eine ganze Zahl");
        }
        (option == "--resource"  ? options.resourceId
         : option == "--texture" ? options.textureId
         : option == "--alpha"   ? options.islands.threshold
         : option == "--min"     ? options.islands.minimumSize
                                 : options.islands.mergeGap) = *number;
    } else if (option == "--grid" || option == "--cells") {
        const auto pair = numberPair(value, 'x');
        if (!pair) {
            return wrong(option == "--grid" ? "BREITExHÖHE wie 64x32" : "SPALTENxZEILEN wie 4x2");
        }
        options.grid.byCount = option == "--cells";
        (options.grid.byCount ? options.grid.columns : options.grid.cellWidth) = pair->first;
        (options.grid.byCount ? options.grid.rows : options.grid.cellHeight) = pair->second;
    } else if (option == "--offset" || option == "--spacing") {
        const auto pair = numberPair(value, ',');
        if (!pair) {
            return wrong("X,Y wie 2,4");
        }
        (option == "--offset" ? options.grid.offsetX : options.grid.spacingX) = pair->first;
        (option == "--offset" ? options.grid.offsetY : options.grid.spacingY) = pair->second;
    } else if (option == "-o") {
        if (value == "-") {
            return "-o - geht nicht: die Standardausgabe zeigt die neuen Bereiche";
        }
        options.output = value;
    } else if (option == "--keep-empty") {
        options.grid.skipEmpty = false;
    } else if (option == "--trim") {
        options.grid.trimCells = true;
    } else if (option == "--auto") {
        options.automatic = true;
    } else if (option == "--merge-overlapping") {
        options.islands.mergeOverlapping = true;
    } else if (option == "--replace") {
        options.existing = ExistingAreas::Replace;
    }
    return {};
}

}  // namespace

ParsedSliceOptions ParseSliceOptions(const Arguments& arguments) {
    SliceOptions options;
    std::set<std::string> given;
    bool haveLibrary = false;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (!kWithValue.contains(argument) && !kFlags.contains(argument)) {
            if (argument.size() > 1 && argument[0] == '-') {
                return {std::nullopt, "unbekannte Option " + argument};
            }
            if (haveLibrary) {
                return {std::nullopt,
                        "mehr als eine Bibliothek: " + options.library + ", " + argument};
            }
            options.library = argument;
            haveLibrary = true;
            continue;
        }
        if (!given.insert(argument).second) {
            return {std::nullopt, argument + " steht zweimal da"};
        }
        std::string value;
        if (kWithValue.contains(argument)) {
            if (at + 1 == arguments.size()) {
                return {std::nullopt, "nach " + argument + " fehlt der Wert"};
            }
            value = arguments[++at];
        }
        if (std::string problem = take(argument, value, options); !problem.empty()) {
            return {std::nullopt, problem};
        }
    }
    const int ways = int(given.contains("--grid")) + int(given.contains("--cells")) +
                     int(given.contains("--auto"));
    if (!haveLibrary) {
        return {std::nullopt, "die Bibliothek fehlt"};
    }
    for (const char* required : {"--resource", "--texture"}) {
        if (!given.contains(required)) {
            return {std::nullopt, std::string(required) + " fehlt"};
        }
    }
    if (ways != 1) {
        return {std::nullopt, ways == 0 ? "--grid, --cells oder --auto fehlt"
                                        : "nur eines von --grid, --cells und --auto geht"};
    }
    for (const std::string& option : given) {
        if (options.automatic ? kGridOnly.contains(option) : kAutoOnly.contains(option)) {
            return {std::nullopt, option + (options.automatic ? " gilt nur mit --grid oder --cells"
                                                              : " gilt nur mit --auto")};
        }
    }
    return {std::move(options), {}};
}
