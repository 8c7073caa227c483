// The sheets of the right-hand frame, by slot: what the program gives its
// application (empty views where an area has no sheet yet).
#pragma once

class CSheetView;
class CTolvarCloneSupportDoc;
class QWidget;

CSheetView* MakeTolvarSheet(int slot, CTolvarCloneSupportDoc& document, QWidget* parent);
