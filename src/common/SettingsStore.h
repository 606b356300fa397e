#pragma once

#include <QString>
#include <memory>

class QSettings;

// Per-user store of text values by section and key, application "Literon 2.0".
// A key that was never written reads as the empty text.
class SettingsStore {
public:
    // The user's own store (INI format, per-user location).
    SettingsStore();
    // A store kept in the given INI file; tests point this at a temporary folder.
    explicit SettingsStore(const QString& iniPath);
    virtual ~SettingsStore();

    // Virtual so tests can watch the order of writes (the INI file sorts its keys).
    virtual QString read(const QString& section, const QString& key) const;
    // Throws AppError when the store cannot be written.
    virtual void write(const QString& section, const QString& key, const QString& value);
    QString fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};
