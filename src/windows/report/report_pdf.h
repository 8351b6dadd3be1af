#pragma once

// Writing the report as a PDF. The pages are printed into memory first and
// the file is then saved like any other output (atomic_file.h): a failed
// write leaves the file that was there, and a folder, device, pipe or
// read-only file named as the output is refused untouched.

#include "atomic_file.h"

#include <QByteArray>
#include <QString>

class QIODevice;
class QTextDocument;

namespace zav::report {

/// The report as the bytes of an A4 PDF.
[[nodiscard]] QByteArray reportPdfBytes(QTextDocument& report, const QString& title);

/// Saves the report as an A4 PDF at path; the result says why not.
FileWriteResult writeReportPdf(QTextDocument& report, const QString& path, const QString& title);

/// Prints report as an A4 PDF into an open device (a buffer).
void printReportPdf(QTextDocument& report, QIODevice& device, const QString& title);

} // namespace zav::report
