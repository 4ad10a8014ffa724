#include "gui/gui_test_support.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "core/session/session_state.h"
#include "gui/desktop.h"
#include "gui/language_dialog.h"
#include "gui/main_window.h"

namespace bubblix::gui::test {
namespace {

constexpr int kTickMs = 10;

void closeWidget(QWidget* w) {
  if (auto* box = qobject_cast<QMessageBox*>(w)) {
    if (QAbstractButton* escape = box->escapeButton()) {
      escape->click();
      return;
    }
  }
  if (auto* dialog = qobject_cast<QDialog*>(w)) {
    dialog->reject();
    return;
  }
  w->close();
}

}  // namespace

ModalDriver::ModalDriver(int timeoutMs) : timeoutMs_(timeoutMs) {
  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, &ModalDriver::tick);
  timer_.start();
}

ModalDriver::~ModalDriver() {
  timer_.stop();
  // Every test that drives dialogs also checks that they came as expected.
  EXPECT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();
  if (!finished()) ADD_FAILURE() << "the dialog never came: " << steps_[next_].what;
}

ModalDriver& ModalDriver::answer(QMessageBox::StandardButton button) {
  return on<QMessageBox>(
      [this, button](QMessageBox* box) {
        messages << box->text();
        titles << box->windowTitle();
        icons.push_back(box->icon());
        if (QAbstractButton* b = box->button(button)) {
          b->click();
        } else {
          failures << QStringLiteral("message box \"%1\" has no button %2")
                          .arg(box->text())
                          .arg(static_cast<int>(button));
          closeWidget(box);
        }
      },
      "message box");
}

bool ModalDriver::waitFinished(int timeoutMs) {
  return QTest::qWaitFor([this] { return finished() && !pending_; }, timeoutMs);
}

void ModalDriver::tick() {
  if (pending_) return;
  QWidget* top = QApplication::activeModalWidget();
  if (top == nullptr || !top->isVisible()) {
    waitedMs_ = 0;
    return;
  }
  if (next_ < steps_.size() && steps_[next_].accepts(top)) {
    waitedMs_ = 0;
    pending_ = true;
    QPointer<QWidget> target(top);
    const std::size_t index = next_++;
    // The step runs from the event loop, not inside this tick, so that a dialog it opens
    // (a message box after a click) is served by later ticks.
    QTimer::singleShot(0, this, [this, target, index] {
      pending_ = false;
      if (target) steps_[index].act(target);
    });
    return;
  }
  waitedMs_ += kTickMs;
  if (waitedMs_ < timeoutMs_) return;
  waitedMs_ = 0;
  QString shown = top->metaObject()->className();
  if (auto* box = qobject_cast<QMessageBox*>(top))
    shown += QStringLiteral(" \"%1\"").arg(box->text());
  failures << QStringLiteral("unexpected %1 (waiting for: %2)")
                  .arg(shown, next_ < steps_.size() ? QString::fromStdString(steps_[next_].what)
                                                    : QStringLiteral("nothing"));
  closeWidget(top);
}

TemporaryCurrentDir::TemporaryCurrentDir() : previous_(QDir::currentPath()) {
  QDir::setCurrent(dir_.path());
}

TemporaryCurrentDir::~TemporaryCurrentDir() {
  QDir::setCurrent(previous_);
}

std::string runProgram(const QString& program, const QStringList& args, int* exitCode) {
  QProcess process;
  process.start(program, args);
  process.waitForFinished(30000);
  if (exitCode != nullptr) *exitCode = process.exitCode();
  return process.readAllStandardOutput().toStdString();
}

std::unique_ptr<Desktop> startEnglishDesktop(SessionState& state) {
  ModalDriver driver;
  driver.on<TForm0>([](TForm0* f) { f->Button1->click(); }, "language dialog");
  auto desktop = std::make_unique<Desktop>(state, StartUpOptions{[] { return true; }});
  desktop->show();
  EXPECT_TRUE(QTest::qWaitForWindowActive(desktop->fmVLE.get()));
  return desktop;
}

}  // namespace bubblix::gui::test
