#pragma once

#include "core/schedule/ScheduleReport.h"
#include "ui/schedule/ReportPages.h"

#include <QDialog>
#include <QTimer>

class QAbstractScrollArea;
class QIODevice;
class QLabel;
class QPagedPaintDevice;
class QPrinter;
class QPushButton;

namespace quorvan {

struct AppContext;

// The report of one schedule as the page will print: a preview, then Print, Save as PDF, Save as CSV and Close.
// The preview shows the first pages at once and lays out the rest between the window's events; printing and the
// PDF run with a progress dialog and Cancel.
class ReportDialog : public QDialog {
    Q_OBJECT
public:
    // caption names the schedule; the report is made from its first count entries in the current language.
    ReportDialog(AppContext& context, const QString& caption, const ScheduleTable& table, int count,
                 QWidget* parent = nullptr);
    ~ReportDialog() override;

    const ScheduleReport& report() const { return m_report; }
    const ReportPages& pages() const { return m_pages; }
    QAbstractScrollArea* preview() const { return m_preview; }
    QLabel* pageLine() const { return m_pageLine; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* pdfButton() const { return m_pdf; }
    QPushButton* csvButton() const { return m_csv; }

    // Each asks where to (printer or file) and returns false when cancelled (there or in the progress dialog) or
    // when the file could not be written, which the operator is told.
    bool print();
    bool saveAsPdf();
    bool saveAsCsv();
    // The whole report as a PDF into out (A4 across, fonts embedded so that Chinese shows on any computer),
    // behind the progress dialog; false when cancelled.
    bool writePdf(QIODevice& out);

private:
    void layoutMore();
    void showPageLine();
    // Paints every page onto the device, the layout finished first, behind a progress dialog; false when
    // cancelled.
    bool paintAll(QPagedPaintDevice& device, QPrinter* printer);
    QString chooseFile(int titleText, int filterText, const QString& suffix) const;
    bool writeChosenFile(const QString& path, const QByteArray& bytes);

    AppContext& m_context;
    ScheduleReport m_report;
    ReportPages m_pages;
    QTimer m_layoutTimer;
    QAbstractScrollArea* m_preview;
    QLabel* m_pageLine;
    QPushButton* m_print;
    QPushButton* m_pdf;
    QPushButton* m_csv;
    QPushButton* m_close;
};

} // namespace quorvan
