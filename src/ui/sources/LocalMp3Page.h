#pragma once

#include "ui/widgets/DropList.h"

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace quorvan {

struct AppContext;
class SongControls;
struct SourcePanelState;

// Host MP3 page of the source panel: the play list of the controller's own player, its modes and storage.
class LocalMp3Page : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 440;
    static constexpr int kHeight = 210;

    LocalMp3Page(AppContext& context, QWidget* parent = nullptr);

    void showSelections(const SourcePanelState& state);
    void readSelections(SourcePanelState& state) const;
    // Captions of the current language; the mode lists are refilled and show their first entries.
    void retranslate();

    // Appends readable files, as Add does with the files chosen (and a drop on the list with its song files): at
    // most 255 songs, the operator is told when more were given.
    void addFiles(const QStringList& paths);
    void deleteSong();
    // Moves the selected song one line up (-1) or down (1).
    void moveSelected(int step);

    QListWidget* songList() const { return m_songs; }

private:
    int selectedRow() const;

    AppContext& m_context;
    QGroupBox* m_group;
    SongControls* m_controls;
    DropList* m_songs; // the controls' list
    QRadioButton* m_internal;
    QRadioButton* m_card;
};

} // namespace quorvan
