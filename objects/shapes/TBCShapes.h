#pragma once
// The simple shape the card surface's shape tools create; the same as TGLabelShapes under
// its own class name, so that card files holding either class load.
#include "TGLabelShapes.h"

class TBCShapes : public TGLabelShapes {
    Q_OBJECT
  public:
    explicit TBCShapes(QObject* owner = nullptr) : TGLabelShapes(owner) {}
};
