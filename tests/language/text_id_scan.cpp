#include "text_id_scan.h"

#include <QRegularExpression>

namespace zav::test {
namespace {

int LineAt(const QString& source, qsizetype offset)
{
    return static_cast<int>(source.left(offset).count(u'\n')) + 1;
}

} // namespace

QList<FoundTextId> ScanTextIds(const QString& source)
{
    static const QRegularExpression kLookup(QStringLiteral(R"(\b(?:text|GetText|Text|tr|TextId)\(\s*(\d{4,5})\b)"));
    // kFooIds = {..}, kFooIds{..}, kFooIds[] = {..}, kFooIds{{..}} (std::array).
    static const QRegularExpression kIdList(QStringLiteral(R"(\b\w*Ids\s*(?:\[[^\]]*\])?\s*=?\s*\{\s*\{?([^{}]*)\})"));
    static const QRegularExpression kLiteral(QStringLiteral(R"((?<![\w.])(\d{4,5})(?![\w.]))"));

    QList<FoundTextId> found;
    for (auto it = kLookup.globalMatch(source); it.hasNext();) {
        const auto m = it.next();
        found.append({m.captured(1).toInt(), LineAt(source, m.capturedStart(1))});
    }
    for (auto it = kIdList.globalMatch(source); it.hasNext();) {
        const auto list = it.next();
        const qsizetype base = list.capturedStart(1);
        for (auto lit = kLiteral.globalMatch(list.captured(1)); lit.hasNext();) {
            const auto m = lit.next();
            found.append({m.captured(1).toInt(), LineAt(source, base + m.capturedStart(1))});
        }
    }
    return found;
}

} // namespace zav::test
