#pragma once

#include "core/files/ScheduleTypes.h"

#include <QWidget>

#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimeEdit;

namespace quorvan {

class EditorArrangement;
struct AppContext;
class SourcePanel;
class ZonePowerPanel;

// The editor docked under the timing list: weekdays, start and end time, zones, power channels and the audio
// sources of one timing entry. New, Save and Delete are forwarded to the page.
class EntryEditor : public QWidget {
    Q_OBJECT
public:
    // The buttons of the Timing Edit group.
    enum EditButton { NewButton, SaveButton, DeleteButton };

    explicit EntryEditor(AppContext& context, QWidget* parent = nullptr);
    ~EntryEditor() override;

    void loadEntry(const TimingEntry& entry);
    // The edited entry, with used = 1; from now on it counts as saved.
    TimingEntry storeEntry();
    // Whether the controls show anything other than the entry last loaded or stored.
    bool hasUnsavedChanges();
    // What the controls show, without counting it as saved.
    TimingEntry currentEdit() { return editedEntry(); }
    // The controls show edit, still unsaved against the entry last loaded or stored (a write that did not
    // happen leaves the operator's edit in place).
    void showEdit(const TimingEntry& edit);
    // The Save button's check: start and end must differ; tells the operator when they do not.
    bool timesCanBeSaved();
    void retranslate();

    const TimingEntry& workingEntry() const { return *m_entry; }
    SourcePanel& sourcePanel() const { return *m_panel; }
    QTimeEdit* startTime() const { return m_start; }
    QTimeEdit* endTime() const { return m_end; }
    QCheckBox* weekdayBox(int bit) const { return m_weekdays[std::size_t(bit)]; }
    QPushButton* button(EditButton which) const;
    ZonePowerPanel& targets() const { return *m_targets; }
    // Arranges the editor for a page of this width (see EditorArrangement); true when it changed.
    bool fitWidth(int width);

    void requestSave();

signals:
    // The buttons, for the page: New, Save (after the time check) and Delete.
    void newRequested();
    void saveRequested();
    void deleteRequested();

protected:
    // Tab and Shift+Tab go through the controls in reading order.
    bool focusNextPrevChild(bool next) override;

private:
    // The entry the controls show, with used = 1.
    TimingEntry editedEntry();

    AppContext& m_context;
    std::unique_ptr<TimingEntry> m_entry;
    std::unique_ptr<TimingEntry> m_saved; // what editedEntry gave when the entry was loaded or stored
    SourcePanel* m_panel;
    QGroupBox* m_timeGroup;
    QLabel* m_startLabel;
    QLabel* m_endLabel;
    QTimeEdit* m_start;
    QTimeEdit* m_end;
    std::array<QCheckBox*, 7> m_weekdays{};
    QGroupBox* m_editGroup;
    QPushButton* m_new;
    QPushButton* m_save;
    QPushButton* m_delete;
    QGroupBox* m_sourceGroup;
    ZonePowerPanel* m_targets;
    std::unique_ptr<EditorArrangement> m_arrangement;
};

} // namespace quorvan
