#include "gui/grid_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/texts/dialog_texts.h"
#include "gui/message_box.h"
#include "gui/qt_text.h"

namespace bubblix::gui {

// Editors of the entry cells. Every change of the text goes to the dialog's check; while the
// check's message box is up the editor stays open, so the text stays as typed.
class GridCellDelegate : public QStyledItemDelegate {
 public:
  explicit GridCellDelegate(TfmStrGr* dialog) : QStyledItemDelegate(dialog), dialog_(dialog) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex&) const override {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor_ = editor;
    QObject::connect(editor, &QLineEdit::textEdited, dialog_,
                     [d = dialog_](const QString& text) { d->checkKeystroke(text); });
    return editor;
  }

  void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
    if (editor == editor_) editor_ = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
  }

  // The editor that is open, if any.
  QLineEdit* openEditor() const { return editor_; }

  // Writes the open editor's text into its cell and closes it.
  void commitOpenEditor() {
    if (QLineEdit* editor = editor_) {
      emit commitData(editor);
      emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
  }

  bool holdEditor = false;  // the check's message box is up

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (holdEditor && event->type() == QEvent::FocusOut) return false;
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  TfmStrGr* dialog_;
  mutable QPointer<QLineEdit> editor_;
};

TfmStrGr::TfmStrGr(GridEntry& grid, std::string decimalSeparator, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      grid_(grid),
      decimalSeparator_(std::move(decimalSeparator)) {
  validateGrid(grid_);
  setObjectName(QStringLiteral("fmStrGr"));

  lbStGr = new QLabel(this);
  lbStGr->setObjectName(QStringLiteral("lbStGr"));
  lbStGr->setAlignment(Qt::AlignCenter);
  lbStGr->setWordWrap(true);

  sgInput = new QTableWidget(this);
  sgInput->setObjectName(QStringLiteral("sgInput"));
  delegate_ = new GridCellDelegate(this);
  sgInput->setItemDelegate(delegate_);
  sgInput->setSelectionMode(QAbstractItemView::SingleSelection);
  sgInput->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  sgInput->verticalHeader()->hide();
  sgInput->verticalHeader()->setMinimumSectionSize(1);
  sgInput->verticalHeader()->setDefaultSectionSize(kGridRowHeight + 1);
  sgInput->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  sgInput->horizontalHeader()->setMinimumSectionSize(1);
  sgInput->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  sgInput->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  sgInput->horizontalHeader()->setHighlightSections(false);
  sgInput->setFrameShape(QFrame::NoFrame);
  sgInput->setCornerButtonEnabled(false);

  btbtnOk = new QPushButton(this);
  btbtnOk->setObjectName(QStringLiteral("btbtnOk"));
  btbtnOk->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  btbtnCancel = new QPushButton(this);
  btbtnCancel->setObjectName(QStringLiteral("btbtnCancel"));
  btbtnCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btbtnOk);
  buttons->addWidget(btbtnCancel);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lbStGr);
  layout->addWidget(sgInput, 0, Qt::AlignHCenter);
  layout->addStretch();
  layout->addLayout(buttons);

  connect(btbtnOk, &QPushButton::clicked, this, &TfmStrGr::okClicked);
  connect(btbtnCancel, &QPushButton::clicked, this, &TfmStrGr::reject);

  fill();
}

TfmStrGr::~TfmStrGr() = default;

