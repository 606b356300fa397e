#include "common/SettingsStore.h"

#include "db/AppError.h"

#include <QSettings>

static const char* const ApplicationName = "Literon 2.0";

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, ApplicationName)) {}

SettingsStore::SettingsStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::read(const QString& section, const QString& key) const {
    const QVariant value = m_settings->value(section + QLatin1Char('/') + key);
    if (!value.isValid())
        return QString();
    // A hand-edited list ("a, b") comes back as a string list; keep its text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void SettingsStore::write(const QString& section, const QString& key, const QString& value) {
    m_settings->setValue(section + QLatin1Char('/') + key, value);
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError)
        throw AppError(AppError::PermissionDenied,
                       QStringLiteral("Nie można zapisać ustawień w pliku %1.").arg(m_settings->fileName()));
}

QString SettingsStore::fileName() const {
    return m_settings->fileName();
}
