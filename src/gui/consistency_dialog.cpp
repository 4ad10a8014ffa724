#include "gui/consistency_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include "core/analysis/point_test.h"
#include "core/texts/gui_texts.h"
#include "gui/message_box.h"
#include "gui/qt_text.h"

namespace bubblix::gui {

TfmConsistency::TfmConsistency(const Database& db, Language lang, QWidget* parent)
    : QDialog(parent), lang_(lang) {
  setObjectName(QStringLiteral("fmConsistency"));
  setWindowTitle(displayed(texts::kConsistencyDialogTitle, lang));
  auto* form = new QFormLayout(this);
  cbFirst = new QComboBox(this);
  cbFirst->setObjectName(QStringLiteral("cbFirst"));
  cbSecond = new QComboBox(this);
  cbSecond->setObjectName(QStringLiteral("cbSecond"));
  for (const TComponentRecord& record : db.ComponentBase) {
    const QString name =
        displayed(lang == Language::English ? record.EnglishName : record.RussianName);
    cbFirst->addItem(name);
    cbSecond->addItem(name);
  }
  cbSecond->setCurrentIndex(1);
  seTerms = new QSpinBox(this);
  seTerms->setObjectName(QStringLiteral("seTerms"));
  seTerms->setRange(kMinLegendreTerms, kMaxLegendreTerms);
  seTerms->setValue(kDefaultLegendreTerms);
  const auto label = [&](const Text& text, QWidget* buddy) {
    auto* l = new QLabel(displayed(text, lang), this);
    l->setBuddy(buddy);
    return l;
  };
  form->addRow(label(texts::kConsistencyFirst, cbFirst), cbFirst);
  form->addRow(label(texts::kConsistencySecond, cbSecond), cbSecond);
  form->addRow(label(texts::kConsistencyTerms, seTerms), seTerms);
  buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &TfmConsistency::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int TfmConsistency::first() const {
  return cbFirst->currentIndex() + 1;
}

int TfmConsistency::second() const {
  return cbSecond->currentIndex() + 1;
}

int TfmConsistency::terms() const {
  return seTerms->value();
}

void TfmConsistency::accept() {
  if (first() == second()) {
    showWarningBox(this, std::string(texts::kConsistencySamePair.in(lang_)), lang_);
    return;
  }
  QDialog::accept();
}

}  // namespace bubblix::gui
