// Writes examples/Showcase.gui: a library with several textures and buttons made of
// several areas, its name with an umlaut. Run: tolvane-make-showcase examples/Showcase.gui
#include <iostream>

#include "library/LibraryFile.h"
#include "library/Windows1252.h"

namespace {

void addTexture(ResourceLibrary& library, int id, const char* path, int width, int height,
                int format, int blendType) {
    auto texture = std::make_unique<TextureEntry>();
    texture->id = id;
    texture->path = path;
    texture->widthIndex = width;
    texture->heightIndex = height;
    texture->format = format;
    texture->blendType = blendType;
    library.textures.push_back(std::move(texture));
}

ResourceArea area(float x1, float y1, float x2, float y2, int textureId) {
    ResourceArea result;
    result.x1 = x1;
    result.y1 = y1;
    result.x2 = x2;
    result.y2 = y2;
    result.textureId = textureId;
    return result;
}

// A button with its normal, hover and pressed look, one row of the button sheet each.
void addButton(ResourceLibrary& library, const char* identifier, int row) {
    auto button = std::make_unique<UiResource>();
    button->id = static_cast<std::int32_t>(library.idStart + library.resourceCount());
    button->identifier = identifier;
    const float top = 32.0f * static_cast<float>(row);
    for (int look = 0; look < 3; ++look) {
        button->areas.push_back(area(64.0f * look, top, 64.0f * look + 64.0f, top + 32.0f, 0));
    }
    ResourceArea shine = area(0, 0, 64, 64, 2);
    shine.offsetX = -4.0f;
    shine.offsetY = -16.0f;
    shine.stretchX = 1.125f;
    shine.stretchY = 0.75f;
    button->areas.push_back(shine);
    library.resources.push_back(std::move(button));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Aufruf: tolvane-make-showcase AUSGABE\n";
        return 64;
    }
    ResourceLibrary library;
    library.idStart = 1000;
    library.name = windows1252FromUtf8("Hauptmenü");
    library.resourcePath = "gfx\\";
    addTexture(library, 0, "knoepfe.png", 4, 3, 2, 1);
    addTexture(library, 1, "hintergrund.tga", 6, 6, 1, 0);
    addTexture(library, 2, "glanz.bmp", 2, 2, 0, 2);
    addButton(library, "StartButton", 0);
    addButton(library, "OptionenButton", 1);
    addButton(library, "BeendenButton", 2);

    auto background = std::make_unique<UiResource>();
    background->kind = 1;
    background->id = static_cast<std::int32_t>(library.idStart + library.resourceCount());
    background->identifier = "Hintergrund";
    background->areas.push_back(area(0, 0, 1024, 768, 1));
    library.resources.push_back(std::move(background));

    if (FAILED(saveLibraryFile(argv[1], library))) {
        std::cerr << "Die Datei konnte nicht gespeichert werden!\n";
        return 2;
    }
    return 0;
}
