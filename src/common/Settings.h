#pragma once

#include <QtGlobal>

// The fourteen settings of section "Options" in memory, with their defaults.
struct Settings {
    bool RecallDB = false;
    bool OpenReadOnly = false;
    qint16 ConnTimeout = 60;
    qint32 MaxRecords = 5000;
    qint32 RefreshRecords = 100;
    bool IgnoreMaxRecords = false;
    qint16 Fields1 = 8;
    bool Anagrams = false;
    bool Descriptions = false;
    qint16 Fields3 = 7;
    bool Blanks = false;
    bool LogErrors = true;
    bool LogQueryErrors = false;
    bool LogConnErrors = false;
};