void TfmStrGr::fill() {
  const GridGeometry g = gridGeometry(grid_, kFirstColWidth, kColWidth);
  const int entryRows = grid_.Rows - grid_.FixedRows;

  sgInput->clear();
  sgInput->setColumnCount(grid_.Cols);
  sgInput->setRowCount(entryRows);
  sgInput->horizontalHeader()->resizeSection(0, kFirstColWidth + 1);
  for (int c = 1; c < grid_.Cols; ++c)
    sgInput->horizontalHeader()->resizeSection(c, kColWidth + 1);

  // Heading rows: one heading per column, one line per heading row.
  if (grid_.FixedRows > 0) {
    for (int c = 0; c < grid_.Cols; ++c) {
      QStringList heading;
      for (int r = 0; r < grid_.FixedRows; ++r)
        heading << displayed(grid_.CellText[c][r]);
      sgInput->setHorizontalHeaderItem(c, new QTableWidgetItem(heading.join(QLatin1Char('\n'))));
    }
    sgInput->horizontalHeader()->setFixedHeight(grid_.FixedRows * (kGridRowHeight + 1));
    sgInput->horizontalHeader()->show();
  } else {
    sgInput->horizontalHeader()->hide();
  }
  for (int c = 0; c < grid_.Cols; ++c) {
    for (int r = grid_.FixedRows; r < grid_.Rows; ++r) {
      auto* item = new QTableWidgetItem(toQString(grid_.CellText[c][r]));
      if (c < grid_.FixedCols) {
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(palette().button());
      }
      sgInput->setItem(tableRow(r), c, item);
    }
  }

  // The visible part: at most 4 columns and 5 rows (heading rows included), with the scroll
  // bars that the rest needs.
  const bool horizontal = g.Bars == ScrollBars::Horizontal || g.Bars == ScrollBars::Both;
  const bool vertical = g.Bars == ScrollBars::Vertical || g.Bars == ScrollBars::Both;
  sgInput->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn
                                                   : Qt::ScrollBarAlwaysOff);
  sgInput->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, sgInput);
  sgInput->setFixedSize(
      g.GridWidth + (vertical ? barWidth : 0),
      horizontal ? std::max(g.GridHeight, g.VisibleRows * (kGridRowHeight + 1) + barWidth)
                 : g.GridHeight);

  setWindowTitle(displayed(grid_.FormCaption));
  lbStGr->setText(displayed(grid_.Prompt));
  btbtnOk->setText(displayed(texts::kGridOk, grid_.Lang));
  btbtnCancel->setText(displayed(texts::kGridCancel, grid_.Lang));

  // The window is as high as the grid's rows ask; a longer prompt than the window holds makes
  // it higher rather than cut the prompt off.
  layout()->activate();
  const int width = std::max(sizeHint().width(), sgInput->width() + 24);
  const int height = std::max(g.WindowHeight, layout()->minimumSize().height());
  setFixedSize(width, height);

  const int col = std::clamp(grid_.CurrentCol, grid_.FixedCols, grid_.Cols - 1);
  sgInput->setCurrentCell(0, col);
  sgInput->setFocus();
}

QString TfmStrGr::cellText(int col, int row) const {
  if (row < grid_.FixedRows) return toQString(grid_.CellText[col][row]);
  const QTableWidgetItem* item = sgInput->item(tableRow(row), col);
  return item != nullptr ? item->text() : QString();
}

QLineEdit* TfmStrGr::cellEditor() const {
  return delegate_->openEditor();
}

GridArray<std::string> TfmStrGr::cellTexts() const {
  GridArray<std::string> cells = grid_.CellText;
  for (int c = 0; c < grid_.Cols; ++c) {
    for (int r = grid_.FixedRows; r < grid_.Rows; ++r)
      cells[c][r] = toStdString(cellText(c, r));
  }
  return cells;
}

void TfmStrGr::checkKeystroke(const QString& text) {
  if (checking_) return;
  const std::optional<std::string> message =
      gridKeystrokeMessage(toStdString(text), decimalSeparator_, grid_.Lang);
  if (!message) return;
  checking_ = true;
  delegate_->holdEditor = true;
  QApplication::beep();
  showErrorBox(this, *message, grid_.Lang);
  delegate_->holdEditor = false;
  checking_ = false;
  if (QLineEdit* editor = delegate_->openEditor()) {
    editor->setFocus();
  } else {
    sgInput->setFocus();
  }
}

void TfmStrGr::okClicked() {
  delegate_->commitOpenEditor();
  GridArray<std::string> cells = cellTexts();
  const GridOkOutcome outcome = gridOkVisit(grid_, cells, decimalSeparator_);
  if (outcome.BadCell) {
    const GridCell bad = *outcome.BadCell;
    sgInput->item(tableRow(bad.Row), bad.Col)->setText(toQString(cells[bad.Col][bad.Row]));
    QApplication::beep();
    showErrorBox(this, outcome.Message, grid_.Lang);
    sgInput->setCurrentCell(tableRow(bad.Row), bad.Col);
    sgInput->setFocus();
    return;
  }
  if (outcome.Close) accept();
}

void TfmStrGr::reject() {
  delegate_->commitOpenEditor();
  gridCancel(grid_);
  QDialog::reject();
}

}  // namespace bubblix::gui
