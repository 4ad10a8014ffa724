#include "gui/component_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/session/dialog_rules.h"
#include "core/texts/dialog_texts.h"
#include "gui/message_box.h"
#include "gui/qt_text.h"

namespace bubblix::gui {
namespace {

constexpr int kListColumns = 2;
constexpr int kListColumnWidth = 170;  // pixels; a name holds at most 20 characters
constexpr int kListRowHeight = 22;

}  // namespace

TfmCheckListBox::TfmCheckListBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("fmCheckListBox"));

  lbChLiBox = new QLabel(this);
  lbChLiBox->setObjectName(QStringLiteral("lbChLiBox"));
  lbChLiBox->setAlignment(Qt::AlignCenter);
  lbChLiBox->setWordWrap(true);

  // Two columns: the entries run down the first column, then down the second.
  ChLiBoxVLE = new QListWidget(this);
  ChLiBoxVLE->setObjectName(QStringLiteral("ChLiBoxVLE"));
  ChLiBoxVLE->setFlow(QListView::TopToBottom);
  ChLiBoxVLE->setWrapping(true);
  ChLiBoxVLE->setResizeMode(QListView::Adjust);
  ChLiBoxVLE->setUniformItemSizes(true);
  ChLiBoxVLE->setGridSize(QSize(kListColumnWidth, kListRowHeight));
  ChLiBoxVLE->setFixedWidth(kListColumns * kListColumnWidth + 2 * ChLiBoxVLE->frameWidth() + 4);
  ChLiBoxVLE->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  BBtChLiBox = new QPushButton(this);
  BBtChLiBox->setObjectName(QStringLiteral("BBtChLiBox"));
  BBtChLiBox->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  BitBtSelAll = new QPushButton(this);
  BitBtSelAll->setObjectName(QStringLiteral("BitBtSelAll"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BBtChLiBox);
  buttons->addWidget(BitBtSelAll);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lbChLiBox);
  layout->addWidget(ChLiBoxVLE, 0, Qt::AlignHCenter);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(BBtChLiBox, &QPushButton::clicked, this, &TfmCheckListBox::okClicked);
  connect(BitBtSelAll, &QPushButton::clicked, this, &TfmCheckListBox::selectAllClicked);
}

void TfmCheckListBox::prepare(const ComponentRequest& request) {
  validateComponents(request);
  lang_ = request.Lang;
  setWindowTitle(displayed(request.FormCaption));
  BitBtSelAll->setText(displayed(texts::kSelectAll, lang_));
  BBtChLiBox->setText(displayed(texts::kCheckListOk, lang_));
  lbChLiBox->setText(displayed(request.Prompt));

  ChLiBoxVLE->clear();
  for (const std::string& name : request.ItemNames) {
    auto* item = new QListWidgetItem(toQString(name), ChLiBoxVLE);
    item->setFlags((item->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsUserTristate);
    item->setCheckState(Qt::Unchecked);
  }
  const int rows = (static_cast<int>(request.ItemNames.size()) + kListColumns - 1) / kListColumns;
  ChLiBoxVLE->setFixedHeight(std::max(rows, 1) * kListRowHeight + 2 * ChLiBoxVLE->frameWidth() + 4);
  BitBtSelAll->setFocus();
}

ComponentAnswer TfmCheckListBox::ask(const ComponentRequest& request) {
  prepare(request);
  // OK accepts; the close box and Escape reject.
  const bool closed = exec() != QDialog::Accepted;
  return {ticks(), closed};
}

ComponentTicks TfmCheckListBox::ticks() const {
  ComponentTicks out;
  out.reserve(static_cast<size_t>(ChLiBoxVLE->count()));
  for (int i = 0; i < ChLiBoxVLE->count(); ++i) {
    out.push_back(ChLiBoxVLE->item(i)->checkState() == Qt::Checked);
  }
  return out;
}

void TfmCheckListBox::okClicked() {
  std::optional<std::string> warning = componentOkWarning(ticks(), lang_);
  if (!warning) warning = componentCountWarning(ticks(), lang_);
  if (warning) {
    QApplication::beep();
    showWarningBox(this, *warning, lang_);
    return;
  }
  accept();
}

void TfmCheckListBox::selectAllClicked() {
  BBtChLiBox->setFocus();
  for (int i = 0; i < ChLiBoxVLE->count(); ++i)
    ChLiBoxVLE->item(i)->setCheckState(Qt::Checked);
}

}  // namespace bubblix::gui
