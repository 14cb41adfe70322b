#pragma once

#include <QWidget>

class QGroupBox;
class QTabWidget;

namespace quorvan {

struct AppContext;
class ControllerACfgExtDvdDlg;
class ControllerACfgExtFmDlg;
class ControllerACfgExtMp3Dlg;
class ControllerACfgFmDlg;
class ControllerACfgMP3Dlg;
struct TimingEntry;

// The audio source panel of the entry editors: four tabs over the pages of host MP3, host FM, external DVD
// players and external radios, plus the hidden external MP3 page. The pages hold only their controls'
// selections; the entry is read and written through the source settings rules.
class ControllerACfgDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTabId = 1004;
    static constexpr int kWidth = 460;
    static constexpr int kHeight = 250;

    ControllerACfgDlg(AppContext& context, QWidget* parent = nullptr);

    // The group box (id 1073) of an entry editor with a panel inside it.
    static QGroupBox* createHostGroup(AppContext& context, QWidget* parent, ControllerACfgDlg*& panel);

    // Shows the entry's sources on every page. Play and repeat modes other than 0 and 1 are set to 0 in the entry.
    void LoadSourceSettings(TimingEntry& entry);
    // Writes every page's selections into the entry's sources; source bits 26 to 31 are left alone.
    void SaveSourceSettings(TimingEntry& entry);
    void RefreshSourceCaptions();

    QTabWidget* tabs() const { return m_tabs; }
    ControllerACfgMP3Dlg* mp3Page() const { return m_mp3; }
    ControllerACfgFmDlg* fmPage() const { return m_fm; }
    ControllerACfgExtDvdDlg* dvdPage() const { return m_dvd; }
    ControllerACfgExtFmDlg* radioPage() const { return m_radio; }
    ControllerACfgExtMp3Dlg* extMp3Page() const { return m_extMp3; }

private:
    void showPage(int tab);

    AppContext& m_context;
    QTabWidget* m_tabs;
    ControllerACfgMP3Dlg* m_mp3;
    ControllerACfgFmDlg* m_fm;
    ControllerACfgExtDvdDlg* m_dvd;
    ControllerACfgExtFmDlg* m_radio;
    ControllerACfgExtMp3Dlg* m_extMp3;
};

} // namespace quorvan
