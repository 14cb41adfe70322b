#pragma once

#include "core/files/ScheduleTypes.h"
#include "core/schedule/BulkChanges.h"

#include <QDialog>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class QTimeEdit;

namespace quorvan {

struct AppContext;
class LocalMp3Page;
class ZonePowerPanel;

// Makes a day of bells from a pattern of lessons and breaks: the bells' times, weekdays, zones, power and songs;
// a preview lists the entries it will add after the schedule's own, clashes marked as the list marks them. Add
// closes it when the pattern can be made (refusals are told and the dialog stays).
class BellPatternDialog : public QDialog {
    Q_OBJECT
public:
    BellPatternDialog(AppContext& context, const ScheduleTable& schedule, QWidget* parent = nullptr);
    ~BellPatternDialog() override;

    // The pattern as the controls give it; false (and a message) when the breaks cannot be read.
    bool readPattern(BellPattern& pattern) const;
    // Lists the entries the pattern makes, or says why it cannot be made.
    void showPreview();
    // The entries made, once accepted.
    const std::vector<TimingEntry>& entries() const { return m_entries; }

    QTimeEdit* firstStart() const { return m_first; }
    QSpinBox* lessonMinutes() const { return m_lesson; }
    QSpinBox* lessons() const { return m_count; }
    QLineEdit* breaks() const { return m_breaks; }
    QComboBox* bellsAt() const { return m_at; }
    QSpinBox* ringSeconds() const { return m_ring; }
    QCheckBox* weekday(int bit) const { return m_days[std::size_t(bit)]; }
    LocalMp3Page& songs() const { return *m_songs; }
    QTableWidget* preview() const { return m_preview; }
    QLabel* previewLine() const { return m_previewLine; }

public slots:
    void accept() override;

private:
    AppContext& m_context;
    const ScheduleTable& m_schedule;
    TimingEntry m_targets; // the zones and power channels the pickers choose
    QTimeEdit* m_first;
    QSpinBox* m_lesson;
    QSpinBox* m_count;
    QLineEdit* m_breaks;
    QComboBox* m_at;
    QSpinBox* m_ring;
    std::array<QCheckBox*, 7> m_days{};
    ZonePowerPanel* m_zonePower;
    LocalMp3Page* m_songs;
    QTableWidget* m_preview;
    QLabel* m_previewLine;
    std::vector<TimingEntry> m_entries;
};

} // namespace quorvan
