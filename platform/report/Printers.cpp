#include "platform/report/Printers.h"

#include <QPrinterInfo>

namespace platform {

QStringList Printers::names() {
    return QPrinterInfo::availablePrinterNames();
}

QString Printers::defaultName() {
    return QPrinterInfo::defaultPrinterName();
}

} // namespace platform
