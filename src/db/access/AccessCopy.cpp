#include "db/access/AccessCopy.h"

#include "db/AppError.h"
#include "db/access/AccessFile.h"
#include "db/native/DictionaryWriter.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString quoted(const QString& path) {
    return QStringLiteral("„%1”").arg(QDir::toNativeSeparators(path));
}

int columnIndex(const AccessFile& file, const QString& path, const QString& table, const QString& name) {
    const QVector<AccessColumn> columns = file.columns(table);
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    throw AppError(AppError::ProviderError,
                   QStringLiteral("Baza %1 nie jest słownikiem: tabela %2 nie zawiera pola %3.")
                       .arg(quoted(path), table, name));
}

} // namespace

void AccessCopy::toNative(const QString& accessPath, const QString& password, const QString& targetPath,
                          const std::function<void(qint64)>& progress) {
    if (QFileInfo::exists(targetPath))
        throw AppError(AppError::FileAlreadyExists,
                       QStringLiteral("Plik %1 już istnieje.").arg(quoted(targetPath)));
    const AccessFile file = AccessFile::open(accessPath, password);
    const QString wordsTable = file.findTable(QStringLiteral("WYRAZY"));
    const QString descriptionsTable = file.findTable(QStringLiteral("OPISY"));
    if (wordsTable.isEmpty() || descriptionsTable.isEmpty())
        throw AppError(AppError::ProviderError,
                       QStringLiteral("Baza %1 nie jest słownikiem: nie zawiera tabel WYRAZY i OPISY.")
                           .arg(quoted(accessPath)));
    const int wordId = columnIndex(file, accessPath, wordsTable, QStringLiteral("WyrazID"));
    const int word = columnIndex(file, accessPath, wordsTable, QStringLiteral("Wyraz"));
    const int descriptionWordId = columnIndex(file, accessPath, descriptionsTable, QStringLiteral("WyrazID"));
    const int description = columnIndex(file, accessPath, descriptionsTable, QStringLiteral("Opis"));

    DictionaryWriter writer(targetPath);
    if (!writer.isNewFile()) // the name was taken meanwhile: never write into someone's file
        throw AppError(AppError::FileAlreadyExists,
                       QStringLiteral("Plik %1 już istnieje.").arg(quoted(targetPath)));
    if (progress)
        writer.setProgress(progress);
    file.forEachRow(wordsTable, [&](const QVector<QVariant>& row) {
        bool ok = false;
        const qint64 id = row.at(wordId).toLongLong(&ok);
        if (!row.at(wordId).isValid() || !ok)
            throw AppError(
                AppError::TypeMismatch,
                QStringLiteral("Baza %1: pole WyrazID tabeli WYRAZY zawiera wartość, która nie jest "
                               "liczbą całkowitą (%2).")
                    .arg(quoted(accessPath), row.at(wordId).toString()));
        writer.copyWord(id, row.at(word));
        return true;
    });
    file.forEachRow(descriptionsTable, [&](const QVector<QVariant>& row) {
        QVariant id = row.at(descriptionWordId);
        bool ok = true;
        if (id.isValid())
            id = id.toLongLong(&ok);
        if (!ok)
            throw AppError(
                AppError::TypeMismatch,
                QStringLiteral("Baza %1: pole WyrazID tabeli OPISY zawiera wartość, która nie jest "
                               "liczbą całkowitą (%2).")
                    .arg(quoted(accessPath), row.at(descriptionWordId).toString()));
        writer.copyDescription(id, row.at(description));
        return true;
    });
    writer.commit();
}
