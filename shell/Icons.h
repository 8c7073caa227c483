// The program's own artwork, drawn in code so that it stays crisp at any scale:
// the program icon, the toolbar buttons and the tree images.
#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

enum class EArt { App, New, Open, Save, Undo, Redo, Com1, Com2, Com3, Com4, Read, Write, Information,
                  TreeGroup, TreeGroupCollapsed, TreeRoot, TreeLeaf };

// An icon with 16, 24, 32 and 48 pixel renderings.
QIcon ArtIcon(EArt art);
// The tree's images on the given background.
QIcon TreeIcon(int image, const QColor& background);
