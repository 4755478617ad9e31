#pragma once

class PreviewPanel;

namespace framework {
class CommandUI;
}

// Nine-part buttons in the editor. "Neunteiligen Knopf erzeugen..." (ID_NINE_SLICE) opens
// the panel "Neunteiliger Knopf" on the one selected area; "Knopfgröße ändern..."
// (ID_NINE_SLICE_RESIZE) asks for a new size of the nine-part button the first selected area
// belongs to, as does dragging the composed button's size handle.
void UpdateNineSliceCommand(framework::CommandUI& ui);
void RunNineSliceCommand(int id);

// The composed button's size handle shows its button at the size dragged to, which it gets
// when the handle is dropped.
void ConnectNineSliceHandle(PreviewPanel& panel);
