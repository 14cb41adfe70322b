#include "ui/schedule/ReportDialog.h"

#include "core/files/AtomicFile.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/Messages.h"
#include "ui/common/Prompts.h"

#include <QAbstractScrollArea>
#include <QBuffer>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace quorvan {

namespace {

constexpr int kFirstLayoutMs = 60; // what the preview lays out before it first shows
constexpr int kLayoutStepMs = 25;  // each step of the rest, between the window's events

// A4 across, with margins that every office printer can reach.
QPageLayout reportPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12),
                       QPageLayout::Millimeter);
}

// A rectangle of the page layout in 96-dpi pixels, the unit the report is laid out in.
QRectF inPixels(const QRectF& inches) {
    return {inches.x() * 96, inches.y() * 96, inches.width() * 96, inches.height() * 96};
}

// The pages one under the other, as wide as the view, each painted only while it is in view.
class PagePreview : public QAbstractScrollArea {
public:
    PagePreview(const ReportPages& pages, QWidget* parent) : QAbstractScrollArea(parent), m_pages(pages) {
        const QPageLayout layout = reportPageLayout();
        m_paper = inPixels(layout.fullRect(QPageLayout::Inch)).size();
        m_printable = inPixels(layout.paintRect(QPageLayout::Inch));
        setFocusPolicy(Qt::StrongFocus);
        verticalScrollBar()->setSingleStep(40);
        viewport()->setBackgroundRole(QPalette::Dark);
        viewport()->setAutoFillBackground(true);
    }

    // The layout went on: the scroll range grows and the pages in view are painted again.
    void pagesChanged() {
        updateRange();
        viewport()->update();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QAbstractScrollArea::resizeEvent(event);
        updateRange();
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(viewport());
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const double scale = this->scale();
        const double step = pageStep();
        const int top = verticalScrollBar()->value();
        const int first = std::max(0, int((top - kGap) / step));
        const int total = m_pages.done() ? m_pages.pageCount() : 0;
        for (int page = first; page < m_pages.pageCount(); ++page) {
            const double y = kGap + page * step - top;
            if (y > viewport()->height())
                break;
            const QRectF paper(kGap, y, m_paper.width() * scale, m_paper.height() * scale);
            painter.fillRect(paper, Qt::white);
            painter.setPen(palette().color(QPalette::Shadow));
            painter.drawRect(paper);
            painter.save();
            painter.translate(paper.left() + m_printable.left() * scale, paper.top() + m_printable.top() * scale);
            painter.scale(scale, scale);
            m_pages.paintPage(painter, page, total);
            painter.restore();
        }
    }

private:
    static constexpr double kGap = 12;

    double scale() const { return std::max(0.05, (viewport()->width() - 2 * kGap) / m_paper.width()); }
    double pageStep() const { return m_paper.height() * scale() + kGap; }
    void updateRange() {
        const int height = int(std::ceil(kGap + m_pages.pageCount() * pageStep()));
        verticalScrollBar()->setPageStep(viewport()->height());
        verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    }

    const ReportPages& m_pages;
    QSizeF m_paper;
    QRectF m_printable;
};

} // namespace

