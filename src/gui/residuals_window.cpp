#include "gui/residuals_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/analysis/fit_residuals.h"
#include "core/base/errors.h"
#include "core/data/mixture_loading.h"
#include "core/models/model.h"
#include "core/texts/gui_texts.h"
#include "core/texts/residual_texts.h"
#include "gui/diagram_window.h"
#include "gui/message_box.h"
#include "gui/qt_text.h"

namespace bubblix::gui {

TfmResiduals::TfmResiduals(const TParameterSet& set, Language lang, std::string decimalSeparator,
                           QWidget* parent, RunFiles* run, const Database& db)
    : QWidget(parent, Qt::Window), lang_(lang), run_(run) {
  setObjectName(QStringLiteral("fmResiduals"));
  std::vector<PairResiduals> pairs;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
      pairs = parameterSetResiduals(db, set, lang);
    } catch (...) {
      QApplication::restoreOverrideCursor();
      throw;
    }
    QApplication::restoreOverrideCursor();
  }
  if (pairs.empty()) throw InputError(kResidualNoData);

  std::string names;
  for (int k = 0; k < set.ComponentCount; ++k) {
    if (!names.empty()) names += " - ";
    names += componentName(db, set.Components[static_cast<std::size_t>(k)], lang);
  }
  setWindowTitle(
      displayed(kResidualsWindowCaption, lang, {names, std::string(modelName(set.ModelCode))}));

  tabs = new QTabWidget(this);
  tabs->setObjectName(QStringLiteral("tabs"));
  for (const PairResiduals& pair : pairs) {
    tabs->addTab(new ResidualCanvas(
                     plot::residualPictureOf(pair, set.ModelCode, lang, decimalSeparator), tabs),
                 displayed(kResidualPairTab, lang, {pair.Names[0], pair.Names[1]}));
  }
  btnSave = new QPushButton(displayed(texts::kDiagramSaveButton, lang), this);
  btnSave->setObjectName(QStringLiteral("btnSave"));
  btnSave->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  btnSave->setToolTip(displayed(texts::kDiagramSaveHint, lang));
  btnClose = new QPushButton(displayed(texts::kDiagramCloseButton, lang), this);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  btnClose->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  auto* controls = new QHBoxLayout;
  controls->addStretch();
  controls->addWidget(btnSave);
  controls->addWidget(btnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(tabs, 1);
  layout->addLayout(controls);
  resize(920, 720);
  connect(btnSave, &QPushButton::clicked, this, &TfmResiduals::saveClicked);
  connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
}

ResidualCanvas* TfmResiduals::canvas(int tab) const {
  return qobject_cast<ResidualCanvas*>(tabs->widget(tab));
}

void TfmResiduals::saveCurrent(const QString& path) const {
  if (const ResidualCanvas* shown = canvas(tabs->currentIndex()))
    plot::saveResidualPicture(shown->picture(), path,
                              {plot::kDefaultDiagramWidth, plot::kDefaultDiagramHeight}, run_);
}

void TfmResiduals::saveClicked() {
  const std::optional<QString> path = choosePictureFile(this, lang_, QStringLiteral("residuals"));
  if (!path) return;
  try {
    saveCurrent(*path);
  } catch (const Error& error) {
    showErrorBox(this, error.message(lang_), lang_);
  }
}

}  // namespace bubblix::gui
