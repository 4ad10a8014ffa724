#include "gui/loaded_data_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <string_view>
#include <utility>

#include "core/data/component_library.h"
#include "core/data/mixture_loading.h"
#include "core/data/user_data.h"
#include "core/io/number_format.h"
#include "core/texts/gui_texts.h"
#include "gui/qt_text.h"

namespace bubblix::gui {
namespace {

QTableWidget* makeTable(QWidget* parent, const char* name, const QStringList& headers) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  table->setObjectName(QString::fromLatin1(name));
  table->setHorizontalHeaderLabels(headers);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->verticalHeader()->setVisible(false);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

QTableWidgetItem* cell(const std::string& text) {
  return new QTableWidgetItem(toQString(text));
}

std::string range(Real low, Real high, int decimals, Language lang,
                  std::string_view decimalSeparator) {
  const std::string a = formatFixed(low, decimals, decimalSeparator);
  const std::string b = formatFixed(high, decimals, decimalSeparator);
  return a == b ? a : render(texts::kLoadedRange, lang, {a, b});
}

}  // namespace

TfmLoadedData::TfmLoadedData(Database& db, Language lang, std::string decimalSeparator,
                             QWidget* parent)
    : QDialog(parent), db_(db), lang_(lang), decimalSeparator_(std::move(decimalSeparator)) {
  setObjectName(QStringLiteral("fmLoadedData"));
  setWindowTitle(displayed(texts::kLoadedDataTitle, lang));

  lbLibrary = new QLabel(this);
  lbLibrary->setObjectName(QStringLiteral("lbLibrary"));
  lbLibrary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  tbComponents = makeTable(
      this, "tbComponents",
      {displayed(texts::kLoadedColumnNumber, lang), displayed(texts::kLoadedColumnName, lang),
       displayed(texts::kLoadedColumnRussianName, lang),
       displayed(texts::kLoadedColumnBoiling, lang)});
  lbSets = new QLabel(displayed(texts::kLoadedSetsLabel, lang), this);
  lbSets->setObjectName(QStringLiteral("lbSets"));
  tbSets = makeTable(
      this, "tbSets",
      {displayed(texts::kLoadedColumnPair, lang), displayed(texts::kLoadedColumnPoints, lang),
       displayed(texts::kLoadedColumnT, lang), displayed(texts::kLoadedColumnP, lang),
       displayed(texts::kLoadedColumnFile, lang)});
  lbSets->setBuddy(tbSets);

  btnRemove = new QPushButton(displayed(texts::kLoadedRemoveButton, lang), this);
  btnRemove->setObjectName(QStringLiteral("btnRemove"));
  btnRemove->setToolTip(displayed(texts::kLoadedRemoveHint, lang));
  btnClose = new QPushButton(displayed(texts::kLoadedCloseButton, lang), this);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  btnClose->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnRemove);
  buttons->addStretch();
  buttons->addWidget(btnClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lbLibrary);
  layout->addWidget(tbComponents, 2);
  layout->addWidget(lbSets);
  layout->addWidget(tbSets, 3);
  layout->addLayout(buttons);
  resize(820, 520);

  connect(btnRemove, &QPushButton::clicked, this, &TfmLoadedData::removeClicked);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
  connect(tbSets, &QTableWidget::itemSelectionChanged, this,
          [this] { btnRemove->setEnabled(!tbSets->selectedItems().isEmpty()); });
  fill();
}

void TfmLoadedData::fill() {
  const bool library = db_.ComponentBase.size() > static_cast<std::size_t>(kBuiltInComponents);
  lbLibrary->setText(library ? displayed(texts::kLoadedLibraryLabel, lang_, {db_.LibraryFile})
                             : displayed(texts::kLoadedNoLibrary, lang_));
  tbComponents->setRowCount(0);
  for (std::size_t k = kBuiltInComponents; k < db_.ComponentBase.size(); ++k) {
    const TComponentRecord& c = db_.ComponentBase[k];
    const int row = tbComponents->rowCount();
    tbComponents->insertRow(row);
    const Real boiling = boilingTemperature(c);
    tbComponents->setItem(row, 0, cell(std::to_string(k + 1)));
    tbComponents->setItem(row, 1, cell(c.EnglishName));
    tbComponents->setItem(row, 2, cell(c.RussianName));
    tbComponents->setItem(
        row, 3,
        cell(std::isfinite(boiling) ? formatFixed(boiling, 2, decimalSeparator_)
                                    : std::string(texts::kLoadedNoBoiling.in(lang_))));
  }
  tbComponents->setVisible(library);
  tbComponents->resizeColumnsToContents();

  lbSets->setText(db_.LoadedSets.empty() ? displayed(texts::kLoadedNoSets, lang_)
                                         : displayed(texts::kLoadedSetsLabel, lang_));
  tbSets->setRowCount(0);
  for (const LoadedDataSet& set : db_.LoadedSets) {
    const int row = tbSets->rowCount();
    tbSets->insertRow(row);
    const DataSetRange r = dataSetRange(set);
    tbSets->setItem(row, 0,
                    cell(componentName(db_, set.Components[0], lang_) + "-" +
                         componentName(db_, set.Components[1], lang_)));
    tbSets->setItem(row, 1, cell(std::to_string(set.t.size())));
    tbSets->setItem(row, 2, cell(range(r.tMin, r.tMax, 2, lang_, decimalSeparator_)));
    tbSets->setItem(row, 3, cell(range(r.pMin, r.pMax, 1, lang_, decimalSeparator_)));
    tbSets->setItem(row, 4, cell(set.FileName));
  }
  tbSets->resizeColumnsToContents();
  if (!db_.LoadedSets.empty()) tbSets->selectRow(0);
  btnRemove->setEnabled(!db_.LoadedSets.empty() && !tbSets->selectedItems().isEmpty());
}

void TfmLoadedData::removeClicked() {
  const QList<QTableWidgetItem*> chosen = tbSets->selectedItems();
  if (chosen.isEmpty()) return;
  const int row = chosen.front()->row();
  if (row < 0 || row >= static_cast<int>(db_.LoadedSets.size())) return;
  removeDataSet(db_, static_cast<std::size_t>(row));
  ++removed_;
  fill();
}

}  // namespace bubblix::gui
