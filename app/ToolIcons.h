#pragma once
// The tool bar's pictures, drawn at run time so that they stay sharp at any scale.
#include <QIcon>

class ToolIcons {
  public:
    // The icon for tool button number index (0 = selection tool … 12 = circle text),
    // 13 = show grid, 14 = snap to grid, 15 = background art.
    static QIcon icon(int index);
    static QIcon applicationIcon();
};
