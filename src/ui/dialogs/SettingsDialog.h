#pragma once

#include <QDialog>

class QTabWidget;

namespace quorvan {

struct AppContext;
class LanguagePage;
class NamesPage;
class ShellActions;

// The system settings: power channel names, zone names and the language, one tab each. Every change is applied
// and saved at once, so there is nothing to confirm or cancel; the window's close box ends the dialog.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    enum Tab { PowerTab = 0, ZoneTab = 1, LanguageTab = 2 };

    SettingsDialog(AppContext& context, ShellActions& shell, QWidget* parent = nullptr);

    // Caption, tab captions and every page's texts from the current language.
    void retranslate();

    QTabWidget* tabs() const { return m_tabs; }
    LanguagePage* languagePage() const { return m_languagePage; }
    NamesPage* powerPage() const { return m_powerPage; }
    NamesPage* zonePage() const { return m_zonePage; }

private:
    AppContext& m_context;
    LanguagePage* m_languagePage;
    NamesPage* m_powerPage;
    NamesPage* m_zonePage;
    QTabWidget* m_tabs;
};

} // namespace quorvan
