#pragma once

namespace framework {
class CommandUI;
}

// Commands on the areas of the button shown, handled wherever the command route reaches them
// (the document), since a view's focus does not make it the active view.
//
// The clipboard's copy, cut and paste act on areas while the texture view, the button view or
// the area list has the focus: on the selected areas of the shown texture, the selected pieces
// of the button, or the selected rows. The clipboard holds them as the text form of a library
// (the textures they use and one resource holding them), in a private type and as text.
void UpdateAreaClipboardCommand(framework::CommandUI& ui);
void RunAreaClipboardCommand(int id);

// The commands that line up and space out the selected areas (ID_ALIGN_LEFT to
// ID_DISTRIBUTE_VERTICALLY): their pieces' placement while the button view has the focus,
// else their rectangles on the shown texture.
void UpdateArrangeCommand(framework::CommandUI& ui);
void RunArrangeCommand(int id);

// "Im Raster zerlegen..." and "Automatisch zerlegen..." (ID_SLICE_GRID, ID_SLICE_AUTO) open
// their panel on the texture the preview shows for the button shown.
void UpdateSliceCommand(framework::CommandUI& ui);
void RunSliceCommand(int id);
