#include "platform/appprinter.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <cstdlib>

namespace pf {

QPrinter& appPrinter() {
    // Made once and kept: the print settings a user chose stay for the run.
    static auto* printer = new QPrinter(QPrinter::HighResolution);
    const char* pdf = std::getenv("QUORVA_PRINT_PDF");
    if (pdf && *pdf) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromLocal8Bit(pdf));
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        printer->setOutputFileName(QDir(dir).filePath(QStringLiteral("Quorva 2002.pdf")));
    } else {
        printer->setOutputFormat(QPrinter::NativeFormat);
        printer->setPrinterName(QPrinterInfo::defaultPrinter().printerName());
    }
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(true);
    return *printer;
}

} // namespace pf
