#include "ui/sources/LocalFmPage.h"

#include "core/schedule/SourceSettings.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/NumberedChoices.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>

namespace quorvan {

LocalFmPage::LocalFmPage(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_group(new QGroupBox(QStringLiteral("主机收音机"), this)),
      m_label(new QLabel(QStringLiteral("设定频道"), m_group)), m_frequencies(new QComboBox(m_group)) {
    resize(440, 210);
    m_group->setObjectName(QStringLiteral("localFmGroup"));
    m_group->setGeometry(0, 0, 440, 210);
    m_label->setObjectName(QStringLiteral("frequencyLabel"));
    m_label->setGeometry(20, 40, 110, 22);
    m_frequencies->setObjectName(QStringLiteral("frequencyList"));
    m_frequencies->setGeometry(140, 40, 120, 22);
    m_frequencies->setMaxVisibleItems(16);
    m_label->setBuddy(m_frequencies); // the list is named by its label

    // Position 0 is the empty line (no FM source); position n is 87.0 MHz + (n - 1) * 0.1 MHz.
    offerNumbers(m_frequencies, kFmPositions, fmLine);
}

void LocalFmPage::showSelections(const SourcePanelState& state) {
    m_frequencies->setCurrentIndex(state.fmPosition);
}

void LocalFmPage::readSelections(SourcePanelState& state) const {
    state.fmPosition = std::max(m_frequencies->currentIndex(), 0);
}

void LocalFmPage::retranslate() {
    m_group->setTitle(m_context.texts.text(TextId::LocalFm));
    m_label->setText(m_context.texts.text(TextId::FmChannel));
}

} // namespace quorvan
