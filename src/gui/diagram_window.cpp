#include "gui/diagram_window.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/analysis/fit_residuals.h"
#include "core/analysis/point_test.h"
#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/database.h"
#include "core/io/number_format.h"
#include "core/models/model.h"
#include "core/texts/gui_texts.h"
#include "core/texts/residual_texts.h"
#include "gui/message_box.h"
#include "gui/qt_text.h"

namespace bubblix::gui {
namespace {

// The busy cursor while a diagram is computed.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// The temperature first offered for P-x-y: the middle of the t-x-y diagram's range, in whole
// degrees; 25 °C when no bubble point was solved.
double middleTemperature(const plot::DiagramData& data) {
  const auto& points = data.Analysis.Diagram.Bubble.Points;
  if (points.empty()) return 25.0;
  const auto [lo, hi] = std::minmax_element(
      points.begin(), points.end(),
      [](const EquilibriumPoint& a, const EquilibriumPoint& b) { return a.tau < b.tau; });
  return std::round(static_cast<double>(celsiusFromTau((lo->tau + hi->tau) / 2.0L)));
}

}  // namespace

DiagramCanvas::DiagramCanvas(std::shared_ptr<const plot::DiagramData> data, plot::DiagramView view,
                             QWidget* parent)
    : QWidget(parent), data_(std::move(data)), view_(view) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void DiagramCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  layout_ = plot::paintDiagram(painter, QRectF(rect()), *data_, view_);
}

GammaCanvas::GammaCanvas(plot::GammaPicture picture, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void GammaCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  plot::paintGammaPicture(painter, QRectF(rect()), picture_);
}

ResidualCanvas::ResidualCanvas(plot::ResidualPicture picture, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ResidualCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  plot::paintResidualPicture(painter, QRectF(rect()), picture_);
}

