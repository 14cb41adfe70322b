#pragma once

#include <QDialog>

class QTabWidget;

namespace quorvan {

struct AppContext;
class CommandSink;
class SetLanguageDlg;
class SetPowerDlg;
class SetZoneDlg;

// The system settings: power channel names, zone names and the language, one tab each. Every change is applied
// and saved at once, so there is nothing to confirm or cancel; the window's close box ends the dialog.
class OptionDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTabId = 1064;
    enum Tab { PowerTab = 0, ZoneTab = 1, LanguageTab = 2 };

    OptionDlg(AppContext& context, CommandSink& mainWindow, QWidget* parent = nullptr);

    // Caption, tab captions and every page's texts from the current language.
    int RefreshTexts();

    QTabWidget* tabs() const { return m_tabs; }
    SetLanguageDlg* languagePage() const { return m_languagePage; }
    SetPowerDlg* powerPage() const { return m_powerPage; }
    SetZoneDlg* zonePage() const { return m_zonePage; }

private:
    AppContext& m_context;
    SetLanguageDlg* m_languagePage;
    SetPowerDlg* m_powerPage;
    SetZoneDlg* m_zonePage;
    QTabWidget* m_tabs;
};

} // namespace quorvan
