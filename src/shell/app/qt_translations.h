#pragma once
// Qt's own texts (the file dialog, the standard buttons of message boxes) in
// Japanese, as the program's own texts are.

class QCoreApplication;
class QTranslator;

namespace ruv {

// Loads Qt's Japanese translation from Qt's translations folder, else from
// "translations" beside the executable, and installs it into the application,
// which owns it. Null when neither holds it: Qt's texts stay English.
QTranslator* installQtTranslations(QCoreApplication& app);

}  // namespace ruv
