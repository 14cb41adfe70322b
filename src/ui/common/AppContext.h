#pragma once

#include <QDateTime>

#include <functional>

namespace quorvan {

class BackupStore;
class MediaEngine;
class NameTables;
class Prompts;
class ScheduleModel;
class SerialLink;
class SettingsFiles;
class TextTable;

// The process-wide objects the windows work with, created once in main() and passed by reference.
struct AppContext {
    TextTable& texts;
    NameTables& names;
    ScheduleModel& model;
    SettingsFiles& settings;
    SerialLink& serial;
    Prompts& prompts;
    BackupStore& backups;
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    // Plays the computer's music; the main window makes the Qt Multimedia one when none is given.
    MediaEngine* mediaEngine = nullptr;
    // Caps the rate of Import and Export copies in bytes per second (0: none), as a slow card would.
    qint64 cardBytesPerSecond = 0;
};

} // namespace quorvan
