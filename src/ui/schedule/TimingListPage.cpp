#include "ui/schedule/TimingListPage.h"

#include "core/files/ScheduleFile.h"
#include "core/files/ScheduleTypes.h"
#include "core/history/ChangeRecorder.h"
#include "core/schedule/ClashText.h"
#include "core/schedule/ScheduleCopy.h"
#include "core/schedule/ScheduleModel.h"
#include "core/texts/Problem.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/EditorSplit.h"
#include "ui/common/EnterEscapeFilter.h"
#include "ui/common/ListSupport.h"
#include "ui/common/Messages.h"
#include "ui/common/Prompts.h"
#include "ui/common/ShellActions.h"
#include "ui/schedule/BellPatternDialog.h"
#include "ui/schedule/ChangeDialog.h"
#include "ui/schedule/EntryEditor.h"
#include "ui/schedule/ReportDialog.h"
#include "ui/schedule/WeekView.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QTableWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvan {

TimingListPage::TimingListPage(AppContext& context, ShellActions& shell, QWidget* parent)
    : QWidget(parent), m_context(context), m_shell(shell), m_listArea(new QWidget(this)),
      m_listButton(new QToolButton(m_listArea)), m_weekButton(new QToolButton(m_listArea)),
      m_printButton(new QPushButton(m_listArea)), m_reportButton(new QPushButton(m_listArea)),
      m_bellButton(new QPushButton(m_listArea)), m_views(new QStackedWidget(m_listArea)),
      // The headings in the language the window starts in (measuring them in another would load its fonts).
      m_list(makeReportList(m_views, QStringLiteral("timingList"), timingListHeadings(context.texts),
                            {50, 120, 80, 80, 80, 120, 120})),
      m_weekScroll(new QScrollArea(m_views)), m_week(new WeekView(context)), m_clashLine(new QLabel(m_listArea)),
      m_editor(new EntryEditor(context, this)), m_editorDock(makeEditorDock(this, m_editor)),
      m_split(new EditorSplit(this, m_listArea, m_editorDock, kBand, context.settings,
                              QStringLiteral("timingEditorHeight"))),
      m_rows(m_list), m_logic(m_rows, *this, context.texts, context.names) {
    // List | Week, then Print for the week; the list or the week; the line that counts the clashes.
    for (QToolButton* button : {m_listButton, m_weekButton}) {
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    m_listButton->setObjectName(QStringLiteral("listViewButton"));
    m_weekButton->setObjectName(QStringLiteral("weekViewButton"));
    m_printButton->setObjectName(QStringLiteral("printWeekButton"));
    m_printButton->setAutoDefault(false);
    m_reportButton->setObjectName(QStringLiteral("reportButton"));
    m_reportButton->setAutoDefault(false);
    m_bellButton->setObjectName(QStringLiteral("bellPatternButton"));
    m_bellButton->setAutoDefault(false);
    m_listButton->setChecked(true);
    m_weekScroll->setObjectName(QStringLiteral("weekScroll"));
    m_weekScroll->setWidget(m_week);
    m_weekScroll->setWidgetResizable(true);
    // The day names are painted at the top of the part in view: a scroll repaints the whole view.
    connect(m_weekScroll->verticalScrollBar(), &QScrollBar::valueChanged, m_week, qOverload<>(&QWidget::update));
    m_weekScroll->setFrameShape(QFrame::StyledPanel);
    m_views->addWidget(m_list);
    m_views->addWidget(m_weekScroll);
    m_clashLine->setObjectName(QStringLiteral("clashLine"));
    m_clashLine->setStyleSheet(QStringLiteral("color: #b01c1c;"));
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(m_listButton);
    bar->addWidget(m_weekButton);
    bar->addStretch(1);
    bar->addWidget(m_printButton);
    bar->addWidget(m_bellButton);
    bar->addWidget(m_reportButton);
    auto* area = new QVBoxLayout(m_listArea);
    area->setContentsMargins(0, 0, 0, 0);
    area->setSpacing(2);
    area->addLayout(bar);
    area->addWidget(m_views, 1);
    area->addWidget(m_clashLine);
    connect(m_listButton, &QToolButton::toggled, this, [this](bool on) {
        if (on)
            showWeek(false);
    });
    connect(m_weekButton, &QToolButton::toggled, this, [this](bool on) {
        if (on)
            showWeek(true);
    });
    connect(m_printButton, &QPushButton::clicked, this, [this] { printWeek(); });
    connect(m_reportButton, &QPushButton::clicked, this, [this] { openReport(); });
    connect(m_bellButton, &QPushButton::clicked, this, [this] { openBellPattern(); });
    connect(m_week, &WeekView::entryClicked, this, [this](int entry, bool adding) {
        if (entry < 0 || entry >= m_list->rowCount())
            return;
        // The list notifies the selection as if the row were clicked (with Ctrl: added or taken out).
        if (adding)
            m_list->selectionModel()->select(m_list->model()->index(entry, 0),
                                             QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
        else
            m_list->selectRow(entry);
    });
    connect(m_list, &QTableWidget::itemSelectionChanged, this, [this] { m_week->setSelected(m_rows.selectedRows()); });
    m_printButton->setVisible(false);
    connect(m_editor, &EntryEditor::newRequested, this, [this] { m_logic.newEntry(); });
    connect(m_editor, &EntryEditor::saveRequested, this, [this] { m_logic.saveEntry(); });
    connect(m_editor, &EntryEditor::deleteRequested, this, [this] { m_logic.deleteEntry(); });
    connect(m_list, &QTableWidget::itemSelectionChanged, this,
            [this] { m_logic.followSelection(m_list->currentRow()); });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) { m_logic.followSelection(row); });
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_selectionLine = new QLabel(this);
    m_selectionLine->setObjectName(QStringLiteral("selectionLine"));
    m_selectionLine->hide();
    buildRowActions();
    discardEnterAndEscape(this);
    layoutPage();
    retranslate();
}

