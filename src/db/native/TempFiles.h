#pragma once

#include <QString>

// Hidden work files that become a dictionary only when complete:
// ".NAME.XXXXXXXX.tmp" beside the target NAME. While its writer lives, a work
// file is held under an advisory lock (released by the system however the
// writer ends), so one that nobody holds was left by a writer that was killed
// or crashed, and can go.
namespace TempFiles {

// A fresh name for a work file beside `targetPath` (not created).
QString nameFor(const QString& targetPath);

// Takes the lock on an existing work file; returns the handle to pass to
// release(), or -1 when the file cannot be opened or is held already.
int hold(const QString& path);
void release(int handle);

// Removes the work files in `folder` (with their journals) that no writer holds
// and that have not changed for `minAgeSeconds` (a writer takes its lock just
// after creating the file). Errors are ignored: this is tidying only.
void removeStale(const QString& folder, int minAgeSeconds = 60);

} // namespace TempFiles
