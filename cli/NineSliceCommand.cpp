// tolvane-cli nineslice: makes a nine-part button from one area, or gives a nine-part button a
// new size, as the editor does, and saves the library.
#include <charconv>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/LibraryOutput.h"
#include "cli/OutputTarget.h"
#include "document/LibraryChange.h"
#include "document/NineSliceChanges.h"
#include "document/NineSliceInput.h"
#include "document/NineSliceRecognition.h"

namespace {

// The call as given: each option's text, checked later.
struct NineSliceCall {
    std::string library;
    std::optional<std::string> output;
    std::optional<std::string> resource;
    std::optional<std::string> area;
    std::optional<std::string> margins;
    std::optional<std::string> size;
    std::optional<std::string> resize;
    bool centre = true;
};

int wrongCall(const std::string& reason) {
    std::cerr << "tolvane-cli: nineslice: " << reason << " (tolvane-cli --help zeigt den Aufruf)\n";
    return kExitUsage;
}

// The call's options and its library; a reason when they are not a call.
std::optional<NineSliceCall> parseCall(const Arguments& arguments, std::string& reason) {
    NineSliceCall call;
    const std::map<std::string, std::optional<std::string>*> valued = {
        {"--resource", &call.resource}, {"--area", &call.area},     {"--margins", &call.margins},
        {"--size", &call.size},         {"--resize", &call.resize}, {"-o", &call.output},
    };
    bool libraryGiven = false;
    bool noCentreGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (const auto option = valued.find(argument); option != valued.end()) {
            if (*option->second) {
                reason = argument + " ist doppelt angegeben";
                return std::nullopt;
            }
            if (i + 1 == arguments.size()) {
                reason = argument + " fehlt ein Wert";
                return std::nullopt;
            }
            *option->second = arguments[++i];
        } else if (argument == "--no-centre" && !noCentreGiven) {
            noCentreGiven = true;
            call.centre = false;
        } else if (argument.size() > 1 && argument[0] == '-') {
            reason = "unbekannte oder doppelte Option " + argument;
            return std::nullopt;
        } else if (libraryGiven) {
            reason = "nur eine Bibliothek, nicht auch " + argument;
            return std::nullopt;
        } else {
            call.library = argument;
            libraryGiven = true;
        }
    }
    if (!libraryGiven) {
        reason = "die Bibliothek fehlt";
    } else if (!call.resource) {
        reason = "--resource fehlt";
    } else if (call.resize && (call.margins || call.size || !call.centre)) {
        reason = "--resize steht ohne --margins, --size und --no-centre";
    } else if (!call.resize && !(call.area && call.margins && call.size)) {
        reason = "ohne --resize braucht es --area, --margins und --size";
    }
    return reason.empty() ? std::optional(call) : std::nullopt;
}

// A whole number of the call, or nothing.
template <typename Number>
std::optional<Number> numberOf(const std::string& text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// text split at every separator.
std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

// The one resource of the library with id; nothing, after saying why, where there is none or
// more than one.
UiResource* resourceWithId(ResourceLibrary& library, const std::string& path, std::int32_t id,
                           std::size_t& index) {
    UiResource* found = nullptr;
    int count = 0;
    for (std::size_t i = 0; i < library.resources.size(); ++i) {
        if (library.resources[i]->id == id) {
            found = library.resources[i].get();
            index = i;
            ++count;
        }
    }
    if (count != 1) {
        reportFileFailure(path, count == 0 ? "keine Ressource hat die Id " + std::to_string(id)
                                           : std::to_string(count) + " Ressourcen haben die Id " +
                                                 std::to_string(id));
        return nullptr;
    }
    return found;
}

// Says each problem of a check; true when there was none. A note is said either way.
bool reportCheck(const NineSliceCheck& check) {
    for (const NineSliceProblem& problem : check.problems) {
        std::cerr << "tolvane-cli: nineslice: " << problem.message << '\n';
    }
    if (!check.note.empty()) {
        std::cerr << "tolvane-cli: nineslice: Hinweis: " << check.note << '\n';
    }
    return check.ok();
}

// The set of the call's area, or the resource's only set when no area is given; nothing,
// after saying why.
std::optional<NineSliceSet> setOfCall(const UiResource& resource, const std::string& path,
                                      std::optional<std::size_t> area) {
    const std::string name = "Ressource " + std::to_string(resource.id);
    if (area) {
        std::optional<NineSliceSet> set = FindNineSliceSet(resource.areas, *area);
        if (!set) {
            reportFileFailure(path, "Bereich " + std::to_string(*area) + " der " + name +
                                        " gehört zu keinem neunteiligen Knopf");
        }
        return set;
    }
    std::vector<NineSliceSet> sets = FindNineSliceSets(resource.areas);
    if (sets.size() != 1) {
        reportFileFailure(path, sets.empty() ? name + " hat keinen neunteiligen Knopf"
                                             : name + " hat " + std::to_string(sets.size()) +
                                                   " neunteilige Knöpfe; --area wählt einen");
        return std::nullopt;
    }
    return std::move(sets.front());
}

}  // namespace

