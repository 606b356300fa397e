#include "maintenance/WordEditing.h"

#include "common/modMain.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/Recordset.h"

namespace {

QString quoted(const QString& sqlText) {
    return QLatin1Char('\'') + sqlText + QLatin1Char('\'');
}

} // namespace

QString WordEditing::upperWord(const QString& typed) {
    return modMain::TrimBlanks(typed).toUpper();
}

std::optional<QString> WordEditing::checkTyped(const QString& typed) {
    if (modMain::TrimBlanks(typed).isEmpty())
        return QStringLiteral("Proszę wypełnić pole 'Nowy wyraz'.");
    // A space counts as a forbidden character, leading ones included.
    if (!modMain::CheckChars(typed))
        return QStringLiteral("Pole 'Nowy wyraz' zawiera niedozwolony znak.");
    return std::nullopt;
}

std::optional<QString> WordEditing::checkChanged(const QString& current, const QString& typed) {
    if (modMain::TrimBlanks(current).toUpper() == upperWord(typed))
        return QStringLiteral("Pole 'Nowy wyraz' jest identyczne jak pole 'Obecny wyraz'.");
    return std::nullopt;
}

QString WordEditing::existsSql(const QString& typed) {
    return QStringLiteral("SELECT TOP 1 Wyraz FROM WYRAZY WHERE Wyraz = ") + quoted(modMain::UATrim(typed));
}

QString WordEditing::insertSql(const QString& typed) {
    return QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES (") + quoted(modMain::UATrim(typed.toUpper())) +
           QLatin1Char(')');
}

QString WordEditing::updateSql(const QString& typed, const QString& currentCaption) {
    return QStringLiteral("UPDATE WYRAZY SET Wyraz = ") + quoted(modMain::UATrim(typed.toUpper())) +
           QStringLiteral(" WHERE Wyraz = ") + quoted(modMain::UATrim(currentCaption));
}

bool WordEditing::exists(const Target& target, const QString& typed) {
    return anyRow(target, existsSql(typed));
}

bool WordEditing::anyRow(const Target& target, const QString& sql) {
    Connection connection;
    connection.setCommandTimeout(target.timeout);
    connection.open(target.connString);
    Recordset rs;
    rs.open(sql, connection);
    const bool found = rs.recordCount() > 0;
    rs.close();
    connection.close();
    return found;
}

void WordEditing::execute(const Target& target, const QString& sql) {
    Command command;
    command.setActiveConnection(target.connString);
    command.setCommandTimeout(target.timeout);
    command.setCommandType(Command::AdCmdText);
    command.setCommandText(sql);
    command.execute();
}

namespace {

QString existsMessage(const QString& typed) {
    return QStringLiteral("Wyraz '") + WordEditing::upperWord(typed) +
           QStringLiteral("' istnieje już w bazie danych.");
}

} // namespace

std::optional<QString> WordEditing::add(const Target& target, const QString& typed) {
    if (std::optional<QString> refused = checkTyped(typed))
        return refused;
    if (exists(target, typed))
        return existsMessage(typed);
    execute(target, insertSql(typed));
    return std::nullopt;
}

std::optional<QString> WordEditing::update(const Target& target, const QString& currentCaption,
                                           const QString& typed) {
    if (std::optional<QString> refused = checkTyped(typed))
        return refused;
    if (std::optional<QString> refused = checkChanged(currentCaption, typed))
        return refused;
    if (exists(target, typed))
        return existsMessage(typed);
    execute(target, updateSql(typed, currentCaption));
    return std::nullopt;
}

QString WordEditing::addedMessage(const QString& typed) {
    return QStringLiteral("Wyraz '") + upperWord(typed) + QStringLiteral("' został dodany do bazy danych.");
}

QString WordEditing::changedMessage(const QString& currentCaption, const QString& typed) {
    return QStringLiteral("Wyraz '") + modMain::TrimBlanks(currentCaption) +
           QStringLiteral("' został zmieniony na '") + upperWord(typed) + QStringLiteral("'.");
}

bool WordEditing::deletesMany(const QString& entryCaption) {
    return !entryCaption.isEmpty() && entryCaption.back().toUpper() == QLatin1Char('Y');
}

QString WordEditing::deleteQuestion(bool many) {
    return many ? QStringLiteral(
                      "Czy na pewno chcesz usunąć zaznaczone wyrazy? Ich opisy zostaną również usunięte.")
                : QStringLiteral(
                      "Czy na pewno chcesz usunąć zaznaczony wyraz? Jego opisy zostaną również usunięte.");
}

QString WordEditing::deletedMessage(bool many) {
    return many ? QStringLiteral("Zaznaczone wyrazy zostały usunięte z bazy danych.")
                : QStringLiteral("Zaznaczony wyraz został usunięty z bazy danych.");
}

QString WordEditing::wordList(const QStringList& words) {
    QStringList quotedWords;
    for (const QString& word : words)
        quotedWords << quoted(modMain::UATrim(word));
    return quotedWords.join(QLatin1String(", "));
}

QStringList WordEditing::deleteSql(const QString& list) {
    return {
        QStringLiteral("DELETE FROM OPISY WHERE WyrazID IN (SELECT WyrazID FROM WYRAZY WHERE Wyraz IN (") +
            list + QStringLiteral("))"),
        QStringLiteral("DELETE FROM WYRAZY WHERE Wyraz IN (") + list + QLatin1Char(')')};
}

void WordEditing::deleteWords(const Target& target, const QStringList& words) {
    // One command for both statements, in one transaction: a failure of the
    // second must not leave the words without their descriptions.
    Command command;
    command.setActiveConnection(target.connString);
    command.setCommandTimeout(target.timeout);
    command.setCommandType(Command::AdCmdText);
    command.executeAll(deleteSql(wordList(words)));
}
