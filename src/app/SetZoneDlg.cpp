#include "app/SetZoneDlg.h"

namespace quorvan {

SetZoneDlg::SetZoneDlg(AppContext& context, CommandSink& mainWindow, QWidget* parent)
    : NamePageDlg(context, mainWindow, NameTable::Zones, kIds, parent) {}

} // namespace quorvan
