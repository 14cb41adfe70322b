#include "ui/sources/ExternalDvdPage.h"

#include "core/schedule/SourceSettings.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/ListSupport.h"
#include "ui/common/NumberedChoices.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>

namespace quorvan {

namespace {

QLabel* label(QWidget* parent, const QString& text, const QString& name, int x, int y, int w) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(x, y, w, 22);
    return l;
}

QComboBox* combo(QWidget* parent, const QString& name, int x, int y, int w) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setGeometry(x, y, w, 22);
    c->setMaxVisibleItems(16);
    return c;
}

} // namespace

ExternalDvdPage::ExternalDvdPage(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_group(new QGroupBox(QStringLiteral("外控DVD"), this)) {
    resize(440, 210);
    m_group->setObjectName(QStringLiteral("extDvdGroup"));
    m_group->setGeometry(0, 0, 440, 210);

    // Two columns of four players; each column has its own headings.
    for (int column = 0; column < 2; ++column) {
        const int x = 8 + 214 * column;
        m_trackHeadings[std::size_t(column)] =
            label(m_group, QStringLiteral("曲目"), QStringLiteral("trackHeading%1").arg(column + 1), x + 40, 20, 54);
        m_repeatHeadings[std::size_t(column)] = label(
            m_group, QStringLiteral("循环模式"), QStringLiteral("repeatHeading%1").arg(column + 1), x + 98, 20, 112);
    }

    for (int k = 0; k < 8; ++k) {
        const int x = 8 + 214 * (k / 4);
        const int y = 48 + 38 * (k % 4);
        // The player names are fixed words of the page, the same in both languages.
        label(m_group, QStringLiteral("DVD") + QString::number(k + 1), QStringLiteral("player%1").arg(k + 1), x, y, 38);
        m_tracks[std::size_t(k)] = combo(m_group, QStringLiteral("track%1").arg(k + 1), x + 40, y, 54);
        offerNumbers(m_tracks[std::size_t(k)], kDvdTracks, twoDigits);
        m_repeats[std::size_t(k)] = combo(m_group, QStringLiteral("repeat%1").arg(k + 1), x + 98, y, 112);
        m_repeats[std::size_t(k)]->addItems(
            {QStringLiteral("单曲一次"), QStringLiteral("单曲循环"), QStringLiteral("循序播放")});
    }
}

void ExternalDvdPage::showSelections(const SourcePanelState& state) {
    for (std::size_t k = 0; k < 8; ++k) {
        m_tracks[k]->setCurrentIndex(state.dvd[k].position);
        m_repeats[k]->setCurrentIndex(state.dvd[k].repeat);
    }
}

void ExternalDvdPage::readSelections(SourcePanelState& state) const {
    for (std::size_t k = 0; k < 8; ++k) {
        state.dvd[k].position = std::max(m_tracks[k]->currentIndex(), 0);
        state.dvd[k].repeat = m_repeats[k]->currentIndex();
    }
}

void ExternalDvdPage::retranslate() {
    const TextTable& texts = m_context.texts;
    m_group->setTitle(texts.text(TextId::ExtDvd));
    for (std::size_t column = 0; column < 2; ++column) {
        m_trackHeadings[column]->setText(texts.text(TextId::Track));
        m_repeatHeadings[column]->setText(texts.text(TextId::RepeatMode));
    }
    const QStringList modes{texts.text(TextId::SingleOnce), texts.text(TextId::SingleRepeat),
                            texts.text(TextId::OrderOnce)};
    for (QComboBox* repeat : m_repeats)
        setComboTexts(repeat, modes); // the players' modes stay as they are

    for (int k = 0; k < 8; ++k) {
        const QString player = QStringLiteral("DVD") + QString::number(k + 1) + u' ';
        m_tracks[std::size_t(k)]->setAccessibleName(player + texts.text(TextId::Track));
        m_repeats[std::size_t(k)]->setAccessibleName(player + texts.text(TextId::RepeatMode));
    }
}

} // namespace quorvan
