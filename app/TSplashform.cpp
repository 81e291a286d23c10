#include "TSplashform.h"

#include "ToolIcons.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TSplashform::TSplashform(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Splashform"));
    setWindowTitle(QStringLiteral("About Orlanto"));
    auto* logo = new QLabel;
    logo->setPixmap(ToolIcons::applicationIcon().pixmap(128, 128));
    logo->setAlignment(Qt::AlignCenter);
    auto* name = new QLabel(QStringLiteral("<b>Orlanto</b>"));
    name->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("Version 3.2c"));
    version->setAlignment(Qt::AlignCenter);
    auto* bits = new QLabel(QStringLiteral("32-bit version"));
    bits->setAlignment(Qt::AlignCenter);
    auto* ok = new QPushButton(QStringLiteral("Ok"));
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logo);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(bits);
    layout->addWidget(ok, 0, Qt::AlignCenter);
}
