#pragma once

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;

namespace quorvan {

struct AppContext;
struct SourcePanelState;

// External radios page of the source panel: a preset for each of the eight external radios.
class ExternalRadioPage : public QWidget {
    Q_OBJECT
public:
    ExternalRadioPage(AppContext& context, QWidget* parent = nullptr);

    void showSelections(const SourcePanelState& state);
    void readSelections(SourcePanelState& state) const;
    void retranslate();

    // Radio k = 0..7.
    QComboBox* presetList(int k) const { return m_presets[std::size_t(k)]; }
    QLabel* rowLabel(int k) const { return m_rowLabels[std::size_t(k)]; }

private:
    AppContext& m_context;
    QGroupBox* m_group;
    std::array<QLabel*, 2> m_headings{};
    std::array<QLabel*, 8> m_rowLabels{};
    std::array<QComboBox*, 8> m_presets{};
};

} // namespace quorvan
