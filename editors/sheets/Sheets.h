// The sheet that shows a view's slot, as the view table describes it.
#pragma once

class CCloneManager;
class CSheetView;
class QWidget;
struct SViewDef;

CSheetView* MakeSheet(const SViewDef& view, CCloneManager& registry, QWidget* parent);
