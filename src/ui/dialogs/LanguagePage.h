#pragma once

#include <QWidget>

class QGroupBox;
class QRadioButton;

namespace quorvan {

struct AppContext;
class ShellActions;

// The page of the settings dialog that switches the user-interface language. A click applies the language to
// every window and saves it at once, also when the clicked language is already the current one.
class LanguagePage : public QWidget {
    Q_OBJECT
public:
    LanguagePage(AppContext& context, ShellActions& shell, QWidget* parent = nullptr);

    void retranslate();

    QGroupBox* group() const { return m_group; }
    QRadioButton* englishRadio() const { return m_english; }
    QRadioButton* chineseRadio() const { return m_chinese; }

private:
    void setLanguage(bool english);

    AppContext& m_context;
    ShellActions& m_shell;
    QGroupBox* m_group;
    QRadioButton* m_english;
    QRadioButton* m_chinese;
};

} // namespace quorvan
