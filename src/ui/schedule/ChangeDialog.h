#pragma once

#include "core/schedule/BulkChanges.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quorvan {

struct AppContext;

// Change…: for each group of the selected entries' settings, "leave as it is" or one change for all of them —
// weekdays, zones and power channels (set, add or remove; chosen in the pickers), keep power, the MP3 modes and
// the songs (replace one by another, add some, remove one).
class ChangeDialog : public QDialog {
    Q_OBJECT
public:
    ChangeDialog(AppContext& context, int count, QWidget* parent = nullptr);

    BulkChange change() const;

    QComboBox* weekdaysHow() const { return m_daysHow; }
    QCheckBox* weekday(int bit) const { return m_days[std::size_t(bit)]; }
    QComboBox* zonesHow() const { return m_zonesHow; }
    QComboBox* powerHow() const { return m_powerHow; }
    QComboBox* keepPower() const { return m_keepPower; }
    QComboBox* playMode() const { return m_playMode; }
    QComboBox* repeatMode() const { return m_repeatMode; }
    QLineEdit* replaceSong() const { return m_replace; }
    QLineEdit* bySong() const { return m_by; }
    QPlainTextEdit* addSongs() const { return m_add; }
    QLineEdit* removeSong() const { return m_remove; }
    // The zones and channels the pickers chose.
    std::uint32_t (&zoneMask())[9] { return m_zones; }
    std::uint32_t (&powerMask())[9] { return m_power; }

private:
    QComboBox* bitsChoice(const char* name);
    void showPicked();

    AppContext& m_context;
    QComboBox* m_daysHow;
    std::array<QCheckBox*, 7> m_days{};
    QComboBox* m_zonesHow;
    QPushButton* m_zoneButton;
    QLabel* m_zoneLine;
    QComboBox* m_powerHow;
    QPushButton* m_powerButton;
    QLabel* m_powerLine;
    QComboBox* m_keepPower;
    QComboBox* m_playMode;
    QComboBox* m_repeatMode;
    QLineEdit* m_replace;
    QLineEdit* m_by;
    QPlainTextEdit* m_add;
    QLineEdit* m_remove;
    std::uint32_t m_zones[9] = {};
    std::uint32_t m_power[9] = {};
};

} // namespace quorvan
