#pragma once

// Process-wide engine settings, made once before the first handle is opened.
namespace EngineSetup {

// Turns off full scans through a covering index: a scan of WYRAZY without
// ORDER BY must come in WyrazID order (so TOP n is the same every time), not
// in the alphabetical order of the Wyraz index.
void ensure();

} // namespace EngineSetup
