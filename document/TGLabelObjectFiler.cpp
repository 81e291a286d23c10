#include "TGLabelObjectFiler.h"

#include "TGFilerError.h"

// Placeholder until the card file reader and writer land.
TGLabelObjectFiler::TGLabelObjectFiler(const TGClassRegistry& classes) : classes_(classes) {}
void TGLabelObjectFiler::SaveAll(const TGBasePanel&, const QString&) { throw TGFilerError(QStringLiteral("Stream write error")); }
void TGLabelObjectFiler::LoadAll(QObject*, TGBasePanel&, const QString&) { throw TGFilerError(QStringLiteral("Stream read error")); }
void TGLabelObjectFiler::SaveSelection(const TGHandle&, const QString&) { throw TGFilerError(QStringLiteral("Stream write error")); }
void TGLabelObjectFiler::LoadWithOffset(QObject*, TGBasePanel&, const QString&) { throw TGFilerError(QStringLiteral("Stream read error")); }
void TGLabelObjectFiler::SaveObject(TGGraphicControl*, const QString&) { throw TGFilerError(QStringLiteral("Stream write error")); }
TGGraphicControl* TGLabelObjectFiler::CloneObject(TGGraphicControl*, QObject*, TGBasePanel&) { return nullptr; }
