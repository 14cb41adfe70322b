#pragma once

#include "core/files/ScheduleTypes.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace quorvan {

class EditorArrangement;
struct AppContext;
class SourcePanel;
class ZonePowerPanel;

// The editor docked under the remote-key list: the key to store under, the sources, zones and power channels of
// one preset. Save and Delete are forwarded to the page.
class RemoteKeyEditor : public QWidget {
    Q_OBJECT
public:
    explicit RemoteKeyEditor(AppContext& context, QWidget* parent = nullptr);
    ~RemoteKeyEditor() override;

    // Shows the preset of key k + 1 and selects that key.
    void loadPreset(int k, const TimingEntry& entry);
    // The working entry with used = 1 and the source settings of the panel; from now on it counts as saved.
    TimingEntry storePreset();
    // Whether the controls show anything other than the preset last loaded or stored (the key list aside).
    bool hasUnsavedChanges();
    // What the controls show, without counting it as saved; and the controls showing edit, still unsaved.
    TimingEntry currentEdit() { return editedPreset(); }
    void showEdit(const TimingEntry& edit);
    void retranslate();

    int selectedKey() const;
    QComboBox* keyList() const { return m_keys; }
    const TimingEntry& workingEntry() const { return *m_entry; }
    SourcePanel& sourcePanel() const { return *m_panel; }
    ZonePowerPanel& targets() const { return *m_targets; }
    // Arranges the editor for a page of this width (see EditorArrangement); true when it changed.
    bool fitWidth(int width);
    QPushButton* saveButton() const { return m_save; }
    QPushButton* deleteButton() const { return m_delete; }

signals:
    // The buttons, for the page.
    void saveRequested();
    void deleteRequested();

private:
    void fillKeys(const QString& stem);
    TimingEntry editedPreset();

    AppContext& m_context;
    std::unique_ptr<TimingEntry> m_entry;
    std::unique_ptr<TimingEntry> m_saved; // what editedPreset gave when the preset was loaded or stored
    QGroupBox* m_keyGroup;
    QLabel* m_keyLabel;
    QComboBox* m_keys;
    QGroupBox* m_editGroup;
    QPushButton* m_save;
    QPushButton* m_delete;
    QGroupBox* m_sourceGroup;
    SourcePanel* m_panel;
    ZonePowerPanel* m_targets;
    std::unique_ptr<EditorArrangement> m_arrangement;
};

} // namespace quorvan
