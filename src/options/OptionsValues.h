#pragma once

#include "common/Settings.h"

#include <QString>

// What the options dialog's controls hold: the numbers as typed, the check
// boxes as ticked. Named after the settings they edit.
struct OptionsValues {
    bool RecallDB = false;
    bool OpenReadOnly = false;
    QString ConnTimeout;
    QString MaxRecords;
    QString RefreshRecords;
    bool IgnoreMaxRecords = false;
    QString Fields1;
    bool Anagrams = false;
    bool Descriptions = false;
    QString Fields3;
    bool Blanks = false;
    bool LogErrors = false;
    bool LogQueryErrors = false;
    bool LogConnErrors = false;

    // The controls as the dialog fills them from the settings in memory.
    static OptionsValues fromSettings(const Settings& settings);

    // The text stored under a key of section "Options": the number exactly as
    // typed, "1" or "0" for a check box. Empty for an unknown key.
    QString storedText(const QString& key) const;
};
