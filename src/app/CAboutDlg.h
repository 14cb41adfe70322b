#pragma once

#include <QDialog>

namespace quorvan {

// The about box: the application icon, the version line and an OK button.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace quorvan
