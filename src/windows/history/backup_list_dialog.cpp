#include "backup_list_dialog.h"

#include "app_context.h"
#include "band.h"
#include "ok_cancel.h"
#include "window_names.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zav {
namespace {

constexpr int kTextTitle = 32200;
constexpr int kTextColumnTime = 32201;
constexpr int kTextColumnKind = 32202;
constexpr int kTextColumnModel = 32203;
constexpr int kTextColumnPort = 32204;
constexpr int kTextColumnIdentity = 32205;
constexpr int kTextRead = 32206;
constexpr int kTextWrite = 32207;
constexpr int kTextRecovery = 33502;
constexpr int kTextBeforeWrite = 34211;
constexpr int kTextColumnDocument = 33503;
constexpr int kMaxPortColumnPixels = 220;
constexpr int kTextNoBackups = 32208;  ///< %1 the folder
constexpr int kTextFolder = 32209;     ///< %1 the folder

QString kindText(const ui::AppContext& ctx, BackupKind kind)
{
    switch (kind) {
    case BackupKind::Read: return ctx.text(kTextRead);
    case BackupKind::Write: return ctx.text(kTextWrite);
    case BackupKind::Recovery: return ctx.text(kTextRecovery);
    case BackupKind::BeforeWrite: return ctx.text(kTextBeforeWrite);
    }
    return {};
}

/// "ZAV415, 25.615 - 30.105 MHz, V300": the band as the model dialog names
/// it, by its code when no band has that code.
QString radioText(const ui::AppContext& ctx, const BackupEntry& e)
{
    if (e.headerModel.empty())
        return {};
    const std::string label = bandLabelOf(e.headerBand);
    const QString band = label.empty() ? ctx.text(kTextUnknownBand).arg(e.headerBand) : QString::fromStdString(label);
    return QStringLiteral("%1, %2, %3").arg(QString::fromStdString(e.headerModel), band,
                                           QString::fromStdString(e.headerVersion));
}

} // namespace

BackupListDialog::BackupListDialog(ui::AppContext& ctx, const std::string& folder, QWidget* parent)
    : QDialog(parent), entries_(listBackups(folder))
{
    setObjectName(kBackupListName);
    setWindowTitle(ctx.text(kTextTitle));
    const QString shownFolder = QString::fromStdString(folder);

    list_ = new QTreeWidget(this);
    list_->setObjectName("lstBackups");
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({ctx.text(kTextColumnTime), ctx.text(kTextColumnKind), ctx.text(kTextColumnModel),
                            ctx.text(kTextColumnPort), ctx.text(kTextColumnIdentity), ctx.text(kTextColumnDocument)});
    for (const BackupEntry& e : entries_) {
        const QString time = QDateTime::fromSecsSinceEpoch(e.time).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const QString document = QString::fromStdString(e.document);
        auto* item = new QTreeWidgetItem(list_, {time, kindText(ctx, e.kind), QString::fromStdString(e.model),
                                                 QString::fromStdString(e.port), radioText(ctx, e),
                                                 QFileInfo(document).fileName()});
        item->setToolTip(0, QString::fromStdString(e.path));
        item->setToolTip(ColumnPort, QString::fromStdString(e.port));
        item->setToolTip(ColumnDocument, document);
    }
    // Long device paths give up their middle, not the columns after them.
    list_->setTextElideMode(Qt::ElideMiddle);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->header()->setStretchLastSection(false);
    for (int column = 0; column < list_->columnCount(); ++column)
        list_->resizeColumnToContents(column);
    list_->header()->setSectionResizeMode(QHeaderView::Interactive);
    if (list_->columnWidth(ColumnPort) > kMaxPortColumnPixels)
        list_->setColumnWidth(ColumnPort, kMaxPortColumnPixels);
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));

    auto* where = new QLabel(entries_.empty() ? ctx.text(kTextNoBackups).arg(shownFolder)
                                              : ctx.text(kTextFolder).arg(shownFolder),
                             this);
    where->setObjectName("lblFolder");
    where->setWordWrap(true);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);

    QHBoxLayout* buttons = ui::okCancelRow(this, ctx, openButton_, cancelButton_);
    openButton_->setEnabled(!entries_.empty());
    connect(openButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(where);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(860, 420);
}

std::string BackupListDialog::chosenPath() const
{
    if (result() != QDialog::Accepted || !list_->currentItem())
        return {};
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    return row >= 0 && row < static_cast<int>(entries_.size()) ? entries_[static_cast<std::size_t>(row)].path
                                                               : std::string();
}

} // namespace zav
