#pragma once

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;

namespace quorvan {

struct AppContext;
struct SourcePanelState;

// DVD players page of the source panel: a track and a repeat mode for each of the eight external players.
class ExternalDvdPage : public QWidget {
    Q_OBJECT
public:
    ExternalDvdPage(AppContext& context, QWidget* parent = nullptr);

    void showSelections(const SourcePanelState& state);
    void readSelections(SourcePanelState& state) const;
    // Captions of the current language; the repeat lists are refilled and show their first entries.
    void retranslate();

    // Player k = 0..7.
    QComboBox* trackList(int k) const { return m_tracks[std::size_t(k)]; }
    QComboBox* repeatList(int k) const { return m_repeats[std::size_t(k)]; }

private:
    AppContext& m_context;
    QGroupBox* m_group;
    std::array<QLabel*, 2> m_trackHeadings{};
    std::array<QLabel*, 2> m_repeatHeadings{};
    std::array<QComboBox*, 8> m_tracks{};
    std::array<QComboBox*, 8> m_repeats{};
};

} // namespace quorvan
