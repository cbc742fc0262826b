#pragma once

class QCoreApplication;

// The whole program speaks Hungarian, so Qt's own texts (the context menus,
// the standard buttons) do too, whatever the system's language. Whether
// Qt's Hungarian texts were found.
bool speak_hungarian(QCoreApplication &application);
