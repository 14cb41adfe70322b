#pragma once

#include "app/NamePageDlg.h"

namespace quorvan {

// The names of the 37 power channels.
class SetPowerDlg : public NamePageDlg {
    Q_OBJECT
public:
    static constexpr NamePageIds kIds{1184, 1185, 1186, 1187, 1188, 49};

    SetPowerDlg(AppContext& context, CommandSink& mainWindow, QWidget* parent = nullptr);
};

} // namespace quorvan
