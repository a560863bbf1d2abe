// Qt's own dialogs (the save dialog, message boxes) as a Japanese program that keeps nothing
// between runs needs them: in Japanese, and without the settings file (QtProject.conf) in
// which the file dialog would remember its last folder and history.
#pragma once

class QCoreApplication;

namespace kepa {

// Call once the application exists, before any dialog is made.
void prepareQtDialogs(QCoreApplication& application);

}  // namespace kepa