int runNineSlice(const Arguments& arguments) {
    std::string reason;
    const std::optional<NineSliceCall> call = parseCall(arguments, reason);
    if (!call) {
        return wrongCall(reason);
    }
    const std::optional<std::int32_t> id = numberOf<std::int32_t>(*call->resource);
    if (!id) {
        return wrongCall("--resource " + *call->resource + " ist keine Ressourcen-Id");
    }
    std::optional<std::size_t> area;
    if (call->area && !(area = numberOf<std::size_t>(*call->area))) {
        return wrongCall("--area " + *call->area + " ist keine Bereichsnummer (0, 1, ...)");
    }
    const std::vector<std::string> size = split(call->resize ? *call->resize : *call->size, 'x');
    if (size.size() != 2) {
        return wrongCall(std::string(call->resize ? "--resize" : "--size") +
                         " erwartet BREITExHÖHE");
    }
    const std::vector<std::string> margins =
        call->margins ? split(*call->margins, ',') : std::vector<std::string>(4);
    if (margins.size() != 4) {
        return wrongCall("--margins erwartet vier Ränder L,T,R,B");
    }

    const std::string& path = call->library;
    const std::string output = call->output.value_or(path);
    // Standard output open on the library would only be written over.
    if (isStandardOutput(output) && refuseOutputOverInput(path, output)) {
        return kExitFileError;
    }
    ResourceLibrary library;
    if (loadLibraryOrReport(path, library) != LoadStatus::Loaded) {
        return kExitFileError;
    }
    std::size_t resourceIndex = 0;
    const UiResource* resource = resourceWithId(library, path, *id, resourceIndex);
    if (resource == nullptr) {
        return kExitUsage;
    }
    if (area && *area >= resource->areas.size()) {
        const std::size_t count = resource->areas.size();
        reportFileFailure(path, "Ressource " + std::to_string(*id) + " hat keinen Bereich " +
                                    std::to_string(*area) +
                                    (count == 0 ? std::string(", sie hat keine Bereiche")
                                                : ", nur 0 bis " + std::to_string(count - 1)));
        return kExitUsage;
    }

    std::unique_ptr<LibraryChange> change;
    if (call->resize) {
        const std::optional<NineSliceSet> set = setOfCall(*resource, path, area);
        if (!set) {
            return kExitUsage;
        }
        const NineSliceCheck check = CheckNineSliceResize(*set, size[0], size[1]);
        if (!reportCheck(check)) {
            return kExitUsage;
        }
        change = ResizeNineSliceButton(resourceIndex, resource->areas, *set, check.button->width,
                                       check.button->height);
    } else {
        const ResourceArea& selected = resource->areas[*area];
        const NineSliceEntries entries{margins[0], margins[1], margins[2],  margins[3],
                                       size[0],    size[1],    call->centre};
        const NineSliceCheck check = CheckNineSlice(selected, entries);
        if (!reportCheck(check)) {
            return kExitUsage;
        }
        change = MakeNineSliceButton(resourceIndex, *area, selected, *check.button);
    }
    change->apply(library);
    return saveLibraryOrReport(output, library) ? kExitSuccess : kExitFileError;
}
