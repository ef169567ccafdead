#pragma once
// PDF files read back with poppler's tools (package poppler-utils), for the
// tests of the printed report and the PDF reports.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace hk::ui::test {

// Output of a poppler tool; a warning and the empty text when it cannot run.
inline QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of one page (all pages for 0) as pdftotext -layout reads it.
inline QString PdfText(const QString& pdf, int page = 0) {
    QStringList args{QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (page > 0) {
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    }
    return Run(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
}

// The number of pages; -1 when pdfinfo cannot tell.
inline int PdfPages(const QString& pdf) {
    const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace hk::ui::test
