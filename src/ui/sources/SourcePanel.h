#pragma once

#include <QWidget>

class QGroupBox;
class QTabWidget;

namespace quorvan {

struct AppContext;
class ExternalDvdPage;
class ExternalMp3Page;
class ExternalRadioPage;
class LocalFmPage;
class LocalMp3Page;
struct TimingEntry;

// The audio source panel of the entry editors: four tabs over the pages of host MP3, host FM, external DVD
// players and external radios, plus the hidden external MP3 page. The pages hold only their controls'
// selections; the entry is read and written through the source settings rules.
class SourcePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 460;
    static constexpr int kHeight = 250;

    SourcePanel(AppContext& context, QWidget* parent = nullptr);

    // The group box (id 1073) of an entry editor with a panel inside it.
    static QGroupBox* createHostGroup(AppContext& context, QWidget* parent, SourcePanel*& panel);

    // Shows the entry's sources on every page. Play and repeat modes other than 0 and 1 are set to 0 in the entry.
    void loadSourceSettings(TimingEntry& entry);
    // Writes every page's selections into the entry's sources; source bits 26 to 31 are left alone.
    void saveSourceSettings(TimingEntry& entry);
    void retranslate();

    QTabWidget* tabs() const { return m_tabs; }
    LocalMp3Page* mp3Page() const { return m_mp3; }
    LocalFmPage* fmPage() const { return m_fm; }
    ExternalDvdPage* dvdPage() const { return m_dvd; }
    ExternalRadioPage* radioPage() const { return m_radio; }
    ExternalMp3Page* extMp3Page() const { return m_extMp3; }

private:
    void showPage(int tab);

    AppContext& m_context;
    QTabWidget* m_tabs;
    LocalMp3Page* m_mp3;
    LocalFmPage* m_fm;
    ExternalDvdPage* m_dvd;
    ExternalRadioPage* m_radio;
    ExternalMp3Page* m_extMp3;
};

} // namespace quorvan
