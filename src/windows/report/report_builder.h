#pragma once

// The report a shop hands out with a programmed radio: model, band, mode,
// file and date; the channels group by group with what differs from a new
// channel; the optional features; the DTMF codes; the tone tips, note by
// note and as diagrams; the embedded message and the power-on text; then,
// on a page of its own, the other channel mode's channels and optional
// features, which a write sends too. Labels come from the program's texts,
// so the report is in the language the program shows.

#include "document.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QTextDocument;

namespace zav::report {

/// "Radio Programming Report": the report's heading and its printed title.
inline constexpr int kTextReportTitle = 32700;

/// The text of an id in the language in use.
using TextLookup = std::function<QString(int id)>;

/// Texts from a language file, each read once: a report asks for the same
/// few labels hundreds of times, and the file is read on every lookup.
[[nodiscard]] TextLookup languageFileTexts(const std::string& languageFile);

struct ReportInfo {
    QString fileName;   ///< the document's file name as the caption shows it
    QDateTime printed;  ///< when the report was made
    bool chinese = false; ///< the program shows Chinese: a font with CJK glyphs
};

/// The report as HTML; pictures are named "tonetip:N" (see reportDocument).
[[nodiscard]] QString reportHtml(const Document& doc, const TextLookup& text, const ReportInfo& info);

/// The report laid out for printing: the HTML, its font and the tone-tip
/// diagrams as image resources.
[[nodiscard]] std::unique_ptr<QTextDocument> reportDocument(const Document& doc, const TextLookup& text,
                                                            const ReportInfo& info);

} // namespace zav::report
