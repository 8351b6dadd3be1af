#include "model_dialog.h"

#include "app_context.h"
#include "ok_cancel.h"
#include "band.h"
#include "key_rules.h"
#include "list_helpers.h"
#include "prompts.h"
#include "window_names.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zav {
namespace {

constexpr int kTextReplaceDocument = 9016;
constexpr int kTextChangeModel = 9019;     // "Change Model"
constexpr int kTextTitle = 13000;          // "Model"
constexpr int kTextModel = 13001;          // "Model"
constexpr int kTextBand = 13002;           // "Frequency Band"

// The one model this program programs, and its one band.
const QStringList& knownModels()
{
    static const QStringList models{QString::fromLatin1(kProgramModel)};
    return models;
}

QStringList bandsOf(const QString& model)
{
    if (model == QString::fromLatin1(kProgramModel))
        return {QString::fromLatin1(kDefaultBandLabel)};
    return {};
}

} // namespace

ModelDialog::ModelDialog(ui::AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(kModelDialogName);
    setWindowTitle(ctx.text(kTextTitle));

    modelCaption = new QLabel(ctx.text(kTextModel), this);
    bandCaption = new QLabel(ctx.text(kTextBand), this);
    modelList = new QComboBox(this);
    modelList->setObjectName("Combo1");
    bandList = new QComboBox(this);
    bandList->setObjectName("Combo2");
    ui::KeyRules::enterMovesFocusOn(modelList);
    ui::KeyRules::enterMovesFocusOn(bandList);


    auto* grid = new QGridLayout;
    grid->addWidget(modelCaption, 0, 0);
    grid->addWidget(modelList, 0, 1);
    grid->addWidget(bandCaption, 1, 0);
    grid->addWidget(bandList, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = ui::okCancelRow(this, ctx, okButton, cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    const ModelBand& model = ctx.doc().model;
    ui::fillList(modelList, knownModels());
    ui::showListText(modelList, QString::fromStdString(model.modelName));
    fillBands();
    ui::showListText(bandList, QString::fromStdString(model.bandLabel));
    // A band this model does not offer shows the model's first band: an
    // empty choice would give the document no band limits at all.
    if (bandList->currentIndex() < 0 && bandList->count() > 0)
        bandList->setCurrentIndex(0);

    connect(modelList, &QComboBox::currentIndexChanged, this, &ModelDialog::fillBands);
    connect(okButton, &QPushButton::clicked, this, &ModelDialog::applyChoice);
}

void ModelDialog::fillBands()
{
    ui::fillList(bandList, bandsOf(modelList->currentText()));
    bandList->setCurrentIndex(bandList->count() > 0 ? 0 : -1);
}

void ModelDialog::applyChoice()
{
    ModelBand& model = ctx_.doc().model;
    const std::string chosenModel = modelList->currentText().toStdString();
    const std::string chosenBand = bandList->currentText().toStdString();
    if (chosenModel != model.modelName || chosenBand != model.bandLabel) {
        const ui::Answer answer = ui::currentPrompter().ask(this, ctx_.text(kTextChangeModel),
                                                            ctx_.text(kTextReplaceDocument), ui::Buttons::OkCancel,
                                                            ui::Icon::Warning, std::nullopt);
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

