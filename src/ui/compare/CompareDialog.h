#pragma once

#include "core/schedule/ScheduleCompare.h"

#include <QDialog>

class QPushButton;

namespace quorvan {

class ComparisonView;
class NameTables;
class TextTable;

// A comparison of two versions of a document in a window of its own, to look at and close.
class CompareDialog : public QDialog {
    Q_OBJECT
public:
    CompareDialog(const TextTable& texts, const NameTables& names, const QString& beforeCaption,
                  const ComparedFile& before, const QString& afterCaption, const ComparedFile& after, DocumentKind kind,
                  QWidget* parent = nullptr);

    ComparisonView* view() const { return m_view; }
    QPushButton* closeButton() const { return m_close; }

private:
    ComparisonView* m_view;
    QPushButton* m_close;
};

} // namespace quorvan
