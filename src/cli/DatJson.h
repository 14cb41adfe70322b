#pragma once

#include "core/files/ScheduleTypes.h"

#include <QByteArray>
#include <QString>

namespace quorvan::dat {

// The table as JSON text: {"entries": [ {...}, ... ]} with the keys in a fixed order, one entry per line.
QByteArray tableToJson(const ScheduleTable& table);

// Fills table from JSON text. On failure returns false and sets error to one line naming the entry and field.
bool tableFromJson(const QByteArray& json, ScheduleTable& table, QString& error);

} // namespace quorvan::dat
