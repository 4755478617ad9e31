#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/SliceOptions.h"
#include "document/FileFailureText.h"
#include "document/PremultipliedTexture.h"
#include "document/TextureFiles.h"
#include "library/LibraryFile.h"
#include "library/Windows1252.h"
#include "platform/LibraryFileNames.h"

namespace {

// Says on standard error why the slicing was refused; the status for it.
int refuse(const std::string& path, const std::string& reason) {
    reportFileFailure(path, reason);
    return kExitCheckFailed;
}

// The position of the one record whose id is id, or why there is none: no record has it, or
// several do.
template <typename Records>
std::optional<std::size_t> onlyWithId(const Records& records, std::int32_t id, const char* one,
                                      const char* many, std::string& problem) {
    std::optional<std::size_t> found;
    std::size_t count = 0;
    for (std::size_t at = 0; at < records.size(); ++at) {
        if (records[at]->id == id) {
            found = at;
            ++count;
        }
    }
    if (count == 1) {
        return found;
    }
    problem = (count == 0 ? std::string("keine ") + one : std::to_string(count) + " " + many) +
              " mit der Id " + std::to_string(id);
    return std::nullopt;
}

// The texture's picture, found as the check finds texture files; none (and a report) when it
// cannot be had.
std::optional<PremultipliedTexture> readTexture(const ResourceLibrary& library,
                                                const TextureEntry& texture,
                                                const std::string& libraryPath) {
    const std::string name = library.resourcePath + texture.path;
    const std::optional<std::string> file =
        LocateTextureFile(fileNameFromLibraryText(name), libraryPathForLookup(libraryPath));
    if (!file) {
        reportFileFailure(utf8FromWindows1252(name), "Datei nicht gefunden");
        return std::nullopt;
    }
    // A texture is a regular file: a device named by a library would never end, a pipe wait.
    std::string bytes;
    HRESULT result = refuseSpecialFile(*file);
    if (SUCCEEDED(result)) {
        result = readWholeFile(*file, bytes, [](std::string_view) { return true; });
    }
    if (FAILED(result)) {
        reportFileFailure(*file, fileFailureText(result));
        return std::nullopt;
    }
    const DecodedTexture decoded =
        DecodeTexture(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    if (decoded.failure != TextureDecodeFailure::None) {
        reportFileFailure(*file, textureDecodeFailureText(decoded.failure));
        return std::nullopt;
    }
    return PremultiplyTexture(decoded);
}

void printAdded(const SlicePlan& plan, ExistingAreas existing) {
    std::size_t row = plan.firstNewRow;
    for (const ResourceArea& area : plan.added) {
        // Whole pixels, as the slicing made them.
        std::cout << "Bereich " << row++ << ": X1 " << int(area.x1) << ", Y1 " << int(area.y1)
                  << ", X2 " << int(area.x2) << ", Y2 " << int(area.y2) << '\n';
    }
    std::cout << AreaCountText(plan.added.size()) << " hinzugefügt";
    if (existing == ExistingAreas::Replace) {
        std::cout << ", " << plan.removed << " vorhandene ersetzt";
    } else if (!plan.leftOut.empty()) {
        std::cout << ", " << plan.leftOut.size() << " ausgelassen (überlappen vorhandene Bereiche)";
    }
    std::cout << ".\n";
}

}  // namespace

int runSlice(const Arguments& arguments) {
    if (arguments.size() == 1 && arguments[0] == "--help") {
        std::cout << kSliceHelp;
        return kExitSuccess;
    }
    const ParsedSliceOptions parsed = ParseSliceOptions(arguments);
    if (!parsed.options) {
        std::cerr << "tolvane-cli slice: " << parsed.problem << "\n\n" << kSliceHelp;
        return kExitUsage;
    }
    const SliceOptions& options = *parsed.options;
    ResourceLibrary library;
    if (loadLibraryOrReport(options.library, library) != LoadStatus::Loaded) {
        return kExitFileError;
    }
    std::string problem;
    const std::optional<std::size_t> resourceIndex =
        onlyWithId(library.resources, options.resourceId, "Ressource", "Ressourcen", problem);
    const std::optional<std::size_t> textureIndex =
        resourceIndex
            ? onlyWithId(library.textures, options.textureId, "Textur", "Texturen", problem)
            : std::nullopt;
    if (!textureIndex) {
        return refuse(options.library, problem);
    }
    const TextureEntry* texture = library.textures[*textureIndex].get();
    const std::optional<PremultipliedTexture> picture =
        readTexture(library, *texture, options.library);
    if (!picture) {
        return kExitFileError;
    }
    const SliceCandidates candidates =
        *(options.automatic
              ? AutoSliceCandidates(picture->pixels(), texture->blendType, options.islands)
              : GridCandidates(picture->pixels(), texture->blendType, options.grid));
    if (candidates.refused()) {
        return refuse(utf8FromWindows1252(library.resourcePath + texture->path),
                      candidates.message);
    }
    SlicePlan plan =
        PlanSlice(library, *resourceIndex, texture->id, candidates.rects, options.existing);
    if (!plan.change) {
        return refuse(options.library, plan.note);
    }
    plan.change->apply(library);
    const std::string& output = options.output.empty() ? options.library : options.output;
    if (const HRESULT result = saveLibraryFile(output, library); FAILED(result)) {
        reportFileFailure(output, fileFailureText(result));
        return kExitFileError;
    }
    printAdded(plan, options.existing);
    return std::cout.flush() ? kExitSuccess : kExitFileError;
}
