// Where the program keeps its settings and which folder it refuses as a
// save target, and how it asks its user. Tests give their own.
#pragma once

#include <QString>

#include "app/dialogs.h"

namespace quintaro::app {

struct AppEnvironment {
  Dialogs* dialogs = nullptr;
  QString settingsPath;   // empty: settings are neither read nor written
  QString programFolder;  // the executable's folder
};

// The per-user configuration folder's "quintaro.ini" and the folder of the
// running executable.
AppEnvironment DefaultEnvironment(Dialogs& dialogs);

}  // namespace quintaro::app
