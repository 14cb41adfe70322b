#include "ui/schedule/ReportDialog.h"

#include "core/files/AtomicFile.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompts.h"

#include <QBuffer>
#include <QDir>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvan {

namespace {

constexpr int kTextWarning = 154;

// A4 across, with margins that every office printer can reach.
QPageLayout reportPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12),
                       QPageLayout::Millimeter);
}

// The report laid out on pages of the report's own size, so that the preview, the printer and the PDF break the
// table at the same rows; the heading row repeats on every page. The page is measured in 96-dpi pixels, the unit
// text is laid out in, and printing scales it onto the device's page.
void fillDocument(QTextDocument& document, const ScheduleReport& report) {
    QFont font = document.defaultFont();
    font.setPointSizeF(9);
    document.setDefaultFont(font);
    document.setDocumentMargin(0);
    const QRectF paint = reportPageLayout().paintRect(QPageLayout::Inch);
    document.setPageSize(QSizeF(paint.width() * 96, paint.height() * 96));
    document.setHtml(reportHtml(report));
}

} // namespace

ReportDialog::ReportDialog(AppContext& context, const QString& caption, const ScheduleTable& table, int count,
                           QWidget* parent)
    : QDialog(parent), m_context(context),
      m_report(makeScheduleReport(context.texts.text(TextId::ReportTitle).arg(caption), table, count, context.texts,
                                  context.names)),
      m_previewPrinter(QPrinter::ScreenResolution), m_preview(new QPrintPreviewWidget(&m_previewPrinter, this)),
      m_print(new QPushButton(this)), m_pdf(new QPushButton(this)), m_csv(new QPushButton(this)),
      m_close(new QPushButton(this)) {
    const TextTable& texts = context.texts;
    setWindowTitle(m_report.title);
    fillDocument(m_document, m_report);
    m_previewPrinter.setPageLayout(reportPageLayout());
    m_previewPrinter.setDocName(m_report.title);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { m_document.print(printer); });
    m_preview->setObjectName(QStringLiteral("reportPreview"));
    m_preview->setAccessibleName(m_report.title);

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
    buttons->addWidget(m_print);
    buttons->addWidget(m_pdf);
    buttons->addWidget(m_csv);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_preview, 1);
    layout->addLayout(buttons);
    resize(960, 680);
    m_preview->fitToWidth();
}

ReportDialog::~ReportDialog() = default;

bool ReportDialog::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(reportPageLayout());
    printer.setDocName(m_report.title);
    if (!m_context.prompts.choosePrinter(printer, m_report.title))
        return false;
    m_document.print(&printer);
    return true;
}

QByteArray ReportDialog::pdfBytes(const ScheduleReport& report) {
    QTextDocument document;
    fillDocument(document, report);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(reportPageLayout());
        writer.setResolution(300);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("Quorvan"));
        document.print(&writer);
    } // the writer finishes the file when it goes
    return bytes;
}

QString ReportDialog::chooseFile(int titleText, int filterText, const QString& suffix) const {
    const TextTable& texts = m_context.texts;
    QString title = texts.text(titleText);
    if (title.endsWith(QStringLiteral("...")))
        title.chop(3);
    const QString suggested = QDir::home().filePath(m_report.title + u'.' + suffix);
    return m_context.prompts.chooseSaveFile(title, texts.text(filterText), suggested);
}

bool ReportDialog::writeChosenFile(const QString& path, const QByteArray& bytes) {
    const SaveResult written = writeFileAtomically(path, bytes);
    if (!written) {
        m_context.prompts.message(m_context.texts.text(kTextWarning),
                                  m_context.texts.text(TextId::ReportNotSaved) + u'\n' + written.error,
                                  Prompts::Icon::Stop);
    }
    return written.ok;
}

bool ReportDialog::saveAsPdf() {
    const QString path = chooseFile(TextId::SaveAsPdf, TextId::PdfFiles, QStringLiteral("pdf"));
    return !path.isEmpty() && writeChosenFile(path, pdfBytes(m_report));
}

bool ReportDialog::saveAsCsv() {
    const QString path = chooseFile(TextId::SaveAsCsv, TextId::CsvFiles, QStringLiteral("csv"));
    return !path.isEmpty() && writeChosenFile(path, reportCsv(m_report));
}

} // namespace quorvan
