#pragma once
// The message boxes of the desktop program: warning, error, confirmation and information
// boxes with the button sets OK, Yes/No and Abort/Retry.

#include "core/session/dialogs.h"

#include <memory>

class QMessageBox;
class QWidget;

namespace bubblix::gui {

// The box of the request with its buttons, not yet shown.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const MessageRequest& request);

// Shows the box modally over `parent` and returns the button pressed. The close box and
// Escape count as the button closingAnswer() names.
MessageButton showMessageBox(QWidget* parent, const MessageRequest& request);

// Shorthands.
void showWarningBox(QWidget* parent, const std::string& text, Language lang);
void showErrorBox(QWidget* parent, const std::string& text, Language lang);
bool askYesNoBox(QWidget* parent, const std::string& text, Language lang);

// A confirmation box with the buttons Save, Discard and Cancel (the close box and Escape are
// Cancel).
enum class SaveChoice { Save, Discard, Cancel };
SaveChoice askSaveDiscardCancelBox(QWidget* parent, const std::string& text, Language lang);

}  // namespace bubblix::gui
