#include "app/frmMain.h"
#include "app/gui/DesktopPlatform.h"
#include "app/gui/Translations.h"
#include "common/SettingsStore.h"
#include "common/modMain.h"
#include "diagnostics/gui/WidgetPrompts.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Literon 2.0"));
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    Translations::installPolish(app);

    SettingsStore store;
    WidgetPrompts prompts;
    DesktopPlatform platform;
    modMain mod(prompts, platform, store);

    frmMain window(mod);
    prompts.setMainWindow(&window);
    window.show();
    return app.exec();
}
