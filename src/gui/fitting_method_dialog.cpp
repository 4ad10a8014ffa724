#include "gui/fitting_method_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/base/errors.h"
#include "core/texts/fitting_method_texts.h"
#include "gui/message_box.h"
#include "gui/qt_text.h"

namespace bubblix::gui {
namespace {

constexpr int kColumns = 6;

QString cellText(const QTableWidget* table, int row, int column) {
  const QTableWidgetItem* item = table->item(row, column);
  return item != nullptr ? item->text() : QString();
}

}  // namespace

TfmFittingMethod::TfmFittingMethod(const ObjectiveOptions& current, Language lang,
                                   std::string decimalSeparator, int componentCount,
                                   QWidget* parent)
    : QDialog(parent),
      lang_(lang),
      decimalSeparator_(std::move(decimalSeparator)),
      componentCount_(componentCount),
      options_(current) {
  setObjectName(QStringLiteral("fmFittingMethod"));
  setWindowTitle(displayed(texts::kFittingMethodCaption, lang));

  cbObjective = new QComboBox(this);
  cbObjective->setObjectName(QStringLiteral("cbObjective"));
  for (const FitObjectiveChoice& choice : kFitObjectives)
    cbObjective->addItem(displayed(*choice.Caption, lang), static_cast<int>(choice.Objective));
  auto* objectiveLabel = new QLabel(displayed(texts::kFittingObjectiveGroup, lang), this);
  objectiveLabel->setBuddy(cbObjective);

  auto* sigmaBox = new QGroupBox(displayed(texts::kFittingSigmaGroup, lang), this);
  auto* sigmaLayout = new QHBoxLayout(sigmaBox);
  const auto sigmaField = [&](const char* name, const Text& caption) {
    auto* edit = new QLineEdit(sigmaBox);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaximumWidth(110);
    auto* label = new QLabel(displayed(caption, lang), sigmaBox);
    label->setBuddy(edit);
    sigmaLayout->addWidget(label);
    sigmaLayout->addWidget(edit);
    sigmaLayout->addSpacing(12);
    return edit;
  };
  edSigmaT = sigmaField("edSigmaT", texts::kFittingSigmaT);
  edSigmaP = sigmaField("edSigmaP", texts::kFittingSigmaP);
  edSigmaX = sigmaField("edSigmaX", texts::kFittingSigmaX);
  edSigmaY = sigmaField("edSigmaY", texts::kFittingSigmaY);
  sigmaLayout->addStretch();

  auto* limitsBox = new QGroupBox(this);
  auto* limitsLayout = new QVBoxLayout(limitsBox);
  auto* limitsCaption = new QLabel(displayed(texts::kFittingLimitsGroup, lang), limitsBox);
  limitsCaption->setWordWrap(true);
  limitsLayout->addWidget(limitsCaption);
  tbLimits = new QTableWidget(0, kColumns, limitsBox);
  tbLimits->setObjectName(QStringLiteral("tbLimits"));
  tbLimits->setHorizontalHeaderLabels(
      {displayed(texts::kFittingColumnPair, lang), displayed(texts::kFittingColumnModel, lang),
       displayed(texts::kFittingColumnParameter, lang), displayed(texts::kFittingColumnFixed, lang),
       displayed(texts::kFittingColumnLower, lang), displayed(texts::kFittingColumnUpper, lang)});
  tbLimits->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  tbLimits->verticalHeader()->setVisible(true);
  limitsCaption->setBuddy(tbLimits);
  limitsLayout->addWidget(tbLimits);
  for (Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC}) {
    for (const std::string& label : parameterLabels(model)) {
      const int row = tbLimits->rowCount();
      tbLimits->insertRow(row);
      for (int column = 0; column < kColumns; ++column)
        tbLimits->setItem(row, column, new QTableWidgetItem);
      for (int column : {kModelColumn, kParameterColumn}) {
        QTableWidgetItem* item = tbLimits->item(row, column);
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      }
      tbLimits->item(row, kModelColumn)->setText(toQString(modelName(model)));
      tbLimits->item(row, kParameterColumn)->setText(toQString(label));
    }
  }
  binaryRows_ = tbLimits->rowCount();
  btnAddRow = new QPushButton(displayed(texts::kFittingAddRow, lang), limitsBox);
  btnAddRow->setObjectName(QStringLiteral("btnAddRow"));
  btnAddRow->setToolTip(displayed(texts::kFittingAddRowHint, lang));
  btnDefaults = new QPushButton(displayed(texts::kFittingDefaults, lang), this);
  btnDefaults->setObjectName(QStringLiteral("btnDefaults"));
  buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->addButton(btnDefaults, QDialogButtonBox::ResetRole);
  auto* addRowLine = new QHBoxLayout;
  addRowLine->addWidget(btnAddRow);
  addRowLine->addStretch();
  limitsLayout->addLayout(addRowLine);

