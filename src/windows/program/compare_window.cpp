#include "compare_window.h"

#include "app_context.h"
#include "check_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zav {
namespace {

constexpr int kTextTitle = 34220;
constexpr int kTextSame = 34222;        ///< %1 the device
constexpr int kTextDifferent = 34223;   ///< %1 how many, %2 the device
constexpr int kTextColumnDifference = 34225;
constexpr int kTextWriteDocument = 34226;
constexpr int kTextOpenRadio = 34227;

constexpr int kIndexRole = Qt::UserRole;

} // namespace

CompareWindow::CompareWindow(ui::AppContext& ctx, QWidget* parent) : ui::EditorWindow(parent), ctx_(ctx)
{
    setObjectName(kCompareWindowName);
    setWindowTitle(ctx.text(kTextTitle));

    list_ = new QTreeWidget(this);
    list_->setObjectName("lstDifferences");
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setWordWrap(false);
    list_->setHeaderLabels({ctx.text(kTextColumnWhere), ctx.text(kTextColumnDifference)});
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { itemActivated(item); });

    summary_ = new QLabel(this);
    summary_->setObjectName("lblSummary");
    summary_->setWordWrap(true);
    write_ = new QPushButton(ctx.text(kTextWriteDocument), this);
    write_->setObjectName("cmdWriteDocument");
    connect(write_, &QPushButton::clicked, this, [this] {
        if (onWriteDocument)
            onWriteDocument();
    });
    openRadio_ = new QPushButton(ctx.text(kTextOpenRadio), this);
    openRadio_->setObjectName("cmdOpenRadio");
    connect(openRadio_, &QPushButton::clicked, this, [this] {
        if (onOpenRadio)
            onOpenRadio();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(write_);
    buttons->addWidget(openRadio_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(760, 360);
}

void CompareWindow::showRadio(const link::RadioMemory& memory, const QString& device)
{
    radio_ = std::make_shared<const link::RadioMemory>(memory);
    device_ = device;
    runCompare();
}

void CompareWindow::runCompare()
{
    list_->clear();
    if (!radio_)
        return;
    comparison_ = compareWithRadio(ctx_.doc(), *radio_);
    const TextLookup text = [this](int id) { return ctx_.text(id).toStdString(); };
    for (std::size_t i = 0; i < comparison_.differences.size(); ++i) {
        const ConfigFinding& f = comparison_.differences[i];
        auto* item = new QTreeWidgetItem(
            list_, {QString::fromStdString(whereText(f, text)), QString::fromStdString(messageText(f, text))});
        item->setToolTip(1, item->text(1));
        item->setData(0, kIndexRole, static_cast<int>(i));
    }
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    if (comparison_.same())
        summary_->setText(ctx_.text(kTextSame).arg(device_));
    else
        summary_->setText(ctx_.text(kTextDifferent).arg(comparison_.differences.size()).arg(device_));
    // Writing what the radio already holds would change nothing.
    write_->setEnabled(!comparison_.same());
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
}

bool CompareWindow::reloadDocument()
{
    runCompare();
    return true;
}

void CompareWindow::openRow(int row) { itemActivated(list_->topLevelItem(row)); }

void CompareWindow::itemActivated(QTreeWidgetItem* item)
{
    if (!item || !onOpenFinding)
        return;
    const int index = item->data(0, kIndexRole).toInt();
    if (index >= 0 && static_cast<std::size_t>(index) < comparison_.differences.size())
        onOpenFinding(comparison_.differences[static_cast<std::size_t>(index)]);
}

} // namespace zav
