// Writes examples/Showcase.gui: a library with several textures and buttons made of
// several areas, its name with an umlaut. Its textures are the files in examples/gfx/ that
// draw_textures.py draws. Run: tolvane-make-showcase examples/Showcase.gui
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

ResourceArea placed(ResourceArea cut, float offsetX, float offsetY, float stretchX,
                    float stretchY) {
    cut.offsetX = offsetX;
    cut.offsetY = offsetY;
    cut.stretchX = stretchX;
    cut.stretchY = stretchY;
    return cut;
}

// A button 128 pixels wide, made from its row of the button sheet: the normal face's left
// cap, its middle stretched three times, its right cap, the symbol in the middle, and the
// glow added over the upper half.
void addButton(ResourceLibrary& library, const char* identifier, int row) {
    auto button = std::make_unique<UiResource>();
    button->id = static_cast<std::int32_t>(library.idStart + library.resourceCount());
    button->identifier = identifier;
    const float top = 32.0f * static_cast<float>(row);
    const float bottom = top + 32.0f;
    button->areas.push_back(area(0, top, 16, bottom, 0));
    button->areas.push_back(placed(area(16, top, 48, bottom, 0), 16, 0, 3, 1));
    button->areas.push_back(placed(area(48, top, 64, bottom, 0), 112, 0, 1, 1));
    button->areas.push_back(placed(area(192, top, 256, bottom, 0), 32, 0, 1, 1));
    button->areas.push_back(placed(area(0, 0, 64, 64, 2), 0, -8, 2, 0.5f));
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
    addTexture(library, 1, "hintergrund.tga", 3, 3, 1, 0);
    addTexture(library, 2, "glanz.bmp", 2, 2, 0, 2);
    addTexture(library, 3, "titel.tga", 3, 1, 1, 1);
    // Spelt as on the Windows machine it was made on; the file is schatten.png.
    addTexture(library, 4, "Schatten.PNG", 2, 0, 2, 1);
    addButton(library, "StartButton", 0);
    addButton(library, "OptionenButton", 1);
    addButton(library, "BeendenButton", 2);

    auto background = std::make_unique<UiResource>();
    background->kind = 1;
    background->id = static_cast<std::int32_t>(library.idStart + library.resourceCount());
    background->identifier = "Hintergrund";
    background->areas.push_back(placed(area(0, 0, 128, 96, 1), 0, 0, 8, 8));
    library.resources.push_back(std::move(background));

    // The title bar, twice as wide as its texture, on its shadow.
    auto title = std::make_unique<UiResource>();
    title->kind = 1;
    title->id = static_cast<std::int32_t>(library.idStart + library.resourceCount());
    title->identifier = "Titelleiste";
    title->areas.push_back(placed(area(0, 0, 64, 16, 4), 0, 8, 4, 2));
    title->areas.push_back(placed(area(0, 0, 128, 32, 3), 0, 0, 2, 1));
    library.resources.push_back(std::move(title));

    if (FAILED(saveLibraryFile(argv[1], library))) {
        std::cerr << "Die Datei konnte nicht gespeichert werden!\n";
        return 2;
    }
    return 0;
}
