#include "common/modMain.h"

#include "common/ErrorLog.h"
#include "common/Platform.h"
#include "common/Prompts.h"
#include "common/SettingsStore.h"
#include "db/text/PolishText.h"

modMain::modMain(Prompts& prompts, Platform& platform, SettingsStore& store)
    : m_prompts(prompts), m_platform(platform), m_store(store) {}

void modMain::WriteRegistry(const QString& section, const QString& key, const QString& value) {
    trap(QStringLiteral("WriteRegistry"), [&] { m_store.write(section, key, value); });
}

QString modMain::ReadRegistry(const QString& section, const QString& key) {
    QString result;
    trap(
        QStringLiteral("ReadRegistry"), [&] { result = m_store.read(section, key); },
        [&] { result.clear(); });
    return result;
}

void modMain::MsgError(const QString& text) {
    m_prompts.messageBox(MsgStyle::Error, QString::fromLatin1(Title), text);
}

void modMain::MsgWarning(const QString& text) {
    m_prompts.messageBox(MsgStyle::Warning, QString::fromLatin1(Title), text);
}

void modMain::MsgInfo(const QString& text) {
    m_prompts.messageBox(MsgStyle::Info, QString::fromLatin1(Title), text);
}

qint16 modMain::MsgQuestion(const QString& text) {
    return m_prompts.messageBox(MsgStyle::Question, QString::fromLatin1(Title), text) == AnswerYes ? AnswerYes
                                                                                                   : AnswerNo;
}

void modMain::ShowErrorMessage(const AppError& error) {
    MsgError(QStringLiteral("Wystąpił błąd numer (%1)\r\nOpis błędu: %2")
                 .arg(error.number())
                 .arg(error.description()));
}

void modMain::ReportError(const QString& place, const AppError& error) {
    if (!settings.LogErrors)
        return;
    // Dated when the message box was dismissed, i.e. now.
    const QString line = ErrorLog::formatLine(m_platform.now(), place, error.number(), error.description());
    trapWith([&] { ErrorLog::append(ErrorLog::pathIn(m_platform.programFolder()), line); },
             [&](const AppError& failure) { ShowErrorMessage(failure); });
}

QString modMain::FillSpaces(const QString& text, qint16 width) {
    if (width <= 0)
        return QString();
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}

QChar modMain::UpperChar(QChar c) {
    // Single-character upper-casing, shared with the provider's row tests so
    // both decide letters the same way.
    return PolishText::upperChar(c);
}

bool modMain::IsAlphabetLetter(QChar upper) {
    const char16_t u = upper.unicode();
    if (u >= u'A' && u <= u'Z')
        return true;
    switch (u) {
    case u'Ą':
    case u'Ć':
    case u'Ę':
    case u'Ł':
    case u'Ń':
    case u'Ó':
    case u'Ś':
    case u'Ź':
    case u'Ż':
        return true;
    default:
        return false;
    }
}

bool modMain::CheckChars(const QString& text) {
    for (const QChar c : text)
        if (!IsAlphabetLetter(UpperChar(c)))
            return false;
    return true;
}

bool modMain::CheckPattern(const QString& text) {
    for (const QChar c : text) {
        const QChar upper = UpperChar(c);
        if (upper != QLatin1Char('*') && upper != QLatin1Char('?') && !IsAlphabetLetter(upper))
            return false;
    }
    return true;
}

bool modMain::CheckNumeric(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString modMain::UATrim(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return TrimBlanks(doubled);
}

QString modMain::TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QVariant modMain::UsunNull(const QVariant& value) {
    if (value.isNull())
        return QString(QLatin1String(""));
    return value;
}
