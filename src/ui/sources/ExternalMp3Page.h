#pragma once

#include <QWidget>

#include <array>

class QComboBox;

namespace quorvan {

struct SourcePanelState;

// External MP3 players page. The panel has no tab for it and never shows it: its lists only hold what the last
// load put there, so a save writes the entry's external MP3 settings back as they were.
class ExternalMp3Page : public QWidget {
    Q_OBJECT
public:
    explicit ExternalMp3Page(QWidget* parent = nullptr);

    void showSelections(const SourcePanelState& state);
    void readSelections(SourcePanelState& state) const;

    // Player k = 0..7.
    QComboBox* trackList(int k) const { return m_tracks[std::size_t(k)]; }
    QComboBox* repeatList(int k) const { return m_repeats[std::size_t(k)]; }

private:
    std::array<QComboBox*, 8> m_tracks{};
    std::array<QComboBox*, 8> m_repeats{};
};

} // namespace quorvan
