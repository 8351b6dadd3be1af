// Every window in every shipped language: no caption, button, check box or
// frame title is cut (German runs about a third longer than English). With
// ZAV_SHOT_DIR set, each window is also saved there as <window>-<locale>.png
// for a person to look at (run under Xvfb with QT_QPA_PLATFORM=xcb for the
// pictures a user sees).

#include "main_window_fixture.h"
#include "window_names.h"
#include "radio_info_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QToolButton>
#include <QStyle>
#include <QTreeWidget>
#include <QStyleOptionViewItem>

#include <functional>

using namespace zav;
using namespace zav::test;

namespace {

/// "widget: text (needs N px, has M)" for every text of root shown cut.
QStringList CutTexts(QWidget* root)
{
    QStringList cut;
    const auto report = [&](QWidget* w, const QString& text, int need, int have) {
        if (need > have)
            cut << QStringLiteral("%1 \"%2\": needs %3 px, has %4")
                       .arg(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName(),
                            text)
                       .arg(need)
                       .arg(have);
    };
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->wordWrap() || label->text().isEmpty() || !label->pixmap().isNull())
                continue;
            report(label, label->text(), label->sizeHint().width(), label->width());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (qobject_cast<QToolButton*>(button) || button->text().isEmpty())
                continue;
            report(button, button->text(), button->sizeHint().width(), button->width());
        } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            // A navigation tree shows its items whole within its pane: what
            // its delegate asks for (icon, margins, text) from where the item
            // starts.
            QStyleOptionViewItem option;
            option.initFrom(tree->viewport());
            option.font = tree->font();
            option.decorationSize = QSize(tree->style()->pixelMetric(QStyle::PM_SmallIconSize),
                                          tree->style()->pixelMetric(QStyle::PM_SmallIconSize));
            std::function<void(const QModelIndex&)> visit = [&](const QModelIndex& parent) {
                for (int row = 0; row < tree->model()->rowCount(parent); ++row) {
                    const QModelIndex index = tree->model()->index(row, 0, parent);
                    const QRect shown = tree->visualRect(index);
                    if (!shown.isEmpty())
                        report(tree, index.data().toString(),
                               shown.left() + tree->itemDelegate()->sizeHint(option, index).width(),
                               tree->viewport()->width());
                    visit(index);
                }
            };
            visit(QModelIndex());
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            if (!group->title().isEmpty())
                report(group, group->title(), group->fontMetrics().horizontalAdvance(group->title()) + 16, group->width());
        }
    }
    return cut;
}

/// Saves a picture of w when ZAV_SHOT_DIR names a folder.
void Shoot(QWidget* w, const QString& name, const QString& locale)
{
    const QString dir = qEnvironmentVariable("ZAV_SHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    w->grab().save(dir + "/" + name + "-" + locale.left(2) + ".png");
}

QWidget* SubWindow(MainWindow& w, const QString& name)
{
    for (QMdiSubWindow* sub : w.area()->subWindowList())
        if (sub->widget() && sub->widget()->objectName() == name)
            return sub;
    return nullptr;
}

} // namespace

class TestWindowTextsFit : public QObject {
    Q_OBJECT
private slots:
    void everyWindowFits_data()
    {
        QTest::addColumn<QString>("locale");
        for (const char* locale : {"en_US.UTF-8", "zh_CN.UTF-8", "de_DE.UTF-8", "pl_PL.UTF-8", "it_IT.UTF-8"})
            QTest::newRow(locale) << QString::fromLatin1(locale);
    }

    void everyWindowFits()
    {
        QFETCH(QString, locale);
        const QByteArray localeBytes = locale.toLatin1();
        ShellFixture f(localeBytes.constData());
        MainWindow& w = f.open();
        w.resize(1200, 800);
        f.openShownDocument();
        QStringList problems;
        const auto check = [&](QWidget* window, const QString& name) {
            if (!window) {
                problems << name + ": not shown";
                return;
            }
            QCoreApplication::processEvents();
            for (const QString& cut : CutTexts(window))
                problems << name + ": " + cut;
            Shoot(window, name, locale);
        };

        // The editors, each in front of the others as a user brings it.
        for (const QString& name : {zav::kOptionalFeaturesName, zav::kDtmfEditorName, zav::kToneTipsName, zav::kEmbeddedMessageName, zav::kDetailEditorName, zav::kChannelTableName}) {
            w.openEditor(name);
            QWidget* sub = SubWindow(w, name);
            if (sub)
                w.area()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(sub));
            check(sub, name);
        }
        check(&w, zav::kMainWindowName);
        w.showConfigurationCheck();
        check(SubWindow(w, zav::kCheckWindowName), zav::kCheckWindowName);
        w.showFleetWindow();
        check(w.findChild<QWidget*>(zav::kFleetWindowName), zav::kFleetWindowName);

        ui::AppContext ctx{f.session};
        link::RadioInfo info;
        info.SerialNumber.assign("2023-08-01 10:45");
        features::RadioInfoWindow radioInfo(ctx, info);
        radioInfo.show();
        check(&radioInfo, zav::kRadioInfoName);

        // The dialogs, looked at while open, then cancelled.
        const auto lookAndClose = [&](QDialog& d) {
            d.show();
            check(&d, d.objectName());
            d.reject();
            return int(QDialog::Rejected);
        };
        for (void (MainWindow::*open)() : {&MainWindow::chooseLanguage, &MainWindow::choosePort, &MainWindow::enterPassword,
                                           &MainWindow::chooseModel, &MainWindow::showAbout,
                                           &MainWindow::chooseBackupOptions, &MainWindow::showProgrammingLog}) {
            f.prompter.dialogs.push_back(lookAndClose);
            (w.*open)();
        }
        QVERIFY2(problems.isEmpty(), qPrintable(QLatin1Char('\n') + problems.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestWindowTextsFit)
#include "test_window_texts_fit.moc"