ReportDialog::ReportDialog(AppContext& context, const QString& caption, const ScheduleTable& table, int count,
                           QWidget* parent)
    : QDialog(parent), m_context(context),
      m_report(makeScheduleReport(context.texts.text(TextId::ReportTitle).arg(caption), table, count, context.texts,
                                  context.names)),
      m_pages(m_report, inPixels(reportPageLayout().paintRect(QPageLayout::Inch)).size(),
              context.texts.text(TextId::PageOfPages)),
      m_preview(new PagePreview(m_pages, this)), m_pageLine(new QLabel(this)), m_print(new QPushButton(this)),
      m_pdf(new QPushButton(this)), m_csv(new QPushButton(this)), m_close(new QPushButton(this)) {
    const TextTable& texts = context.texts;
    setWindowTitle(m_report.title);
    m_preview->setObjectName(QStringLiteral("reportPreview"));
    m_preview->setAccessibleName(m_report.title);
    m_pageLine->setObjectName(QStringLiteral("reportPageLine"));

    m_print->setText(texts.text(TextId::PrintButton));
    m_pdf->setText(texts.text(TextId::SaveAsPdf));
    m_csv->setText(texts.text(TextId::SaveAsCsv));
    m_close->setText(texts.text(TextId::CloseButton));
    m_print->setObjectName(QStringLiteral("reportPrint"));
    m_pdf->setObjectName(QStringLiteral("reportPdf"));
    m_csv->setObjectName(QStringLiteral("reportCsv"));
    m_close->setObjectName(QStringLiteral("reportClose"));
    for (QPushButton* b : {m_print, m_pdf, m_csv})
        b->setAutoDefault(false);
    m_close->setDefault(true);
    connect(m_print, &QPushButton::clicked, this, [this] { print(); });
    connect(m_pdf, &QPushButton::clicked, this, [this] { saveAsPdf(); });
    connect(m_csv, &QPushButton::clicked, this, [this] { saveAsCsv(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pageLine);
    buttons->addStretch(1);
    buttons->addWidget(m_print);
    buttons->addWidget(m_pdf);
    buttons->addWidget(m_csv);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_preview, 1);
    layout->addLayout(buttons);
    resize(960, 680);

    // The first pages now; the rest a little at a time while the dialog takes input.
    m_pages.layoutFor(kFirstLayoutMs);
    m_layoutTimer.setInterval(0);
    connect(&m_layoutTimer, &QTimer::timeout, this, [this] { layoutMore(); });
    if (!m_pages.done())
        m_layoutTimer.start();
    showPageLine();
}

ReportDialog::~ReportDialog() = default;

void ReportDialog::layoutMore() {
    if (m_pages.layoutFor(kLayoutStepMs))
        m_layoutTimer.stop();
    static_cast<PagePreview*>(m_preview)->pagesChanged();
    showPageLine();
}

void ReportDialog::showPageLine() {
    const TextTable& texts = m_context.texts;
    m_pageLine->setText(m_pages.done() ? texts.text(TextId::PageCount).arg(m_pages.pageCount())
                                       : texts.text(TextId::LayingOutPages).arg(m_pages.pageCount()));
}

bool ReportDialog::paintAll(QPagedPaintDevice& device, QPrinter* printer) {
    const TextTable& texts = m_context.texts;
    QProgressDialog progress(this);
    progress.setWindowTitle(m_report.title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setCancelButtonText(texts.text(TextId::CancelButton));
    progress.setMinimumDuration(400);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumWidth(360);
    progress.setRange(0, m_pages.rowCount());
    progress.setValue(0);
    // The page count the footers give is known once every row is laid out.
    while (!m_pages.layoutFor(kLayoutStepMs)) {
        progress.setLabelText(texts.text(TextId::LayingOutPages).arg(m_pages.pageCount()));
        progress.setValue(m_pages.rowsLaidOut()); // a modal dialog handles the events here, Cancel included
        if (progress.wasCanceled())
            return false;
    }
    m_layoutTimer.stop();
    layoutMore();

    const int total = m_pages.pageCount();
    progress.setRange(0, total);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double scaleX = device.logicalDpiX() / 96.0;
    const double scaleY = device.logicalDpiY() / 96.0;
    for (int page = 0; page < total; ++page) {
        progress.setLabelText(texts.text(TextId::PrintingPage).arg(page + 1).arg(total));
        progress.setValue(page);
        if (progress.wasCanceled()) {
            if (printer)
                printer->abort(); // nothing of the job reaches the printer
            painter.end();
            return false;
        }
        if (page > 0)
            device.newPage();
        painter.save();
        painter.scale(scaleX, scaleY);
        m_pages.paintPage(painter, page, total);
        painter.restore();
    }
    progress.setValue(total);
    return painter.end();
}

bool ReportDialog::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(reportPageLayout());
    printer.setDocName(m_report.title);
    if (!m_context.prompts.choosePrinter(printer, m_report.title))
        return false;
    return paintAll(printer, &printer);
}

QString ReportDialog::chooseFile(int titleText, int filterText, const QString& suffix) const {
    const TextTable& texts = m_context.texts;
    const QString title = dialogTitle(texts, titleText);
    const QString suggested = QDir::home().filePath(m_report.title + u'.' + suffix);
    return m_context.prompts.chooseSaveFile(title, texts.text(filterText), suggested);
}

bool ReportDialog::writeChosenFile(const QString& path, const QByteArray& bytes) {
    const SaveResult written = writeFileAtomically(path, bytes);
    if (!written) {
        m_context.prompts.message(m_context.texts.text(TextId::Warning),
                                  m_context.texts.text(TextId::ReportNotSaved) + u'\n' +
                                      written.reason(m_context.texts),
                                  Prompts::Icon::Stop);
    }
    return written.ok;
}

bool ReportDialog::writePdf(QIODevice& out) {
    QPdfWriter writer(&out); // it finishes the file when it goes, before this returns
    writer.setPageLayout(reportPageLayout());
    writer.setResolution(300);
    writer.setTitle(m_report.title);
    writer.setCreator(QStringLiteral("Quorvan"));
    return paintAll(writer, nullptr);
}

bool ReportDialog::saveAsPdf() {
    const QString path = chooseFile(TextId::SaveAsPdf, TextId::PdfFiles, QStringLiteral("pdf"));
    if (path.isEmpty())
        return false;
    // The PDF is made in memory and written whole, or not at all when cancelled.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return writePdf(buffer) && writeChosenFile(path, bytes);
}

bool ReportDialog::saveAsCsv() {
    const QString path = chooseFile(TextId::SaveAsCsv, TextId::CsvFiles, QStringLiteral("csv"));
    return !path.isEmpty() && writeChosenFile(path, reportCsv(m_report));
}

} // namespace quorvan
