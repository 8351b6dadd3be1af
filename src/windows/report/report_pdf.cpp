#include "report_pdf.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace zav::report {

void printReportPdf(QTextDocument& report, QIODevice& device, const QString& title)
{
    QPdfWriter writer(&device);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("zavprog"));
    // The text document keeps a 2 cm margin of its own on printed pages.
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                     QPageLayout::Millimeter));
    writer.setResolution(300);
    report.print(&writer);
}

QByteArray reportPdfBytes(QTextDocument& report, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    printReportPdf(report, buffer, title);
    buffer.close();
    return bytes;
}

FileWriteResult writeReportPdf(QTextDocument& report, const QString& path, const QString& title)
{
    const QByteArray bytes = reportPdfBytes(report, title);
    return writeFileAtomically(QFile::encodeName(path).toStdString(),
                               std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

} // namespace zav::report
