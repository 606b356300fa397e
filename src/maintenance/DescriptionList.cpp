#include "maintenance/DescriptionList.h"

#include "common/modMain.h"
#include "db/AppError.h"
#include "db/Connection.h"
#include "db/Recordset.h"

namespace {

QString quoted(const QString& sqlText) {
    return QLatin1Char('\'') + sqlText + QLatin1Char('\'');
}

} // namespace

void DescriptionList::init(const QString& word) {
    m_word = modMain::TrimBlanks(word);
    m_sqlWord = modMain::UATrim(word);
    m_found = false;
    m_wordId = 0;
}

QString DescriptionList::idSql() const {
    return QStringLiteral("SELECT TOP 1 WyrazID FROM WYRAZY WHERE Wyraz = ") + quoted(m_sqlWord);
}

QString DescriptionList::listSql() const {
    return QStringLiteral("SELECT Opis FROM OPISY WHERE WyrazID = ") + QString::number(m_wordId);
}

QString DescriptionList::duplicateSql(const QString& text) const {
    return QStringLiteral("SELECT TOP 1 Opis FROM OPISY WHERE WyrazID = ") + QString::number(m_wordId) +
           QStringLiteral(" AND Opis = ") + quoted(modMain::UATrim(text));
}

QString DescriptionList::insertSql(const QString& text) const {
    return QStringLiteral("INSERT INTO OPISY (WyrazID, Opis) VALUES (") + QString::number(m_wordId) +
           QStringLiteral(", ") + quoted(modMain::UATrim(text)) + QLatin1Char(')');
}

QString DescriptionList::removeSql(const QStringList& texts) const {
    QStringList list;
    for (const QString& text : texts)
        list << quoted(modMain::UATrim(text));
    return QStringLiteral("DELETE FROM OPISY WHERE WyrazID = ") + QString::number(m_wordId) +
           QStringLiteral(" AND Opis IN (") + list.join(QLatin1String(", ")) + QLatin1Char(')');
}

QStringList DescriptionList::load(const Target& target) {
    Connection connection;
    connection.setCommandTimeout(target.timeout);
    connection.open(target.connString);
    Recordset rs;
    rs.open(idSql(), connection);
    if (rs.recordCount() > 0) {
        const QVector<QVector<QVariant>> rows = rs.getRows();
        bool ok = false;
        const qint32 id = rows.value(0).value(0).toInt(&ok);
        if (ok) {
            m_wordId = id;
            m_found = true;
        }
    }
    rs.close();
    QStringList descriptions;
    // Without an identifier of its own the word has no descriptions to show:
    // never those of another word.
    if (m_found) {
        rs.open(listSql(), connection);
        if (rs.recordCount() > 0) {
            const QVector<QVector<QVariant>> rows = rs.getRows();
            for (const QVariant& value : rows.value(0))
                descriptions << modMain::UsunNull(value).toString();
        }
        rs.close();
    }
    connection.close();
    return descriptions;
}

std::optional<QString> DescriptionList::add(const Target& target, const QString& typed) {
    const QString text = modMain::TrimBlanks(typed);
    if (text.isEmpty())
        return QStringLiteral("Proszę wypełnić pole 'Nowy opis'.");
    if (!m_found)
        return notFoundMessage();
    if (WordEditing::anyRow(target, duplicateSql(typed)))
        return QStringLiteral("Opis '") + text + QStringLiteral("' istnieje już w bazie danych.");
    WordEditing::execute(target, insertSql(typed));
    return std::nullopt;
}

void DescriptionList::remove(const Target& target, const QStringList& texts) {
    if (!m_found)
        throw AppError(AppError::InvalidProcedureCall, notFoundMessage());
    if (texts.isEmpty())
        return;
    WordEditing::execute(target, removeSql(texts));
}

QString DescriptionList::addedMessage(const QString& typed) {
    return QStringLiteral("Opis '") + modMain::TrimBlanks(typed) +
           QStringLiteral("' został dodany do bazy danych.");
}

QString DescriptionList::removedMessage() {
    return QStringLiteral("Wybrane opisy zostały usunięte z bazy danych.");
}

QString DescriptionList::noDescriptionsMessage() {
    return QStringLiteral("Dla tego wyrazu nie istnieje żaden opis w bazie danych.");
}

QString DescriptionList::nothingTickedMessage() {
    return QStringLiteral("Proszę zaznaczyć minimum jeden opis.");
}

QString DescriptionList::removeQuestion() {
    return QStringLiteral("Czy na pewno chcesz usunąć zaznaczone opisy?");
}

QString DescriptionList::notFoundMessage() const {
    return QStringLiteral("Wyrazu '") + m_word +
           QStringLiteral("' nie ma w bazie danych: nie można zarządzać jego opisami.");
}
