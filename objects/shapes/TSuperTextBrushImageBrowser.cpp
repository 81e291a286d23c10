#include "TSuperTextBrushImageBrowser.h"

#include "TGSuperText.h"
#include "platform/system/HomeFolder.h"

#include <QDir>

TSuperTextBrushImageBrowser::TSuperTextBrushImageBrowser(QWidget* parent)
    : TGBrushImageBrowser(std::make_unique<TGSuperText>(), parent) {
    sample().setObjectName(QStringLiteral("SuperTextExample"));
}

QString TSuperTextBrushImageBrowser::startFolder() {
    const QString home = platform::HomeFolder::path();
    if (QDir(home + QStringLiteral("bmbrush")).exists()) return textureFolder();
    if (QDir(home + QStringLiteral("Textures")).exists()) return home + QStringLiteral("Textures");
    return home;
}
