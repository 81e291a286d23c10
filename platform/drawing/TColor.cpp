#include "platform/drawing/TColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace {
// System colour k (0x80000000 + k) in the order the card file names them.
QColor systemColor(int k) {
    const QPalette pal = QGuiApplication::palette();
    switch (k) {
    case 1:
        return pal.color(QPalette::Window); // clBackground
    case 2:
        return pal.color(QPalette::Highlight); // clActiveCaption
    case 3:
        return pal.color(QPalette::Mid); // clInactiveCaption
    case 4:
        return pal.color(QPalette::Button); // clMenu
    case 5:
        return pal.color(QPalette::Base); // clWindow
    case 6:
        return pal.color(QPalette::Shadow); // clWindowFrame
    case 7:
        return pal.color(QPalette::WindowText); // clMenuText
    case 8:
        return pal.color(QPalette::Text); // clWindowText
    case 9:
        return pal.color(QPalette::HighlightedText); // clCaptionText
    case 13:
        return pal.color(QPalette::Highlight); // clHighlight
    case 14:
        return pal.color(QPalette::HighlightedText); // clHighlightText
    case 15:
        return pal.color(QPalette::Button); // clBtnFace
    case 16:
        return pal.color(QPalette::Dark); // clBtnShadow
    case 17:
        return pal.color(QPalette::Disabled, QPalette::Text); // clGrayText
    case 18:
        return pal.color(QPalette::ButtonText); // clBtnText
    case 20:
        return pal.color(QPalette::Light); // clBtnHighlight
    case 21:
        return pal.color(QPalette::Shadow); // cl3DDkShadow
    case 22:
        return pal.color(QPalette::Midlight); // cl3DLight
    case 23:
        return pal.color(QPalette::ToolTipText); // clInfoText
    case 24:
        return pal.color(QPalette::ToolTipBase); // clInfoBk
    default:
        return pal.color(QPalette::Button);
    }
}
} // namespace

QColor TColor::toQColor() const {
    const quint32 v = static_cast<quint32>(value);
    if (v & 0x80000000u) return systemColor(int(v & 0xFF));
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

TColor TColor::fromQColor(const QColor& c) {
    return TColor(c.red() | (c.green() << 8) | (c.blue() << 16));
}
