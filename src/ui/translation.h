#pragma once
// German texts for Qt's own dialogs and buttons ("Abbrechen", "Speichern").

class QCoreApplication;

namespace hk::ui {

// Installs Qt's German translation on app. Returns false when the machine
// has none; the dialogs then speak English and everything else still works.
bool LoadGermanTranslation(QCoreApplication& app);

} // namespace hk::ui
