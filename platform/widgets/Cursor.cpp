#include "platform/widgets/Cursor.h"

namespace platform {

QCursor toQCursor(Cursor c) {
    switch (c) {
    case Cursor::Default:
        return QCursor(Qt::ArrowCursor);
    case Cursor::HandPoint:
        return QCursor(Qt::PointingHandCursor);
    case Cursor::HandGrab:
        return QCursor(Qt::OpenHandCursor);
    case Cursor::Drag:
        return QCursor(Qt::CrossCursor);
    case Cursor::NoDrop:
        return QCursor(Qt::ForbiddenCursor);
    case Cursor::SizeNWSE:
        return QCursor(Qt::SizeFDiagCursor);
    case Cursor::SizeNESW:
        return QCursor(Qt::SizeBDiagCursor);
    case Cursor::SizeNS:
        return QCursor(Qt::SizeVerCursor);
    case Cursor::SizeWE:
        return QCursor(Qt::SizeHorCursor);
    }
    return QCursor(Qt::ArrowCursor);
}

} // namespace platform
