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

    void addSongs();
    // Appends readable files, as Add does with the files chosen (and a drop on the list with its song files): at
    // most 255 songs, the operator is told when more were given.
    void addFiles(const QStringList& paths);
    void deleteSong();
    void moveSongUp();
    void moveSongDown();

    QListWidget* songList() const { return m_songs; }

private:
    int selectedRow() const;
    void moveSelected(int step);

    AppContext& m_context;
    QGroupBox* m_group;
    QLabel* m_playModeLabel;
    QLabel* m_repeatModeLabel;
    QComboBox* m_playMode;
    QComboBox* m_repeatMode;
    QRadioButton* m_internal;
    QRadioButton* m_card;
    DropList* m_songs;
    QPushButton* m_moveUp;
    QPushButton* m_moveDown;
    QPushButton* m_add;
    QPushButton* m_delete;
};

} // namespace quorvan
