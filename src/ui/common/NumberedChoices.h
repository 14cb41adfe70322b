#pragma once

#include <QAbstractListModel>

class QComboBox;

namespace quorvan {

// The lines of a choice list that offers an empty line and then the numbers 1..count, each written when it is
// shown instead of being stored: the editors' track, preset and frequency lists (thousands of lines in all)
// cost one small object each.
class NumberedChoices : public QAbstractListModel {
public:
    using Format = QString (*)(int number);

    NumberedChoices(int count, Format format, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    int m_count;
    Format m_format;
};

// "01", "02" … as the players number their tracks.
QString twoDigits(int number);

// Gives box the lines "", format(1) … format(count).
void offerNumbers(QComboBox* box, int count, NumberedChoices::Format format);

} // namespace quorvan
