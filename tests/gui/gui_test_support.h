#pragma once
// Helpers of the desktop program's tests: a driver that answers modal dialogs as they appear,
// and a temporary working directory.

#include <QDir>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plot/plot_test_support.h"

namespace bubblix {
struct SessionState;
namespace gui {
class Desktop;
}  // namespace gui
}  // namespace bubblix

namespace bubblix::gui::test {

// Acts on the modal dialogs of the code under test, one step per dialog shown, in order.
// Each step names the widget class it expects; it runs when a modal widget of that class is
// on top. A modal widget that no step expects, or a step whose widget does not come, is
// recorded in `failures` after the timeout, and the widget is closed so the test goes on.
class ModalDriver : public QObject {
  Q_OBJECT

 public:
  explicit ModalDriver(int timeoutMs = 5000);
  ~ModalDriver() override;

  template <typename T>
  ModalDriver& on(std::function<void(T*)> act, std::string what = "dialog") {
    steps_.push_back({[act](QWidget* w) {
                        T* t = qobject_cast<T*>(w);
                        if (t == nullptr) return false;
                        act(t);
                        return true;
                      },
                      [](QWidget* w) { return qobject_cast<T*>(w) != nullptr; }, std::move(what)});
    return *this;
  }

  // A message box: its text goes to `messages` (line breaks as "\n") and `button` is pressed.
  ModalDriver& answer(QMessageBox::StandardButton button);

  bool finished() const { return next_ == steps_.size(); }
  // Processes events until every step has run (or the timeout); true when they all ran.
  bool waitFinished(int timeoutMs = 5000);

  QStringList messages;
  QStringList titles;
  std::vector<QMessageBox::Icon> icons;
  QStringList failures;

 private:
  struct Step {
    std::function<bool(QWidget*)> act;
    std::function<bool(QWidget*)> accepts;
    std::string what;
  };
  void tick();

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  bool pending_ = false;
  int timeoutMs_;
  int waitedMs_ = 0;
  QTimer timer_;
};

// Makes a fresh temporary directory the current one for the lifetime of the object.
class TemporaryCurrentDir {
 public:
  TemporaryCurrentDir();
  ~TemporaryCurrentDir();
  QString path() const { return dir_.path(); }
  QString file(const QString& name) const { return QDir(dir_.path()).filePath(name); }

 private:
  QTemporaryDir dir_;
  QString previous_;
};

using plot::test::readFileBytes;
using plot::test::writeFileBytes;

// Runs a program and returns its standard output.
std::string runProgram(const QString& program, const QStringList& args, int* exitCode = nullptr);

// The desktop program started in English (the language dialog answered "En"), shown and
// active, on `state`.
std::unique_ptr<Desktop> startEnglishDesktop(SessionState& state);

}  // namespace bubblix::gui::test
