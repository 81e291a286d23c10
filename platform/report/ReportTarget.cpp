#include "platform/report/ReportTarget.h"

namespace platform {

QPainter* ReportTarget::beginCard(QPoint&, QString&) {
    return nullptr;
}

bool ReportTarget::endCard(QString&) {
    return true;
}

void ReportTarget::placeCard(QPoint) {}

void ReportTarget::drawingOnPage() {}

} // namespace platform
