#pragma once

#include <QtGlobal>

namespace quorvan {

// Commands the panes, pages and dialogs send to the main window, delivered synchronously.
enum Command : int {
    CMD_SYSTEM_OPTION = 12888,     // open the settings dialog
    CMD_COPY_TIMING = 12889,       // open the copy dialog
    CMD_SELECT_DOCUMENT = 12891,   // select the document whose index is the parameter
    CMD_SAVE_DOCUMENT = 12892,     // write the current document's file
    CMD_RELOAD_DOCUMENT = 12893,   // reload the current document and its page
    CMD_REFRESH_ALL = 12894,       // re-apply every text after a language or name change
    CMD_SHOW_MUSIC_PLAYER = 12895, // show the music player window
    CMD_SAVE_SETTINGS = 12896,     // write Config.ini and Config_name.ini
};

// Receiver of those commands: the main window.
class CommandSink {
public:
    virtual ~CommandSink() = default;
    // Returns 1 when handled.
    virtual int command(int id, qintptr param = 0) = 0;
};

} // namespace quorvan
