#pragma once

// Writing the report as a PDF file, atomically: a failed write leaves the
// file that was there.

#include <QString>

class QIODevice;
class QTextDocument;

namespace zav::report {

/// Prints report to an A4 PDF at path; false (with why in error) when the
/// file cannot be written.
bool writeReportPdf(QTextDocument& report, const QString& path, const QString& title, QString* error = nullptr);

/// Prints report as an A4 PDF into an open device (a pipe, a buffer).
void printReportPdf(QTextDocument& report, QIODevice& device, const QString& title);

} // namespace zav::report
