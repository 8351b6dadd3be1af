#include "model_dialog.h"

#include "app_context.h"
#include "ok_cancel.h"
#include "band.h"
#include "key_rules.h"
#include "list_helpers.h"
#include "prompts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zav {
namespace {

// The one model this program programs, and its one band.
const QStringList& Models()
{
    static const QStringList models{QString::fromLatin1(kProgramModel)};
    return models;
}

QStringList BandsOf(const QString& model)
{
    if (model == QString::fromLatin1(kProgramModel))
        return {QString::fromLatin1(kDefaultBandLabel)};
    return {};
}

} // namespace

ModelDialog::ModelDialog(ui::AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName("FrmModelInfo");
    setWindowTitle(ctx.text(13000));

    Label1 = new QLabel(ctx.text(13001), this);
    Label2 = new QLabel(ctx.text(13002), this);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName("Combo1");
    Combo2 = new QComboBox(this);
    Combo2->setObjectName("Combo2");
    ui::KeyRules::enterMovesFocusOn(Combo1);
    ui::KeyRules::enterMovesFocusOn(Combo2);


    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Combo1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Combo2, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = ui::OkCancelRow(this, ctx, CommandOK, CommandCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    const ModelBand& model = ctx.doc().model;
    ui::FillList(Combo1, Models());
    ui::ShowListText(Combo1, QString::fromStdString(model.modelName));
    FillBands();
    ui::ShowListText(Combo2, QString::fromStdString(model.bandLabel));
    // A band this model does not offer shows the model's first band: an
    // empty choice would give the document no band limits at all.
    if (Combo2->currentIndex() < 0 && Combo2->count() > 0)
        Combo2->setCurrentIndex(0);

    connect(Combo1, &QComboBox::currentIndexChanged, this, &ModelDialog::FillBands);
    connect(CommandOK, &QPushButton::clicked, this, &ModelDialog::CommandOK_Click);
}

void ModelDialog::FillBands()
{
    ui::FillList(Combo2, BandsOf(Combo1->currentText()));
    Combo2->setCurrentIndex(Combo2->count() > 0 ? 0 : -1);
}

void ModelDialog::CommandOK_Click()
{
    ModelBand& model = ctx_.doc().model;
    const std::string chosenModel = Combo1->currentText().toStdString();
    const std::string chosenBand = Combo2->currentText().toStdString();
    if (chosenModel != model.modelName || chosenBand != model.bandLabel) {
        const ui::Answer answer = ui::CurrentPrompter().ask(this, ctx_.text(9019), ctx_.text(9016),
                                                            ui::Buttons::OkCancel, ui::Icon::Warning);
        if (answer != ui::Answer::Ok) {
            reject();
            return;
        }
        model.modelName = chosenModel;
        model.bandLabel = chosenBand;
        model.bandCodeOfImage = bandCodeOf(model.bandLabel);
        ctx_.doc().image().Header.BandCode = model.bandCodeOfImage;
        model.parseBandLimits();
        changed_ = true;
    }
    accept();
}

} // namespace zav

