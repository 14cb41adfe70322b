#include "app/SetPowerDlg.h"

namespace quorvan {

SetPowerDlg::SetPowerDlg(AppContext& context, CommandSink& mainWindow, QWidget* parent)
    : NamePageDlg(context, mainWindow, NameTable::Power, kIds, parent) {}

} // namespace quorvan
