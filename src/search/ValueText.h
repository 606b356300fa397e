#pragma once

#include <QString>
#include <QVariant>

// The text a query result shows for a field value: Null as the empty text,
// numbers in plain decimal, dates readable, binary data as a short note.
namespace ValueText {
QString of(const QVariant& value);
}
