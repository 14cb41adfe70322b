#include "ui/sources/ExternalMp3Page.h"

#include "core/schedule/SourceSettings.h"
#include "ui/common/NumberedChoices.h"

#include <QComboBox>

#include <algorithm>

namespace quorvan {

ExternalMp3Page::ExternalMp3Page(QWidget* parent) : QWidget(parent) {
    resize(440, 210);
    const QStringList modes{QStringLiteral("单曲一次"), QStringLiteral("单曲循环"), QStringLiteral("全部循环")};
    for (int k = 0; k < 8; ++k) {
        const int x = 12 + 216 * (k / 4);
        const int y = 20 + 38 * (k % 4);
        auto* track = new QComboBox(this);
        track->setObjectName(QStringLiteral("track%1").arg(k + 1));
        track->setGeometry(x, y, 70, 22);
        offerNumbers(track, kExtMp3Tracks, twoDigits);
        m_tracks[std::size_t(k)] = track;
        auto* repeat = new QComboBox(this);
        repeat->setObjectName(QStringLiteral("repeat%1").arg(k + 1));
        repeat->setGeometry(x + 76, y, 100, 22);
        repeat->addItems(modes);
        m_repeats[std::size_t(k)] = repeat;
        // The page is never shown, so its lists never take the focus.
        track->setFocusPolicy(Qt::NoFocus);
        repeat->setFocusPolicy(Qt::NoFocus);
    }
}

void ExternalMp3Page::showSelections(const SourcePanelState& state) {
    for (std::size_t k = 0; k < 8; ++k) {
        m_tracks[k]->setCurrentIndex(state.extMp3[k].position);
        m_repeats[k]->setCurrentIndex(state.extMp3[k].repeat);
    }
}

void ExternalMp3Page::readSelections(SourcePanelState& state) const {
    for (std::size_t k = 0; k < 8; ++k) {
        state.extMp3[k].position = std::max(m_tracks[k]->currentIndex(), 0);
        state.extMp3[k].repeat = m_repeats[k]->currentIndex();
    }
}

} // namespace quorvan
