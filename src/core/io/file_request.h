#pragma once
// What a front end's open-file or save-file dialog is asked for: by the sessions (the
// parameter file) and by the report's file actions alike.

#include <string>

namespace bubblix {

struct FileRequest {
  std::string Caption;     // empty: the dialog's standard caption
  std::string Filter;      // pairs "description|patterns", '|'-separated: "Datafiles|*.dat"
  std::string DefaultExt;  // without the full stop: appended to a name typed without extension
  std::string FileName;    // proposed name, may be empty
  std::string InitialDir;  // empty: the dialog's own default folder
  bool ConfirmOverwrite = false;  // save dialog: ask before an existing file is chosen
};

}  // namespace bubblix
