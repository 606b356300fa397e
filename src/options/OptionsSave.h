#pragma once

class modMain;
struct OptionsValues;

// Stores the fourteen settings of the options dialog.
class OptionsSave {
public:
    // Writes every key of section "Options" in table order, the numbers as
    // typed ("08" stays "08"), and right after each write sets the setting in
    // memory from what was written. The values must have passed validation.
    static void save(modMain& mod, const OptionsValues& values);
};
