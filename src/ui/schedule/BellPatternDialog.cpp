#include "ui/schedule/BellPatternDialog.h"

#include "core/schedule/ClashText.h"
#include "core/schedule/EntryListLogic.h"
#include "core/schedule/SourceSettings.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/ListSupport.h"
#include "ui/common/Prompts.h"
#include "ui/schedule/ZonePowerPanel.h"
#include "ui/sources/LocalMp3Page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace quorvan {

namespace {

QSpinBox* spin(QWidget* parent, const char* name, int low, int high, int value) {
    auto* box = named(new QSpinBox(parent), name);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

} // namespace

BellPatternDialog::BellPatternDialog(AppContext& context, const ScheduleTable& schedule, QWidget* parent)
    : QDialog(parent), m_context(context), m_schedule(schedule) {
    const TextTable& texts = context.texts;
    setObjectName(QStringLiteral("bellPatternDialog"));
    setWindowTitle(texts.text(TextId::BellPatternTitle));
    m_targets.zoneMask[0] = 0xFF; // the host's own zones, as a start

    m_first = named(new QTimeEdit(QTime(8, 0), this), "firstLesson");
    m_first->setDisplayFormat(QStringLiteral("HH:mm"));
    m_lesson = spin(this, "lessonMinutes", 1, 24 * 60, 45);
    m_count = spin(this, "lessonCount", 1, kMaxEntries, 6);
    m_breaks = named(new QLineEdit(QStringLiteral("10"), this), "breakMinutes");
    m_at = named(new QComboBox(this), "bellsAt");
    m_at->addItems(
        {texts.text(TextId::AtLessonStart), texts.text(TextId::AtLessonEnd), texts.text(TextId::AtStartAndEnd)});
    m_at->setCurrentIndex(2);
    m_ring = spin(this, "ringSeconds", 1, 3600, 10);
    auto* days = new QHBoxLayout;
    for (int i = 1; i <= 7; ++i) {
        const int bit = i % 7; // Monday first, Sunday last
        auto* box = new QCheckBox(texts.text(bit == 0 ? TextId::Sunday : TextId::Monday + bit - 1), this);
        box->setObjectName(QStringLiteral("day%1").arg(bit));
        box->setChecked(bit >= 1 && bit <= 5);
        m_days[std::size_t(bit)] = box;
        days->addWidget(box);
    }
    auto* form = new QFormLayout;
    form->addRow(texts.text(TextId::FirstLesson), m_first);
    form->addRow(texts.text(TextId::LessonMinutes), m_lesson);
    form->addRow(texts.text(TextId::LessonCount), m_count);
    form->addRow(texts.text(TextId::BreakMinutes), m_breaks);
    form->addRow(texts.text(TextId::BellsAt), m_at);
    form->addRow(texts.text(TextId::RingSeconds), m_ring);
    form->addRow(days);

    m_zonePower = new ZonePowerPanel(context, m_targets, this);
    m_zonePower->retranslate();
    m_zonePower->showSummaries();
    m_songs = new LocalMp3Page(context, this);
    m_songs->retranslate();
    m_songs->setMinimumSize(LocalMp3Page::kWidth, LocalMp3Page::kHeight);
    // The bells play their songs in order, once: the page's mode lists are not offered here.
    for (const char* mode : {"playModeLabel", "playModeChoice", "repeatModeLabel", "repeatModeChoice"})
        if (auto* w = m_songs->findChild<QWidget*>(QLatin1String(mode)))
            w->hide();
    SourcePanelState card;
    card.onCard = true;
    m_songs->showSelections(card);

    m_preview =
        makeReportList(this, QStringLiteral("bellPreview"), timingListHeadings(texts), {50, 120, 80, 80, 80, 120, 120});
    m_preview->setMinimumHeight(180);
    m_previewLine = named(new QLabel(this), "bellPreviewLine");

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* add = buttons->addButton(texts.text(TextId::Add), QDialogButtonBox::AcceptRole);
    add->setObjectName(QStringLiteral("addBellsButton"));
    QPushButton* cancel = buttons->addButton(texts.text(TextId::CancelButton), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &BellPatternDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addLayout(form);
    auto* right = new QVBoxLayout;
    right->addWidget(m_zonePower);
    right->addWidget(m_songs);
    top->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_previewLine);
    layout->addWidget(m_preview, 1);
    layout->addWidget(buttons);

    // The preview follows every change of the pattern.
    const auto refresh = [this] { showPreview(); };
    connect(m_first, &QTimeEdit::timeChanged, this, refresh);
    for (QSpinBox* box : {m_lesson, m_count, m_ring})
        connect(box, &QSpinBox::valueChanged, this, refresh);
    connect(m_breaks, &QLineEdit::textChanged, this, refresh);
    connect(m_at, &QComboBox::currentIndexChanged, this, refresh);
    for (QCheckBox* box : m_days)
        connect(box, &QCheckBox::toggled, this, refresh);
    connect(m_songs->songList()->model(), &QAbstractItemModel::rowsInserted, this, refresh);
    connect(m_songs->songList()->model(), &QAbstractItemModel::rowsRemoved, this, refresh);
    showPreview();
}

BellPatternDialog::~BellPatternDialog() = default;

bool BellPatternDialog::readPattern(BellPattern& p) const {
    p.firstStart = m_first->time().hour() * 3600 + m_first->time().minute() * 60;
    p.lessonMinutes = m_lesson->value();
    p.lessons = m_count->value();
    p.breakMinutes.clear();
    for (const QString& part : m_breaks->text().split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int minutes = part.trimmed().toInt(&ok);
        if (!ok || minutes < 0 || minutes > 24 * 60)
            return false;
        p.breakMinutes << minutes;
    }
    p.at = m_at->currentIndex() == 0   ? BellPattern::At::Start
           : m_at->currentIndex() == 1 ? BellPattern::At::End
                                       : BellPattern::At::Both;
    p.ringSeconds = m_ring->value();
    p.weekdays = 0;
    for (int bit = 0; bit < 7; ++bit)
        if (m_days[std::size_t(bit)]->isChecked())
            p.weekdays |= 1u << bit;
    std::copy(std::begin(m_targets.zoneMask), std::end(m_targets.zoneMask), p.zoneMask);
    std::copy(std::begin(m_targets.powerMask), std::end(m_targets.powerMask), p.powerMask);
    SourcePanelState state;
    m_songs->readSelections(state);
    p.songs = state.songs;
    p.onCard = state.onCard;
    return true;
}

void BellPatternDialog::showPreview() {
    const TextTable& texts = m_context.texts;
    m_preview->setRowCount(0);
    BellPattern pattern;
    if (!readPattern(pattern)) {
        m_previewLine->setText(texts.text(TextId::BreaksInvalid));
        return;
    }
    const BellsResult bells = makeBells(pattern, m_schedule.count());
    if (!bells.refusal.isEmpty()) {
        m_previewLine->setText(bells.refusal.in(texts));
        return;
    }
    // The rows take the numbers they will have after the schedule's own entries; clashes with those are marked.
    ScheduleTable all = m_schedule;
    all.entries.insert(all.entries.end(), bells.entries.begin(), bells.entries.end());
    const std::vector<Clash> clashes = findClashes(all, all.count());
    static const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    m_preview->setRowCount(int(bells.entries.size()));
    for (int i = 0; i < int(bells.entries.size()); ++i) {
        const int entry = m_schedule.count() + i;
        setRowTexts(m_preview, i, timingRowCells(entry, bells.entries[std::size_t(i)], texts, m_context.names));
        const QStringList lines = clashLines(clashes, entry, texts, m_context.names);
        QTableWidgetItem* number = m_preview->item(i, 0);
        number->setIcon(lines.isEmpty() ? QIcon() : warning);
        number->setToolTip(lines.join(u'\n'));
    }
    m_previewLine->setText(texts.text(TextId::BellsToAdd).arg(bells.entries.size()) + QStringLiteral("  ") +
                           clashCountText(int(clashes.size()), texts));
}

void BellPatternDialog::accept() {
    const TextTable& texts = m_context.texts;
    BellPattern pattern;
    if (!readPattern(pattern)) {
        m_context.prompts.message(texts.text(TextId::Warning), texts.text(TextId::BreaksInvalid),
                                  Prompts::Icon::Warning);
        return;
    }
    BellsResult bells = makeBells(pattern, m_schedule.count());
    if (!bells.refusal.isEmpty()) {
        m_context.prompts.message(texts.text(TextId::Warning), bells.refusal.in(texts), Prompts::Icon::Warning);
        return;
    }
    m_entries = std::move(bells.entries);
    QDialog::accept();
}

} // namespace quorvan
