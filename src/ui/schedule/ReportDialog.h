#pragma once

#include "core/schedule/ScheduleReport.h"

#include <QDialog>
#include <QPrinter>
#include <QTextDocument>

class QPrintPreviewWidget;
class QPushButton;

namespace quorvan {

struct AppContext;

// The report of one schedule as the page will print: a preview, then Print, Save as PDF, Save as CSV and Close.
class ReportDialog : public QDialog {
    Q_OBJECT
public:
    // caption names the schedule; the report is made from its first count entries in the current language.
    ReportDialog(AppContext& context, const QString& caption, const ScheduleTable& table, int count,
                 QWidget* parent = nullptr);
    ~ReportDialog() override;

    const ScheduleReport& report() const { return m_report; }
    QPrintPreviewWidget* preview() const { return m_preview; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* pdfButton() const { return m_pdf; }
    QPushButton* csvButton() const { return m_csv; }

    // Each asks where to (printer or file) and returns false when cancelled or when the file could not be
    // written, which the operator is told.
    bool print();
    bool saveAsPdf();
    bool saveAsCsv();

    // The report as a PDF document: A4 landscape, its fonts embedded so Chinese shows on any computer.
    static QByteArray pdfBytes(const ScheduleReport& report);

private:
    QString chooseFile(int titleText, int filterText, const QString& suffix) const;
    bool writeChosenFile(const QString& path, const QByteArray& bytes);

    AppContext& m_context;
    ScheduleReport m_report;
    QTextDocument m_document;
    QPrinter m_previewPrinter;
    QPrintPreviewWidget* m_preview;
    QPushButton* m_print;
    QPushButton* m_pdf;
    QPushButton* m_csv;
    QPushButton* m_close;
};

} // namespace quorvan
