#pragma once

#include "common/SettingsStore.h"
#include "common/modMain.h"
#include "support/Printing.h"
#include "support/TestPlatform.h"
#include "support/TestPrompts.h"

#include <QTemporaryDir>

// Everything a window or core procedure needs, faked: prompts, platform, a
// settings store in a temporary INI file, and the shared module over them.
struct TestEnvironment {
    QTemporaryDir settingsDir;
    TestPrompts prompts;
    TestPlatform platform;
    SettingsStore store{settingsDir.path() + QStringLiteral("/Literon 2.0.ini")};
    modMain mod{prompts, platform, store};
};
