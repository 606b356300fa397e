#pragma once

#include <QString>

struct sqlite3;

// Write-ahead logging for native files opened for writing, so that a search
// streaming rows keeps reading them as they were when it started while an
// edit writes to the same file at once (in the rollback mode the edit would
// wait for the reader's lock and fail).
//
// The mode is recorded in the file itself, and a file in write-ahead mode
// cannot be read where its -wal and -shm companions cannot be made (a
// read-only folder or medium). So the program keeps a file in that mode only
// while it holds the file for writing: the last handle to let go of it puts
// it back into the rollback mode, and every change is copied from the log
// into the file as soon as no reader needs the old pages. A file whose write
// permission bits are off is never switched, whoever runs the program.
namespace WriteAheadLog {

// On a handle just opened for writing. A file that cannot be switched (held by
// another program, a read-only folder) stays as it is: edits then wait for readers.
void enter(sqlite3* db, const QString& path);

// When a handle that may have written is released: copies the log into the
// file as far as no reader still needs what the file holds.
void settle(sqlite3* db);

// Before a handle that may write is closed for good: back to the rollback
// mode when no other handle has the file open (otherwise the last one does it).
void leave(sqlite3* db);

// A copy of a file taken while it was in write-ahead mode (all changes
// already in the file) is put into the rollback mode; errors are ignored.
void toRollback(const QString& path);

// The mode recorded in the file's header (false also when it cannot be read).
bool isWriteAhead(const QString& path);

} // namespace WriteAheadLog
