// How long the channel table takes to show country group UK (80 rows)
// after group CE, as a ratio to filling a plain QTableWidget of the same
// size (80 x 11 items) in the same run. Goal: at most 2.

#include "channel_groups.h"
#include "defaults.h"
#include "channel_table_window.h"
#include "channel_windows.h"
#include "session.h"
#include "window_names.h"
#include "window_registry.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMdiArea>
#include <QTableView>
#include <QTableWidget>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 21;
constexpr int kRows = 80;
constexpr int kColumns = 11;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string LanguageFile()
{
    const QByteArray program = qgetenv("ZAV_PROGRAM_DIR");
    if (!program.isEmpty())
        return program.toStdString() + "/language/english.ini";
    return std::string(ZAV_SOURCE_LANGUAGE_FILE);
}

/// A country-mode document with every channel of groups CE and UK.
void FillDocument(zav::Document& doc)
{
    doc.image().ChannelMode = 0;
    zav::buildNewDocument(doc, std::string(), zav::TemplateVariant::NewDocument);
    int count = 0;
    for (int group : {1, 2}) {
        for (int n = 1; n <= zav::groupSize(group, 0); ++n) {
            zav::ChannelRecord& r = doc.active()[static_cast<std::size_t>(count++)];
            r = zav::ChannelRecord{};
            r.Number = static_cast<zav::Int16>(zav::groupBase(group, 0) + n);
            std::string digits = std::to_string(2696500 + n * 1000);
            digits.insert(0, 8 - digits.size(), '0');
            r.RxFrequency.assign(digits);
            r.RxTone = static_cast<zav::Int16>(n % 50);
            r.TxTone = static_cast<zav::Int16>(n % 50);
        }
    }
    doc.image().ChannelCount = static_cast<zav::Int16>(count);
    doc.copyWorkingToSaved();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    zav::Session session;
    session.texts.setFile(LanguageFile());
    FillDocument(session.doc);
    session.doc.image().OptFeat.Common1[zav::common1::CurrentGroup] = 1;

    QMdiArea area;
    area.resize(1000, 800);
    area.show();
    zav::ui::AppContext ctx{session, &area, nullptr};
    auto* table = qobject_cast<zav::ChannelTableWindow*>(zav::ui::showEditor(
        &area, zav::kChannelTableName, [&ctx] { return new zav::ChannelTableWindow(ctx); }));

    QTableWidget plain;
    plain.resize(table->grid()->size());
    plain.show();
    QStringList texts;
    for (int i = 0; i < kRows * kColumns; ++i)
        texts << QString::number(27.0 + i * 0.001, 'f', 5);
    QApplication::processEvents();

    std::vector<double> windowTimes;
    std::vector<double> plainTimes;
    for (int run = 0; run < kRuns; ++run) {
        zav::channels::editState(ctx).editGroup = 1;
        table->showEditGroup();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        zav::channels::editState(ctx).editGroup = 2;
        table->showEditGroup();
        table->grid()->viewport()->repaint();
        windowTimes.push_back(static_cast<double>(timer.nsecsElapsed()));

        plain.clear();
        plain.setRowCount(0);
        QApplication::processEvents();
        timer.restart();
        plain.setColumnCount(kColumns);
        plain.setRowCount(kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c)
                plain.setItem(r, c, new QTableWidgetItem(texts.at(r * kColumns + c)));
        plain.viewport()->repaint();
        plainTimes.push_back(static_cast<double>(timer.nsecsElapsed()));
    }
    if (table->slotRows() != kRows) {
        std::fprintf(stderr, "the table shows %d rows, not %d\n", table->slotRows(), kRows);
        return 1;
    }
    const double window = Median(windowTimes);
    const double reference = Median(plainTimes);
    std::printf("channel table, group UK after CE: %.3f ms\n", window / 1e6);
    std::printf("plain QTableWidget, 80 x 11 items: %.3f ms\n", reference / 1e6);
    std::printf("ratio: %.2f (goal <= 2)\n", window / reference);
    return 0;
}
