#include "db/ConnectionString.h"

#include "db/ProviderErrors.h"

#include <QStringList>

namespace {

const QString kProvider = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0");
const QString kDataSource = QStringLiteral("Data Source=");
const QString kPassword = QStringLiteral(";Jet OLEDB:Database Password=");

} // namespace

QString ConnectionString::build(bool readOnly, const QString& path, const QString& password) {
    QString text = kProvider + QStringLiteral(";Mode=Read");
    if (!readOnly)
        text += QStringLiteral("Write");
    text += QStringLiteral(";Persist Security Info=False;") + kDataSource + path + kPassword + password;
    return text;
}

ConnectionString ConnectionString::parse(const QString& text) {
    ConnectionString result;
    const qsizetype sourceAt = text.indexOf(kDataSource, 0, Qt::CaseInsensitive);
    if (sourceAt < 0)
        throw ProviderErrors::badConnectionString();

    // The keys before the data source: Provider, Mode, Persist Security Info.
    bool providerSeen = false;
    const QStringList pairs = text.left(sourceAt).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& pair : pairs) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        const QString key = pair.left(eq).trimmed();
        const QString value = eq < 0 ? QString() : pair.mid(eq + 1).trimmed();
        if (key.compare(QLatin1String("Provider"), Qt::CaseInsensitive) == 0) {
            if (!value.startsWith(QLatin1String("Microsoft.Jet.OLEDB"), Qt::CaseInsensitive))
                throw ProviderErrors::providerNotFound();
            providerSeen = true;
        } else if (key.compare(QLatin1String("Mode"), Qt::CaseInsensitive) == 0) {
            result.readOnly = value.compare(QLatin1String("Read"), Qt::CaseInsensitive) == 0;
        }
    }
    if (!providerSeen)
        throw ProviderErrors::providerNotFound();

    const qsizetype pathAt = sourceAt + kDataSource.size();
    const qsizetype passwordAt = text.indexOf(kPassword, pathAt, Qt::CaseInsensitive);
    if (passwordAt < 0) {
        result.path = text.mid(pathAt);
    } else {
        result.path = text.mid(pathAt, passwordAt - pathAt);
        result.password = text.mid(passwordAt + kPassword.size());
    }
    if (result.path.isEmpty())
        throw ProviderErrors::badConnectionString();
    return result;
}
