#include "ui/sources/ExternalRadioPage.h"

#include "core/schedule/SourceSettings.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/NumberedChoices.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>

namespace quorvan {

ExternalRadioPage::ExternalRadioPage(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_group(new QGroupBox(QStringLiteral("外控收音机"), this)) {
    resize(440, 210);
    m_group->setObjectName(QStringLiteral("extRadioGroup"));
    m_group->setGeometry(0, 0, 440, 210);

    // Two columns of four radios, each column under its own heading.
    for (std::size_t column = 0; column < 2; ++column) {
        auto* heading = new QLabel(QStringLiteral("预设电台"), m_group);
        heading->setObjectName(QStringLiteral("presetHeading%1").arg(column + 1));
        heading->setGeometry(int(12 + 216 * column + 100), 20, 100, 22);
        m_headings[column] = heading;
    }

    for (int k = 0; k < 8; ++k) {
        const int x = 12 + 216 * (k / 4);
        const int y = 48 + 38 * (k % 4);
        auto* row = new QLabel(QStringLiteral("外控收音") + QString::number(k + 1), m_group);
        row->setObjectName(QStringLiteral("labelRadio") + QString::number(k + 1));
        row->setGeometry(x, y, 96, 22);
        m_rowLabels[std::size_t(k)] = row;
        auto* preset = new QComboBox(m_group);
        preset->setObjectName(QStringLiteral("preset%1").arg(k + 1));
        preset->setGeometry(x + 100, y, 70, 22);
        preset->setMaxVisibleItems(16);
        offerNumbers(preset, kRadioPresets, [](int p) { return QString::number(p); });
        m_presets[std::size_t(k)] = preset;
    }
}

void ExternalRadioPage::showSelections(const SourcePanelState& state) {
    for (std::size_t k = 0; k < 8; ++k)
        m_presets[k]->setCurrentIndex(state.radio[k]);
}

void ExternalRadioPage::readSelections(SourcePanelState& state) const {
    for (std::size_t k = 0; k < 8; ++k)
        state.radio[k] = std::max(m_presets[k]->currentIndex(), 0);
}

void ExternalRadioPage::retranslate() {
    const TextTable& texts = m_context.texts;
    m_group->setTitle(texts.text(TextId::ExtRadio));
    for (QLabel* heading : m_headings)
        heading->setText(texts.text(TextId::PresetChannel));
    for (int k = 0; k < 8; ++k)
        m_rowLabels[std::size_t(k)]->setText(texts.text(TextId::ExtRadio1 + k));
}

} // namespace quorvan
