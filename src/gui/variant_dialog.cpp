#include "gui/variant_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/texts/dialog_texts.h"
#include "gui/qt_text.h"

namespace bubblix::gui {
namespace {

constexpr int kVariantRowHeight = 32;  // pixels per variant, one column of variants

}  // namespace

TfmAltern::TfmAltern(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("fmAltern"));

  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setWordWrap(true);

  RadioGroup1 = new QGroupBox(this);
  RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
  variantLayout_ = new QVBoxLayout(RadioGroup1);
  variantLayout_->setContentsMargins(8, 0, 8, 0);
  variantLayout_->setSpacing(0);
  group_ = new QButtonGroup(this);
  group_->setExclusive(true);

  chbAltern1 = new QCheckBox(this);
  chbAltern1->setObjectName(QStringLiteral("chbAltern1"));
  chbAltern2 = new QCheckBox(this);
  chbAltern2->setObjectName(QStringLiteral("chbAltern2"));
  chbAltern1->hide();
  chbAltern2->hide();

  BitBtn1 = new QPushButton(displayed(texts::kAlternChecked, Language::English), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));

  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch();
  buttonRow->addWidget(BitBtn1);
  buttonRow->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(RadioGroup1);
  layout->addWidget(chbAltern1);
  layout->addWidget(chbAltern2);
  layout->addLayout(buttonRow);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(group_, &QButtonGroup::idClicked, this, &TfmAltern::variantClicked);
  connect(chbAltern1, &QCheckBox::clicked, this, &TfmAltern::box1Clicked);
  connect(chbAltern2, &QCheckBox::clicked, this, &TfmAltern::box2Clicked);
  connect(BitBtn1, &QPushButton::clicked, this, [this] {
    confirmed_ = true;
    accept();
  });
}

void TfmAltern::prepare(const VariantRequest& request) {
  state_.open(request);
  confirmed_ = false;

  for (QRadioButton* button : variants) {
    group_->removeButton(button);
    delete button;
  }
  variants.clear();
  for (int i = 0; i < state_.itemCount(); ++i) {
    auto* button =
        new QRadioButton(displayed(request.Items[static_cast<size_t>(i) + 1]), RadioGroup1);
    button->setObjectName(QStringLiteral("variant%1").arg(i + 1));
    group_->addButton(button, i);
    variantLayout_->addWidget(button);
    variants.push_back(button);
  }
  // One column of variants, 32 pixels each.
  RadioGroup1->setFixedHeight(state_.itemCount() * kVariantRowHeight);
  RadioGroup1->setMinimumWidth(320);

  setWindowTitle(displayed(request.FormCaption));
  Label1->setText(displayed(request.Prompt));
  RadioGroup1->setTitle(displayed(request.Items[0]));
  const AlternCheckBoxes& boxes = state_.checkBoxes();
  chbAltern1->setText(displayed(boxes.Caption1));
  chbAltern2->setText(displayed(boxes.Caption2));
  chbAltern1->setVisible(boxes.Visible);
  chbAltern2->setVisible(boxes.Visible);
  showState();
  BitBtn1->setFocus();
}

VariantAnswer TfmAltern::ask(const VariantRequest& request) {
  prepare(request);
  exec();
  // The close box and Escape leave Tag as it was; only "Checked" confirms.
  return confirmed_ ? state_.confirm() : state_.closeBox();
}

void TfmAltern::showState() {
  if (QAbstractButton* chosen = group_->button(state_.chosen())) chosen->setChecked(true);
  chbAltern1->setChecked(state_.box1Ticked());
  chbAltern2->setChecked(state_.box2Ticked());
}

void TfmAltern::variantClicked(int index) {
  state_.choose(index);
  BitBtn1->setFocus();
}

void TfmAltern::box1Clicked(bool ticked) {
  state_.setBox1Ticked(ticked);
  showState();
  BitBtn1->setFocus();
}

void TfmAltern::box2Clicked(bool ticked) {
  state_.setBox2Ticked(ticked);
  showState();
  BitBtn1->setFocus();
}

}  // namespace bubblix::gui
