#include "report_printer.h"

#include "painter_print_device.h"
#include "report/print_report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryFile>

#include <cstdio>

namespace hk::ui {
namespace {

const QString kPrintTitle = QStringLiteral("Drucken");

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

// Prints the report on printer; false with the reason in *errorText.
bool RenderReport(const ProgramState& state, QPrinter& printer, QString* errorText) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        *errorText = QStringLiteral(
            "Der Bericht kann nicht gedruckt werden: Es konnte keine Seite begonnen werden.");
        return false;
    }
    PainterPrintDevice device(painter, printer);
    if (!Seite1Druck(state, device)) {
        if (painter.isActive()) {
            painter.end();
        }
        *errorText = QStringLiteral("Der Bericht konnte nicht vollständig gedruckt werden.");
        return false;
    }
    return true;
}

QString CannotWrite(const QString& path) {
    return QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden.")
        .arg(QDir::toNativeSeparators(path));
}

} // namespace

bool PrintReportToPdf(const ProgramState& state, const QString& pdfPath, QString* errorText) {
    QString error;
    const auto fail = [&](const QString& text) {
        if (errorText != nullptr) {
            *errorText = text;
        }
        return false;
    };
    if (pdfPath.isEmpty()) {
        return fail(QStringLiteral("Für den Bericht wurde kein Dateiname angegeben."));
    }
    const QFileInfo target(pdfPath);
    if (target.isDir()) {
        return fail(CannotWrite(pdfPath));
    }
    // The report is written beside the target under a temporary name and
    // takes the target's name only when complete, so a failure leaves neither
    // a partial file nor a damaged older one.
    QTemporaryFile part(target.absolutePath() + QStringLiteral("/.hkberech-XXXXXX.pdf"));
    if (!part.open()) {
        return fail(CannotWrite(pdfPath));
    }
    part.close();
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(part.fileName());
        SetUpPage(printer);
        if (!RenderReport(state, printer, &error)) {
            return fail(error);
        }
    }
    if (QFileInfo(part.fileName()).size() == 0) {
        return fail(CannotWrite(pdfPath));
    }
    // A temporary file is private to its owner; the report is an ordinary file.
    part.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    // rename() replaces an existing file in one step.
    if (std::rename(QFile::encodeName(part.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        return fail(CannotWrite(pdfPath));
    }
    part.setAutoRemove(false);
    return true;
}

void PrintReportWithPreview(const ProgramState& state, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPage(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Druckvorschau"));
    QString failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&state, &failure](QPrinter* target) {
                         QString error;
                         if (!RenderReport(state, *target, &error)) {
                             failure = error;
                         }
                     });
    dialog.exec();
    if (!failure.isEmpty()) {
        QMessageBox::warning(parent, kPrintTitle, failure);
    }
}

} // namespace hk::ui
