#pragma once

#include "common/Settings.h"
#include "db/AppError.h"

#include <QString>
#include <QVariant>

#include <exception>
#include <functional>
#include <utility>

class Prompts;
class Platform;
class SettingsStore;

// The shared module: message boxes, error reporting, the settings store and the
// text checks, plus the state every window reads (settings in memory, ConnString,
// DBReadOnly). One instance is made at start-up and handed to every window;
// tests make their own with fake prompts, platform and store.
class modMain {
public:
    static constexpr const char* Title = "Literon 2.0";

    modMain(Prompts& prompts, Platform& platform, SettingsStore& store);

    // Settings in memory and shared state.
    Settings settings;
    QString ConnString;
    bool DBReadOnly = false;

    Prompts& prompts() { return m_prompts; }
    Platform& platform() { return m_platform; }
    SettingsStore& store() { return m_store; }

    // Settings store (application "Literon 2.0").
    void WriteRegistry(const QString& section, const QString& key, const QString& value);
    QString ReadRegistry(const QString& section, const QString& key);

    // Message boxes, all titled "Literon 2.0". No trap of their own.
    void MsgError(const QString& text);
    void MsgWarning(const QString& text);
    void MsgInfo(const QString& text);
    qint16 MsgQuestion(const QString& text); // 6 Yes, 7 No

    // Error reporting.
    void ShowErrorMessage(const AppError& error);
    void ReportError(const QString& place, const AppError& error);
    static QString FillSpaces(const QString& text, qint16 width);

    // Text checks; pure, ordinal comparisons after explicit upper-casing.
    static bool IsAlphabetLetter(QChar upper);
    static QChar UpperChar(QChar c);
    static bool CheckChars(const QString& text);
    static bool CheckPattern(const QString& text);
    static bool CheckNumeric(const QString& text);
    static QString UATrim(const QString& text);
    // Removes leading and trailing U+0020 only; tabs and other white space stay.
    static QString TrimBlanks(const QString& text);
    static QVariant UsunNull(const QVariant& value);

    // The common error trap of a working procedure: runs body; on an error shows
    // it, logs it with the place text, runs cleanup and returns false.
    template <class Body>
    bool trap(const QString& place, Body&& body, const std::function<void()>& cleanup = {}) {
        return trapWith(std::forward<Body>(body), [&](const AppError& error) {
            ShowErrorMessage(error);
            ReportError(place, error);
            if (cleanup)
                cleanup();
        });
    }

    // Runs body and hands any error to onError as an AppError; true when no error arose.
    template <class Body, class OnError> static bool trapWith(Body&& body, OnError&& onError) {
        try {
            body();
            return true;
        } catch (const AppError& error) {
            onError(error);
        } catch (const std::bad_alloc&) {
            onError(AppError(AppError::OutOfMemory, QStringLiteral("Brak pamięci.")));
        } catch (const std::exception& error) {
            onError(AppError(AppError::InvalidProcedureCall, QString::fromUtf8(error.what())));
        }
        return false;
    }

    // For the handlers that ignore errors: a failing step is skipped.
    template <class Body> static void skipOnError(Body&& body) {
        trapWith(std::forward<Body>(body), [](const AppError&) {});
    }

private:
    Prompts& m_prompts;
    Platform& m_platform;
    SettingsStore& m_store;
};
