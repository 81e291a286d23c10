#pragma once
// "Load Texture Image" for the effect text dialog: the texture chooser with an effect text
// as its sample. It starts in the texture folder, or in "Textures" of the home folder
// when there is no texture folder, or in the home folder itself.
#include "TGBrushImageBrowser.h"

class TSuperTextBrushImageBrowser : public TGBrushImageBrowser {
    Q_OBJECT
  public:
    explicit TSuperTextBrushImageBrowser(QWidget* parent = nullptr);

    // The folder to start in when no last texture file is known.
    static QString startFolder();
};