TimingListPage::~TimingListPage() = default;

void TimingListPage::buildRowActions() {
    // New, Duplicate and Delete in the rows' context menu, with their keys working while the list has focus.
    const auto action = [this](const char* name, const QKeySequence& keys, auto slot) {
        auto* a = new QAction(this);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        a->setShortcutVisibleInContextMenu(true);
        connect(a, &QAction::triggered, this, slot);
        m_list->addAction(a);
        return a;
    };
    m_newAction = action("newEntryAction", QKeySequence::New, [this] { m_logic.newEntry(); });
    m_duplicateAction =
        action("duplicateEntryAction", QKeySequence(Qt::CTRL | Qt::Key_D), [this] { m_logic.duplicateSelected(); });
    m_deleteAction = action("deleteEntryAction", QKeySequence::Delete, [this] { m_logic.deleteSelected(); });
    m_shiftAction = action("shiftTimesAction", QKeySequence(), [this] { askShift(); });
    m_copyToAction = action("copyToAction", QKeySequence(), [this] { askCopyTo(); });
    m_changeAction = action("changeEntriesAction", QKeySequence(), [this] { askChange(); });
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = rowMenu();
        menu->popup(m_list->viewport()->mapToGlobal(at));
    });
}

QMenu* TimingListPage::rowMenu() {
    // The press that opened the menu has selected the row under it (the editor shows it, or the operator stayed
    // on the entry with unsaved edits); the actions apply to the entry the editor shows.
    auto* menu = new QMenu(m_list);
    menu->setObjectName(QStringLiteral("entryMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const ScheduleDocument* document = m_logic.document();
    const bool stored = m_logic.severalSelected() ||
                        (document && m_list->currentRow() >= 0 && m_list->currentRow() < document->count());
    m_shiftAction->setEnabled(stored);
    m_copyToAction->setEnabled(stored);
    m_changeAction->setEnabled(stored);
    m_duplicateAction->setEnabled(stored);
    m_deleteAction->setEnabled(stored || m_logic.newRowPending());
    menu->addAction(m_newAction);
    menu->addAction(m_duplicateAction);
    menu->addSeparator();
    menu->addAction(m_shiftAction);
    menu->addAction(m_changeAction);
    menu->addAction(m_copyToAction);
    menu->addSeparator();
    menu->addAction(m_deleteAction);
    // The whole schedule to and from a spreadsheet.
    menu->addSeparator();
    const int current = m_context.model.currentIndex();
    menu->addAction(m_context.texts.text(TextId::ExportEntries), this,
                    [this, current] { m_shell.exportEntries(current); })
        ->setObjectName(QStringLiteral("exportEntriesAction"));
    menu->addAction(m_context.texts.text(TextId::ImportEntries), this,
                    [this, current] { m_shell.importEntries(current); })
        ->setObjectName(QStringLiteral("importEntriesAction"));
    // The keys work whenever the list has focus; the logic itself refuses what does not apply.
    connect(menu, &QMenu::aboutToHide, this, [this] {
        m_duplicateAction->setEnabled(true);
        m_deleteAction->setEnabled(true);
        m_shiftAction->setEnabled(true);
        m_copyToAction->setEnabled(true);
        m_changeAction->setEnabled(true);
    });
    return menu;
}

int TimingListPage::showDocument(ScheduleDocument* document) {
    ++m_tablesShown;
    const int shown = m_logic.showDocument(document);
    showClashes();
    return shown;
}

void TimingListPage::showWeek(bool week) {
    m_views->setCurrentWidget(week ? static_cast<QWidget*>(m_weekScroll) : static_cast<QWidget*>(m_list));
    m_printButton->setVisible(week);
    if (week != m_weekButton->isChecked())
        (week ? m_weekButton : m_listButton)->setChecked(true);
    if (week) {
        // School hours first: the view opens at 07:00.
        m_weekScroll->verticalScrollBar()->setValue(WeekView::kHeaderHeight + 7 * WeekView::kHourHeight - 4);
    }
}

bool TimingListPage::weekShown() const {
    return m_views->currentWidget() == m_weekScroll;
}

bool TimingListPage::printWeek() {
    const QString title = m_context.texts.text(TextId::WeekTitle).arg(m_context.model.current().caption);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(title);
    if (!m_context.prompts.choosePrinter(printer, title))
        return false;
    QPainter painter(&printer);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    // Lay the week out in screen-sized units and scale them onto the page, so that text keeps its proportions.
    const QSizeF logical(1100, 760);
    const double scale = std::min(page.width() / logical.width(), page.height() / logical.height());
    painter.scale(scale, scale);
    // A size in those units, not in points: points are the printer's own (1200 to the inch) and would be scaled
    // once more.
    QFont font = m_week->font();
    font.setPixelSize(11);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    painter.drawText(QRectF(0, 0, logical.width(), metrics.height() * 1.6), Qt::AlignLeft | Qt::AlignVCenter, title);
    m_week->paint(painter,
                  QRectF(0, metrics.height() * 1.8, logical.width(), logical.height() - metrics.height() * 1.8), -1,
                  false);
    return painter.end();
}

void TimingListPage::openReport() {
    const ScheduleDocument* document = m_logic.document();
    if (!document)
        return;
    ReportDialog dialog(m_context, document->info().caption, document->table(), document->count(), this);
    dialog.exec();
}

void TimingListPage::openBellPattern() {
    const ScheduleDocument* document = m_logic.document();
    if (!document)
        return;
    BellPatternDialog dialog(m_context, document->table(), this);
    if (dialog.exec() == QDialog::Accepted)
        addBells(dialog.entries());
}

bool TimingListPage::addBells(const std::vector<TimingEntry>& entries) {
    return m_logic.appendEntries(entries);
}

void TimingListPage::showClashes(int saved) {
    const ScheduleDocument* document = m_logic.document();
    const ScheduleTable* table = document ? &document->table() : nullptr;
    const std::vector<Clash> before = m_clashes;
    m_clashes = table ? findClashes(*table, table->count()) : std::vector<Clash>{};
    const TextTable& texts = m_context.texts;
    for (int row = 0; row < m_list->rowCount(); ++row) {
        QTableWidgetItem* number = m_list->item(row, 0);
        if (!number)
            continue;
        const QStringList lines = clashLines(m_clashes, row, texts, m_context.names);
        // The icon is looked up in the desktop's theme when a first clash shows it, not at start.
        number->setIcon(lines.isEmpty() ? QIcon() : style()->standardIcon(QStyle::SP_MessageBoxWarning));
        number->setToolTip(lines.join(u'\n'));
    }
    QString line = clashCountText(int(m_clashes.size()), texts);
    if (saved >= 0) {
        for (const Clash& c : m_clashes) {
            if (c.first != saved && c.second != saved)
                continue;
            const bool known = std::any_of(before.begin(), before.end(), [&](const Clash& old) {
                return old.first == c.first && old.second == c.second;
            });
            if (!known) {
                const int other = c.first == saved ? c.second : c.first;
                line = texts.text(TextId::NewClash).arg(saved + 1).arg(other + 1) + QStringLiteral("  ") + line;
                break;
            }
        }
    }
    m_clashLine->setText(line);
    m_week->showSchedule(table, table ? table->count() : 0, m_clashes, m_list->currentRow());
    m_week->setSelected(m_rows.selectedRows());
}

void TimingListPage::showRow(int row, const TimingEntry* entry) {
    m_logic.showRow(row, entry);
}

void TimingListPage::layoutPage() {
    m_editor->fitWidth(width());
    m_split->fit();
}

void TimingListPage::retranslate() {
    m_editor->retranslate();
    setHeadings(m_list, timingListHeadings(m_context.texts));
    m_list->setAccessibleName(m_context.texts.text(TextId::TimingEntries));
    const TextTable& texts = m_context.texts;
    m_newAction->setText(texts.text(TextId::New));
    m_duplicateAction->setText(texts.text(TextId::DuplicateEntry));
    m_deleteAction->setText(texts.text(TextId::Delete));
    m_shiftAction->setText(texts.text(TextId::ShiftTimes));
    m_copyToAction->setText(texts.text(TextId::CopyToButton));
    m_changeAction->setText(texts.text(TextId::ChangeButton));
    if (m_logic.severalSelected())
        showSelectionCount(int(m_logic.selectedEntries().size()));
    m_listButton->setText(texts.text(TextId::ListView));
    m_listButton->setAccessibleName(texts.text(TextId::ListView));
    m_weekButton->setText(texts.text(TextId::WeekView));
    m_weekButton->setAccessibleName(texts.text(TextId::WeekView));
    m_printButton->setText(texts.text(TextId::PrintButton));
    m_reportButton->setText(texts.text(TextId::ReportButton));
    m_bellButton->setText(texts.text(TextId::BellPatternButton));
    m_week->setAccessibleName(texts.text(TextId::WeekView));
    m_weekScroll->setAccessibleName(texts.text(TextId::WeekView));
    showClashes();
    // Texts of another length may call for the other arrangement of the editor.
    layoutPage();
}

void TimingListPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPage();
}

void TimingListPage::loadEntry(int, const TimingEntry& entry) {
    m_editor->loadEntry(entry);
}

TimingEntry TimingListPage::storeEntry() {
    return m_editor->storeEntry();
}

template <class Write> bool TimingListPage::keepingEdit(Write&& write) {
    const EntryListLogic::EditorPlace place = m_logic.editorPlace();
    const TimingEntry edit = m_editor->currentEdit();
    const int shownBefore = m_tablesShown;
    if (write())
        return true;
    if (m_tablesShown != shownBefore) {
        m_logic.returnTo(place);
        m_editor->showEdit(edit);
    }
    return false;
}

bool TimingListPage::mayWrite() {
    return keepingEdit([this] { return m_shell.mayWriteDocument(); });
}

bool TimingListPage::saveDocument(EntryChange change, int entry, int count, const QString& detail) {
    const bool several = count > 1;
    const StepLabel::Kind kind =
        change == EntryChange::Bells     ? StepLabel::Kind::AddBells
        : change == EntryChange::Shifted ? StepLabel::Kind::ShiftEntries
        : change == EntryChange::Added   ? (several ? StepLabel::Kind::DuplicateEntries : StepLabel::Kind::AddEntry)
        : change == EntryChange::Deleted ? (several ? StepLabel::Kind::DeleteEntries : StepLabel::Kind::DeleteEntry)
                                         : (several ? StepLabel::Kind::ChangeEntries : StepLabel::Kind::ChangeEntry);
    // The edit the editor now counts as stored goes back into it, unsaved, when the write fails.
    const bool saved = keepingEdit([&] {
        return m_shell.saveDocument({kind, m_context.model.current().fileName, entry, detail, count});
    });
    // Saving is never refused for a clash: the line under the list names a new one.
    if (saved)
        showClashes(change == EntryChange::Deleted ? -1 : entry);
    return saved;
}

void TimingListPage::showSelectionCount(int count) {
    // The editor shows no entry of several: its controls are off, and a line over it says how many.
    m_editor->setEnabled(count < 2);
    if (count < 2) {
        m_selectionLine->hide();
        return;
    }
    m_selectionLine->setText(m_context.texts.text(TextId::EntriesSelected).arg(count));
    m_selectionLine->adjustSize();
    m_selectionLine->move(m_editorDock->geometry().topLeft() + QPoint(12, 0));
    m_selectionLine->raise();
    m_selectionLine->show();
}

bool TimingListPage::confirmDelete(int count) {
    enum { Delete, Cancel };
    const TextTable& texts = m_context.texts;
    return m_context.prompts.question(texts.text(TextId::Message), texts.text(TextId::DeleteEntriesQuestion).arg(count),
                                      {texts.text(TextId::Delete), texts.text(TextId::CancelButton)}, Cancel) == Delete;
}

void TimingListPage::shiftSelection(int seconds) {
    const QList<int> refused = m_logic.shiftSelected(seconds);
    if (refused.isEmpty())
        return;
    QStringList lines{m_context.texts.text(TextId::ShiftRefused)};
    for (const int i : refused)
        lines << Problem{TextId::ShiftLeavesTheDay, {QString::number(i + 1)}}.in(m_context.texts);
    m_context.prompts.message(m_context.texts.text(TextId::Warning), lines.join(u'\n'), Prompts::Icon::Warning);
}

void TimingListPage::askShift() {
    const int count = std::max<int>(1, int(m_logic.selectedEntries().size()));
    const TextTable& texts = m_context.texts;
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("shiftDialog"));
    dialog.setWindowTitle(texts.text(TextId::ShiftTitle).arg(count));
    auto* later = new QRadioButton(texts.text(TextId::ShiftLater), &dialog);
    later->setObjectName(QStringLiteral("laterChoice"));
    auto* earlier = new QRadioButton(texts.text(TextId::ShiftEarlier), &dialog);
    earlier->setObjectName(QStringLiteral("earlierChoice"));
    later->setChecked(true);
    auto* offset = new QTimeEdit(QTime(0, 10, 0), &dialog);
    offset->setObjectName(QStringLiteral("offsetTime"));
    offset->setDisplayFormat(QStringLiteral("H:mm:ss"));
    offset->setAccessibleName(texts.text(TextId::ShiftTimes));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    auto* direction = new QHBoxLayout;
    direction->addWidget(later);
    direction->addWidget(earlier);
    layout->addLayout(direction);
    layout->addWidget(offset);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int seconds = offset->time().msecsSinceStartOfDay() / 1000;
    if (seconds > 0)
        shiftSelection(earlier->isChecked() ? -seconds : seconds);
}