  auto* objectiveLine = new QHBoxLayout;
  objectiveLine->addWidget(objectiveLabel);
  objectiveLine->addWidget(cbObjective, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(objectiveLine);
  layout->addWidget(sigmaBox);
  layout->addWidget(limitsBox, 1);
  layout->addWidget(buttons);
  resize(820, 560);

  connect(cbObjective, &QComboBox::currentIndexChanged, this, &TfmFittingMethod::objectiveChanged);
  connect(btnAddRow, &QPushButton::clicked, this, [this] { addRow(); });
  connect(btnDefaults, &QPushButton::clicked, this,
          [this] { showEntry(fittingMethodEntry(ObjectiveOptions{}, decimalSeparator_)); });
  connect(buttons, &QDialogButtonBox::accepted, this, &TfmFittingMethod::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  showEntry(fittingMethodEntry(current, decimalSeparator_));
}

int TfmFittingMethod::addRow() {
  const int row = tbLimits->rowCount();
  tbLimits->insertRow(row);
  for (int column = 0; column < kColumns; ++column)
    tbLimits->setItem(row, column, new QTableWidgetItem);
  QTableWidgetItem* model = tbLimits->item(row, kModelColumn);
  model->setText(displayed(texts::kFittingAnyModel, lang_));
  model->setFlags(model->flags() & ~Qt::ItemIsEditable);
  return row;
}

void TfmFittingMethod::setCell(int row, int column, const QString& text) {
  if (QTableWidgetItem* item = tbLimits->item(row, column)) item->setText(text);
}

int TfmFittingMethod::rowOf(const QString& label) const {
  for (int row = 0; row < binaryRows_; ++row)
    if (cellText(tbLimits, row, kParameterColumn).compare(label, Qt::CaseInsensitive) == 0)
      return row;
  return -1;
}

void TfmFittingMethod::showEntry(const FittingMethodEntry& entry) {
  cbObjective->setCurrentIndex(
      std::max(0, cbObjective->findData(static_cast<int>(entry.Objective))));
  edSigmaT->setText(toQString(entry.SigmaT));
  edSigmaP->setText(toQString(entry.SigmaP));
  edSigmaX->setText(toQString(entry.SigmaX));
  edSigmaY->setText(toQString(entry.SigmaY));
  tbLimits->setRowCount(binaryRows_);
  for (int row = 0; row < binaryRows_; ++row)
    for (int column : {kPairColumn, kFixedColumn, kLowerColumn, kUpperColumn})
      setCell(row, column, QString());
  for (const ParameterLimitEntry& limit : entry.Limits) {
    // A constraint of every pair on a binary model's parameter goes into its row.
    int row = limit.Pair.empty() ? rowOf(toQString(limit.Label)) : -1;
    if (row < 0) {
      row = addRow();
      setCell(row, kParameterColumn, toQString(limit.Label));
      setCell(row, kPairColumn, toQString(limit.Pair));
    }
    setCell(row, kFixedColumn, toQString(limit.Fixed));
    setCell(row, kLowerColumn, toQString(limit.Lower));
    setCell(row, kUpperColumn, toQString(limit.Upper));
  }
  objectiveChanged();
}

FittingMethodEntry TfmFittingMethod::entry() const {
  FittingMethodEntry entry;
  entry.Objective = static_cast<FitObjective>(cbObjective->currentData().toInt());
  entry.SigmaT = toStdString(edSigmaT->text());
  entry.SigmaP = toStdString(edSigmaP->text());
  entry.SigmaX = toStdString(edSigmaX->text());
  entry.SigmaY = toStdString(edSigmaY->text());
  for (int row = 0; row < tbLimits->rowCount(); ++row) {
    ParameterLimitEntry limit;
    limit.Pair = toStdString(cellText(tbLimits, row, kPairColumn));
    limit.Label = toStdString(cellText(tbLimits, row, kParameterColumn));
    limit.Fixed = toStdString(cellText(tbLimits, row, kFixedColumn));
    limit.Lower = toStdString(cellText(tbLimits, row, kLowerColumn));
    limit.Upper = toStdString(cellText(tbLimits, row, kUpperColumn));
    entry.Limits.push_back(std::move(limit));
  }
  return entry;
}

void TfmFittingMethod::objectiveChanged() {
  const FitObjectiveChoice& choice =
      fitObjectiveChoice(static_cast<FitObjective>(cbObjective->currentData().toInt()));
  edSigmaT->setEnabled(choice.UsesSigmaT);
  edSigmaP->setEnabled(choice.UsesSigmaP);
  edSigmaX->setEnabled(choice.UsesSigmaX);
  edSigmaY->setEnabled(choice.UsesSigmaY);
  tbLimits->setEnabled(choice.UsesLimits);
  btnAddRow->setEnabled(choice.UsesLimits);
}

void TfmFittingMethod::accept() {
  try {
    options_ = readFittingMethod(entry(), decimalSeparator_, componentCount_);
  } catch (const Error& error) {
    showErrorBox(this, error.message(lang_), lang_);
    return;
  }
  QDialog::accept();
}

}  // namespace bubblix::gui
