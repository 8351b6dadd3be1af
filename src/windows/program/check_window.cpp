#include "check_window.h"

#include "app_context.h"
#include "common_text_ids.h"
#include "pending_edits.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace zav {
namespace {

constexpr int kTextTitle = 32803;
constexpr int kTextColumnLevel = 32804;
constexpr int kTextColumnWhat = 32806;
constexpr int kTextNothingFound = 32807;
constexpr int kTextCheckAgain = 32809;
constexpr int kTextSummary = 32857; ///< %1 errors, %2 warnings, %3 notes

constexpr int kMinHeight = 160; ///< a few findings still show
constexpr int kIndexRole = Qt::UserRole;
enum Column { ColumnLevel, ColumnWhere, ColumnWhat };

/// Where a finding is, as numbers: the other mode's channels after the
/// current mode's, then group and row (the table's places before the ones
/// no group reaches), then the channel number and the field.
auto placeKey(const ConfigFinding& f)
{
    return std::make_tuple(f.standby, f.group < 0, f.group, f.numberInGroup, f.number, static_cast<int>(f.area),
                           f.field);
}

/// A row of the list that sorts by what its column means: the level by
/// its weight and the place by group and row as numbers, not as text.
class FindingItem : public QTreeWidgetItem {
public:
    FindingItem(const QStringList& texts, const ConfigFinding& finding, int index)
        : QTreeWidgetItem(texts), finding_(finding), index_(index)
    {
        setData(0, kIndexRole, index);
    }

    bool operator<(const QTreeWidgetItem& other) const override
    {
        const auto& that = static_cast<const FindingItem&>(other);
        switch (treeWidget() ? treeWidget()->sortColumn() : ColumnLevel) {
        case ColumnWhere:
            if (placeKey(finding_) != placeKey(that.finding_))
                return placeKey(finding_) < placeKey(that.finding_);
            break;
        case ColumnWhat:
            if (const int order = text(ColumnWhat).localeAwareCompare(that.text(ColumnWhat)); order != 0)
                return order < 0;
            break;
        default:
            if (finding_.level != that.finding_.level)
                return finding_.level < that.finding_.level;
            break;
        }
        // Equal in the column: the check's own order (table order).
        return index_ < that.index_;
    }

private:
    ConfigFinding finding_;
    int index_;
};

QIcon levelIcon(FindingLevel level)
{
    QStyle* style = QApplication::style();
    switch (level) {
    case FindingLevel::Error:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case FindingLevel::Warning:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case FindingLevel::Information:
        break;
    }
    return style->standardIcon(QStyle::SP_MessageBoxInformation);
}

} // namespace

CheckWindow::CheckWindow(ui::AppContext& ctx, QWidget* parent) : ui::EditorWindow(parent), ctx_(ctx)
{
    setObjectName(kCheckWindowName);
    setWindowTitle(ctx.text(kTextTitle));

    list_ = new QTreeWidget(this);
    list_->setObjectName("lstFindings");
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setWordWrap(false);
    list_->setHeaderLabels({ctx.text(kTextColumnLevel), ctx.text(kTextColumnWhere), ctx.text(kTextColumnWhat)});
    // Unsorted (the check's own order) until a header is clicked.
    list_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    list_->setSortingEnabled(true);
    // A double-click (or Enter) activates the item.
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { itemActivated(item); });

    summary_ = new QLabel(this);
    summary_->setObjectName("lblSummary");
    again_ = new QPushButton(ctx.text(kTextCheckAgain), this);
    again_->setObjectName("cmdCheckAgain");
    connect(again_, &QPushButton::clicked, this, [this] {
        ui::commitPendingEdits(ctx_);
        runCheck();
    });
    auto* close = new QPushButton(ctx.text(textid::kTextCloseToolWindow), this);
    close->setObjectName("cmdClose");
    connect(close, &QPushButton::clicked, this, [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            this->close();
    });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(summary_, 1);
    bottom->addWidget(again_);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);
    resize(760, 360);
    runCheck();
}

void CheckWindow::runCheck()
{
    findings_ = checkConfiguration(ctx_.doc());
    const TextLookup text = [this](int id) { return ctx_.text(id).toStdString(); };
    list_->clear();
    int counts[3] = {0, 0, 0};
    for (std::size_t i = 0; i < findings_.size(); ++i) {
        const ConfigFinding& f = findings_[i];
        ++counts[static_cast<int>(f.level)];
        auto* item = new FindingItem({QString::fromStdString(levelText(f.level, text)),
                                      QString::fromStdString(whereText(f, text)), QString::fromStdString(messageText(f, text))},
                                     f, static_cast<int>(i));
        item->setIcon(0, levelIcon(f.level));
        item->setToolTip(2, item->text(2));
        list_->addTopLevelItem(item);
    }
    // Checked again, the list keeps the order the user chose.
    if (list_->sortColumn() >= 0)
        list_->sortItems(list_->sortColumn(), list_->header()->sortIndicatorOrder());
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    if (findings_.empty())
        summary_->setText(ctx_.text(kTextNothingFound));
    else
        summary_->setText(ctx_.text(kTextSummary).arg(counts[0]).arg(counts[1]).arg(counts[2]));
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
}

bool CheckWindow::reloadDocument()
{
    runCheck();
    return true;
}

void CheckWindow::openRow(int row) { itemActivated(list_->topLevelItem(row)); }

void CheckWindow::itemActivated(QTreeWidgetItem* item)
{
    if (!item || !onOpenFinding)
        return;
    const int index = item->data(0, kIndexRole).toInt();
    if (index >= 0 && static_cast<std::size_t>(index) < findings_.size())
        onOpenFinding(findings_[static_cast<std::size_t>(index)]);
}

void CheckWindow::keepInFrontOfEditor()
{
    // The user works through the list; the editor keeps the focus so that
    // typing goes to the place found.
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    QMdiArea* area = sub ? sub->mdiArea() : nullptr;
    if (!area)
        return;
    QMdiSubWindow* editor = area->activeSubWindow();
    if (editor && editor != sub && sub->geometry().intersects(editor->geometry())) {
        int top = 0;
        for (QMdiSubWindow* other : area->subWindowList())
            if (other != sub && other->isVisible() && !other->isMinimized())
                top = std::max(top, other->geometry().bottom() + 1);
        const int room = area->viewport()->height() - top;
        if (room >= kMinHeight)
            sub->setGeometry(std::max(0, std::min(sub->x(), area->viewport()->width() - sub->width())), top,
                             sub->width(), std::min(sub->height(), room));
    }
    sub->raise();
}

} // namespace zav