QList<int> TimingListPage::chosenEntries() const {
    if (m_logic.severalSelected())
        return m_logic.selectedEntries();
    const EntryListLogic::EditorPlace place = m_logic.editorPlace();
    const ScheduleDocument* document = m_logic.document();
    return document && !place.newRow && place.row >= 0 && place.row < document->count() ? QList<int>{place.row}
                                                                                        : QList<int>{};
}

bool TimingListPage::copySelectionTo(int documentIndex) {
    const QList<int> chosen = chosenEntries();
    const std::vector<DocumentInfo>& documents = m_context.model.documents();
    if (chosen.isEmpty() || documentIndex < 0 || std::size_t(documentIndex) >= documents.size() ||
        documentIndex == m_context.model.currentIndex())
        return false;
    std::vector<TimingEntry> copies;
    for (const int i : chosen)
        copies.push_back(m_logic.document()->entry(i));
    const DocumentInfo& target = documents[std::size_t(documentIndex)];
    const QString programFolder = m_context.model.programFolder();
    // The target file is kept and recorded before it is written: the copy is one undoable step.
    ChangeRecorder recorder(dataFolderPath(programFolder), {target.fileName}, &m_context.backups);
    const CopyOutcome outcome = appendCopies(programFolder, target, copies);
    const TextTable& texts = m_context.texts;
    if (outcome.refusal != 0) {
        m_context.prompts.message(texts.text(TextId::Warning), texts.text(outcome.refusal), Prompts::Icon::Stop);
        return false;
    }
    if (!outcome.save.ok) {
        m_context.prompts.message(texts.text(TextId::Warning), saveFailureText(texts, outcome.save),
                                  Prompts::Icon::Stop);
        return false;
    }
    m_shell.addStep(recorder.finish({StepLabel::Kind::Copy, target.fileName, -1, {}, int(copies.size())}));
    return true;
}

