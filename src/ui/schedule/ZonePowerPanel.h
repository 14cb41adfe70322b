#pragma once

#include <QWidget>

class QBoxLayout;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

namespace quorvan {

struct AppContext;
struct TimingEntry;

// The zone and power groups of both entry editors: a button that opens the picker and a summary box each.
// They work on the editor's working entry.
class ZonePowerPanel : public QWidget {
    Q_OBJECT
public:
    ZonePowerPanel(AppContext& context, TimingEntry& workingEntry, QWidget* parent = nullptr);

    // Rewrites both summaries from the working entry.
    void showSummaries();
    // The two groups one above the other (the default) or side by side in a low row, each box wide and wrapped.
    void setSideBySide(bool sideBySide);
    // The width the panel takes with its groups one above the other.
    int columnWidth() const;
    void retranslate();
    // Run the picker on a copy of the words; OK copies them back; the summary is rewritten either way.
    void pickZones();
    void pickPowerChannels();

    QPushButton* zoneButton() const { return m_zoneButton; }
    QPushButton* powerButton() const { return m_powerButton; }
    // The texts of the two summary boxes exactly as built (lines end in CR LF, the last LF removed).
    const QString& zoneSummary() const { return m_zoneSummary; }
    const QString& powerSummary() const { return m_powerSummary; }

private:
    AppContext& m_context;
    TimingEntry& m_entry;
    QBoxLayout* m_layout;
    QGroupBox* m_zoneGroup;
    QPushButton* m_zoneButton;
    QPlainTextEdit* m_zoneBox;
    QGroupBox* m_powerGroup;
    QPushButton* m_powerButton;
    QPlainTextEdit* m_powerBox;
    QString m_zoneSummary;
    QString m_powerSummary;
    bool m_sideBySide = false;
};

} // namespace quorvan
