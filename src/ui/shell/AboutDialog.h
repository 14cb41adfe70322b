#pragma once

#include <QDialog>

namespace quorvan {

class TextTable;

// The about box: the application icon, the version line, the licence notice (in the texts' language) and an OK
// button.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(const TextTable& texts, QWidget* parent = nullptr);

signals:
    // The Manual button: the operator's manual is wanted.
    void manualRequested();
};

} // namespace quorvan
