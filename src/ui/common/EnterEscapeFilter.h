#pragma once

#include <QObject>

class QWidget;

namespace quorvan {

// Swallows the key presses of Enter and Escape, so that neither presses a default button nor closes a window.
class EnterEscapeFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs one filter on root and every widget inside it at the moment of the call.
void discardEnterAndEscape(QWidget* root);

} // namespace quorvan
