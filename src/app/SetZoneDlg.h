#pragma once

#include "app/NamePageDlg.h"

namespace quorvan {

// The names of the 40 zones.
class SetZoneDlg : public NamePageDlg {
    Q_OBJECT
public:
    static constexpr NamePageIds kIds{1191, 1189, 1192, 1193, 1190, 94};

    SetZoneDlg(AppContext& context, CommandSink& mainWindow, QWidget* parent = nullptr);
};

} // namespace quorvan
