#pragma once

class QCoreApplication;

// Installs Qt's own Polish texts (standard buttons, the file dialog).
class Translations {
public:
    // True when the catalogue was found and installed.
    static bool installPolish(QCoreApplication& app);
};