TfmDiagram::TfmDiagram(const TParameterSet& set, Language lang, std::string decimalSeparator,
                       ReportLines report, QWidget* parent, RunFiles* run, const Database& db)
    : QWidget(parent, Qt::Window),
      db_(db),
      set_(set),
      lang_(lang),
      decimalSeparator_(std::move(decimalSeparator)),
      report_(std::move(report)),
      run_(run) {
  setObjectName(QStringLiteral("fmDiagram"));
  std::shared_ptr<const plot::DiagramData> data;
  {
    WaitCursor wait;
    data = std::make_shared<const plot::DiagramData>(
        plot::computeDiagram(db_, set_, std::nullopt, lang_, decimalSeparator_));
  }
  setWindowTitle(
      displayed(texts::kDiagramWindowCaption, lang_,
                {data->Names[0], data->Names[1], std::string(modelName(set_.ModelCode))}));

  tabs = new QTabWidget(this);
  tabs->setObjectName(QStringLiteral("tabs"));
  tabs->addTab(new DiagramCanvas(data, plot::DiagramView::Main, tabs),
               displayed(texts::kDiagramTxyTab, lang_));
  tabs->addTab(new DiagramCanvas(data, plot::DiagramView::Xy, tabs),
               displayed(texts::kDiagramXyTab, lang_));
  std::vector<std::string> lines = plot::diagramReportLines(*data);
  // Each isobaric or isothermal loaded set of the pair at its own condition, with its points;
  // a mixed one is named in the report only.
  const std::vector<LoadedSetCondition> loaded = loadedSetConditions(db_, set_);
  for (const LoadedSetCondition& condition : loaded) {
    if (condition.Kind == DataSetKind::Mixed) continue;
    // The first tab shows it already: the pair's only pressure, with all its points.
    const PhaseDiagram& shown = data->Analysis.Diagram;
    if (!shown.Measured.empty() && shown.At.Kind == condition.At.Kind &&
        std::fabs(shown.At.Value - condition.At.Value) <= 1e-6L)
      continue;
    try {
      WaitCursor wait;
      auto setData = std::make_shared<const plot::DiagramData>(
          plot::computeLoadedSetDiagram(db_, set_, condition, lang_, decimalSeparator_));
      const QString kind =
          displayed(setData->isobaric() ? texts::kDiagramTxyTab : texts::kDiagramPxyKindTab, lang_);
      tabs->addTab(new DiagramCanvas(setData, plot::DiagramView::Main, tabs),
                   displayed(texts::kDiagramDataSetTab, lang_,
                             {toStdString(kind),
                              toStdString(QFileInfo(toQString(condition.FileName)).fileName())}));
      ++loadedSetTabs_;
      for (std::string& line : plot::diagramReportLines(*setData))
        lines.push_back(std::move(line));
    } catch (const Error& error) {
      lines.push_back(error.message(lang_));
    }
  }
  for (std::string& line : mixedSetReportLines(loaded, lang_, decimalSeparator_))
    lines.push_back(std::move(line));
  // The data of the set's pair, component 1 first; a pair the check refuses gets no tab.
  try {
    WaitCursor wait;
    gamma_ =
        new GammaCanvas(plot::computeGammaPicture(db_, set_.Components[0], set_.Components[1],
                                                  kDefaultLegendreTerms, lang_, decimalSeparator_),
                        tabs);
    tabs->addTab(gamma_, displayed(texts::kDiagramGammaTab, lang_));
  } catch (const Error&) {
    gamma_ = nullptr;
  }
  // The residuals of the set against the pair's data; a pair without data gets no tab.
  try {
    WaitCursor wait;
    const std::vector<PairResiduals> pairs = parameterSetResiduals(db_, set_, lang_);
    if (!pairs.empty()) {
      residuals_ = new ResidualCanvas(
          plot::residualPictureOf(pairs.front(), set_.ModelCode, lang_, decimalSeparator_), tabs);
      tabs->addTab(residuals_, displayed(kResidualTab, lang_));
    }
  } catch (const Error& error) {
    lines.push_back(error.message(lang_));
  }

  lbPxyTemperature = new QLabel(displayed(texts::kDiagramPxyTemperature, lang_), this);
  sePxyTemperature = new QDoubleSpinBox(this);
  sePxyTemperature->setObjectName(QStringLiteral("sePxyTemperature"));
  sePxyTemperature->setRange(-100.0, 400.0);
  sePxyTemperature->setDecimals(2);
  sePxyTemperature->setSingleStep(5.0);
  sePxyTemperature->setValue(middleTemperature(*data));
  sePxyTemperature->setToolTip(displayed(texts::kDiagramPxyHint, lang_));
  lbPxyTemperature->setBuddy(sePxyTemperature);
  btnPxy = new QPushButton(displayed(texts::kDiagramPxyButton, lang_), this);
  btnPxy->setObjectName(QStringLiteral("btnPxy"));
  btnPxy->setToolTip(displayed(texts::kDiagramPxyHint, lang_));
  btnSave = new QPushButton(displayed(texts::kDiagramSaveButton, lang_), this);
  btnSave->setObjectName(QStringLiteral("btnSave"));
  btnSave->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  btnSave->setToolTip(displayed(texts::kDiagramSaveHint, lang_));
  btnClose = new QPushButton(displayed(texts::kDiagramCloseButton, lang_), this);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  btnClose->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

  auto* controls = new QHBoxLayout;
  controls->addWidget(lbPxyTemperature);
  controls->addWidget(sePxyTemperature);
  controls->addWidget(btnPxy);
  controls->addStretch();
  controls->addWidget(btnSave);
  controls->addWidget(btnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(tabs, 1);
  layout->addLayout(controls);
  resize(920, 720);

  connect(btnPxy, &QPushButton::clicked, this,
          [this] { drawIsothermal(sePxyTemperature->value()); });
  connect(btnSave, &QPushButton::clicked, this, &TfmDiagram::saveClicked);
  connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

  if (report_) report_(lines);
}

TfmDiagram::~TfmDiagram() = default;

DiagramCanvas* TfmDiagram::canvas(int tab) const {
  return qobject_cast<DiagramCanvas*>(tabs->widget(tab));
}

bool TfmDiagram::drawIsothermal(double celsius) {
  std::shared_ptr<const plot::DiagramData> data;
  try {
    WaitCursor wait;
    data = std::make_shared<const plot::DiagramData>(
        plot::computeDiagram(db_, set_, static_cast<Real>(celsius), lang_, decimalSeparator_));
  } catch (const Error& error) {
    showErrorBox(this, error.message(lang_), lang_);
    return false;
  }
  const QString caption =
      displayed(texts::kDiagramPxyTab, lang_,
                {formatFixed(static_cast<Real>(celsius), 2, decimalSeparator_)});
  auto* view = new DiagramCanvas(data, plot::DiagramView::Main, tabs);
  if (pxyTab_ >= 0) {
    QWidget* old = tabs->widget(pxyTab_);
    tabs->removeTab(pxyTab_);
    delete old;
  }
  // After t-x-y, y-x and the loaded sets' tabs, before the ln gamma tab.
  pxyTab_ = tabs->insertTab(2 + loadedSetTabs_, view, caption);
  tabs->setCurrentIndex(pxyTab_);
  if (report_) report_(plot::diagramReportLines(*data));
  return true;
}

void TfmDiagram::saveCurrent(const QString& path, QSize size) const {
  if (gamma_ != nullptr && tabs->currentWidget() == gamma_) {
    plot::saveGammaPicture(gamma_->picture(), path, size, run_);
    return;
  }
  if (residuals_ != nullptr && tabs->currentWidget() == residuals_) {
    plot::saveResidualPicture(residuals_->picture(), path, size, run_);
    return;
  }
  const DiagramCanvas* shown = canvas(tabs->currentIndex());
  if (shown == nullptr) return;
  plot::saveDiagram(shown->data(), shown->view(), path, size, run_);
}

std::optional<QString> choosePictureFile(QWidget* parent, Language lang, const QString& baseName) {
  QFileDialog dialog(parent, displayed(texts::kDiagramSaveCaption, lang));
  dialog.setObjectName(QStringLiteral("SaveDiagramDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  const QStringList filters =
      displayed(texts::kDiagramSaveFilter, lang).split(QStringLiteral(";;"));
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(QStringLiteral("png"));
  // A name typed without an ending gets the one of the filter chosen.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, filters](const QString& f) {
                     dialog.setDefaultSuffix(f == filters.value(1) ? QStringLiteral("svg")
                                                                   : QStringLiteral("png"));
                   });
  dialog.selectFile(baseName + QStringLiteral(".png"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

void TfmDiagram::saveClicked() {
  const int current = tabs->currentIndex();
  const char* name = residuals_ != nullptr && tabs->currentWidget() == residuals_
                         ? "diagram-residuals"
                     : gamma_ != nullptr && tabs->currentWidget() == gamma_ ? "diagram-gamma"
                     : current == pxyTab_                                   ? "diagram-pxy"
                     : current == 1                                         ? "diagram-xy"
                                                                            : "diagram-txy";
  const std::optional<QString> path = choosePictureFile(this, lang_, QString::fromLatin1(name));
  if (!path) return;
  try {
    saveCurrent(*path);
  } catch (const Error& error) {
    showErrorBox(this, error.message(lang_), lang_);
  }
}

}  // namespace bubblix::gui
