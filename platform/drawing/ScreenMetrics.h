#pragma once
// The screen's logical pixels per inch, which converts design-object pixels to inches at
// zoom 1.0. Taken from the primary screen (96 when there is none); tests and the command
// line may fix it.
namespace platform {

class ScreenMetrics {
  public:
    static int pixelsPerInch();
    // Fixes the value (0 goes back to the screen's).
    static void setPixelsPerInch(int ppi);
};

} // namespace platform
