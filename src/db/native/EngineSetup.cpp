#include "db/native/EngineSetup.h"

#include <sqlite3.h>

#include <mutex>

void EngineSetup::ensure() {
    static std::once_flag once;
    std::call_once(once, [] {
        // Only possible before the engine initialises, which is why every handle of
        // the database layer is opened after this call.
        sqlite3_config(SQLITE_CONFIG_COVERING_INDEX_SCAN, 0);
        sqlite3_initialize();
    });
}
