#include "report_printer.h"

#include "painter_print_device.h"
#include "report/print_report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryFile>

#include <cstdio>
#include <string>
#include <string_view>

namespace hk::ui {
namespace {

constexpr std::string_view kPrintTitle = "Drucken";

// A4 with narrow margins: the table reaches column 95 of the 10-point
// monospaced face (6 pt a column), 201 mm from the left edge of the
// printable area.
void SetUpPage(QPrinter& printer) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(5, 5, 3, 5), QPageLayout::Millimeter);
    printer.setDocName(QStringLiteral("Heizflächenberechnung"));
    printer.setCreator(QStringLiteral("hkberech"));
}

// Prints the report on printer.
Result<void> RenderReport(const ProgramState& state, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return Problem{
            "Der Bericht kann nicht gedruckt werden: Es konnte keine Seite begonnen werden."};
    }
    PainterPrintDevice device(painter, printer);
    if (!Seite1Druck(state, device)) {
        if (painter.isActive()) {
            painter.end();
        }
        return Problem{"Der Bericht konnte nicht vollständig gedruckt werden."};
    }
    return {};
}

Problem CannotWrite(const QString& path) {
    return {QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden.")
                .arg(QDir::toNativeSeparators(path))
                .toStdString()};
}

} // namespace

Result<void> PrintReportToPdf(const ProgramState& state, const QString& pdfPath) {
    if (pdfPath.isEmpty()) {
        return Problem{"Für den Bericht wurde kein Dateiname angegeben."};
    }
    const QFileInfo target(pdfPath);
    if (target.isDir()) {
        return CannotWrite(pdfPath);
    }
    // The report is written beside the target under a temporary name and
    // takes the target's name only when complete, so a failure leaves neither
    // a partial file nor a damaged older one.
    QTemporaryFile part(target.absolutePath() + QStringLiteral("/.hkberech-XXXXXX.pdf"));
    if (!part.open()) {
        return CannotWrite(pdfPath);
    }
    part.close();
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(part.fileName());
        SetUpPage(printer);
        if (auto printed = RenderReport(state, printer); !printed) {
            return printed;
        }
    }
    if (QFileInfo(part.fileName()).size() == 0) {
        return CannotWrite(pdfPath);
    }
    // A temporary file is private to its owner; the report is an ordinary file.
    part.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    // rename() replaces an existing file in one step.
    if (std::rename(QFile::encodeName(part.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        return CannotWrite(pdfPath);
    }
    part.setAutoRemove(false);
    return {};
}

void PrintReportWithPreview(const ProgramState& state, QWidget* parent, MessageSink& messages) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPage(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Druckvorschau"));
    // The preview paints again and again; any failed painting is told.
    Result<void> printed;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&state, &printed](QPrinter* target) {
                         if (auto painted = RenderReport(state, *target); !painted) {
                             printed = painted;
                         }
                     });
    dialog.exec();
    if (!printed) {
        messages.showMessage(
            {printed.problem().message, std::string(kPrintTitle), MsgIcon::Exclamation});
    }
}

} // namespace hk::ui
