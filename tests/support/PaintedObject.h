#pragma once
// An object painted by itself, for tests that look at its pixels.
#include <QImage>

class TGGraphicControl;

// Whether the painting is clipped to the object's box, or not, to show what strays beyond it.
enum class Clip { toObject, none };

// The object painted on a green ground with margin pixels of ground on each side.
QImage painted(TGGraphicControl& o, int margin = 0, Clip clip = Clip::toObject);