void TimingListPage::changeSelection(const BulkChange& change) {
    const Problem refusal = m_logic.changeSelected(change);
    if (!refusal.isEmpty())
        m_context.prompts.message(m_context.texts.text(TextId::Warning), refusal.in(m_context.texts),
                                  Prompts::Icon::Warning);
}

void TimingListPage::askChange() {
    const QList<int> chosen = chosenEntries();
    if (chosen.isEmpty())
        return;
    ChangeDialog dialog(m_context, int(chosen.size()), this);
    if (dialog.exec() == QDialog::Accepted)
        changeSelection(dialog.change());
}

void TimingListPage::askCopyTo() {
    const QList<int> chosen = chosenEntries();
    if (chosen.isEmpty())
        return;
    const TextTable& texts = m_context.texts;
    QStringList captions;
    QList<int> positions;
    const std::vector<DocumentInfo>& documents = m_context.model.documents();
    for (std::size_t i = 0; i < documents.size(); ++i)
        if (documents[i].kind == DocumentKind::NormalSchedule && int(i) != m_context.model.currentIndex()) {
            captions << documents[i].caption;
            positions << int(i);
        }
    bool ok = false;
    const QString chosenCaption = QInputDialog::getItem(this, texts.text(TextId::CopyToTitle).arg(chosen.size()),
                                                        texts.text(TextId::CopyToWhere), captions, 0, false, &ok);
    if (ok)
        copySelectionTo(positions.value(int(captions.indexOf(chosenCaption)), -1));
}

void TimingListPage::listFull() {
    // The caption is the same in both languages.
    m_context.prompts.message(QStringLiteral("错误"), m_context.texts.text(TextId::ListFull), Prompts::Icon::Stop);
}

bool TimingListPage::hasUnsavedChanges() {
    return m_editor->hasUnsavedChanges();
}

LeaveAnswer TimingListPage::askToLeave() {
    return askToLeaveEntry(m_context.prompts, m_context.texts);
}

bool TimingListPage::entryCanBeSaved() {
    return m_editor->timesCanBeSaved();
}

} // namespace quorvan
