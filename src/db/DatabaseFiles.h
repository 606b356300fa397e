#pragma once

#include <QString>

// The database files beside the program and the file work of the "&Plik"
// commands: where the dialogs start, the template, and copying a dictionary.
class DatabaseFiles {
public:
    // Dialog titles and filters of the three file commands.
    static const QString OpenTitle;
    static const QString OpenFilter;
    static const QString NewTitle;
    static const QString SaveAsTitle;
    static const QString SaveFilter;

    // "<program folder>/Databases", where every file dialog starts.
    static QString databasesFolder(const QString& programFolder);
    // "<program folder>/Templates/Template.tmp", copied for a new database.
    static QString templatePath(const QString& programFolder);

    // An existing file that is neither a folder nor hidden.
    static bool isNormalFile(const QString& path);
    // A genuine Access file (by its header); the program only reads those.
    static bool isAccessFile(const QString& path);

    // Byte-for-byte copy to a name that does not exist yet. The copy is made
    // writable for its owner, whatever the source's permissions. Nothing is
    // left at `target` on failure. Throws AppError.
    static void copyFile(const QString& source, const QString& target);
    // The copy of "Zapisz jako...": a native dictionary is copied as it is;
    // a genuine Access file becomes an editable native dictionary with the
    // same words, descriptions and password. Throws AppError.
    static void copyDatabase(const QString& source, const QString& target, const QString& password);
};
