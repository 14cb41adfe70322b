#pragma once

#include <QWidget>

class QGroupBox;
class QRadioButton;

namespace quorvan {

struct AppContext;
class CommandSink;

// The page of the settings dialog that switches the user-interface language. A click applies the language to
// every window and saves it at once, also when the clicked language is already the current one.
class SetLanguageDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kGroupId = 1232;
    static constexpr int kEnglishId = 1230;
    static constexpr int kChineseId = 1231;

    SetLanguageDlg(AppContext& context, CommandSink& mainWindow, QWidget* parent = nullptr);

    int RefreshTexts();

    QGroupBox* group() const { return m_group; }
    QRadioButton* englishRadio() const { return m_english; }
    QRadioButton* chineseRadio() const { return m_chinese; }

private:
    void OnLanguage(bool english);

    AppContext& m_context;
    CommandSink& m_mainWindow;
    QGroupBox* m_group;
    QRadioButton* m_english;
    QRadioButton* m_chinese;
};

} // namespace quorvan
