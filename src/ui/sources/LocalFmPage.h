#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;

namespace quorvan {

struct AppContext;
struct SourcePanelState;

// Host FM page of the source panel: the frequency of the controller's own tuner.
class LocalFmPage : public QWidget {
    Q_OBJECT
public:
    LocalFmPage(AppContext& context, QWidget* parent = nullptr);

    void showSelections(const SourcePanelState& state);
    void readSelections(SourcePanelState& state) const;
    void retranslate();

    QComboBox* frequencyList() const { return m_frequencies; }

private:
    AppContext& m_context;
    QGroupBox* m_group;
    QLabel* m_label;
    QComboBox* m_frequencies;
};

} // namespace quorvan
