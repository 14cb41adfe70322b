#pragma once

#include <QDialog>

namespace quorvan {

// The about box: the application icon, the version line and an OK button.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace quorvan
