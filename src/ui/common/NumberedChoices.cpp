#include "ui/common/NumberedChoices.h"

#include <QComboBox>

namespace quorvan {

NumberedChoices::NumberedChoices(int count, Format format, QObject* parent)
    : QAbstractListModel(parent), m_count(count), m_format(format) {}

int NumberedChoices::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_count + 1;
}

QVariant NumberedChoices::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() > m_count || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return index.row() == 0 ? QString() : m_format(index.row());
}

QString twoDigits(int number) {
    return QString::asprintf("%02d", number);
}

void offerNumbers(QComboBox* box, int count, NumberedChoices::Format format) {
    box->setModel(new NumberedChoices(count, format, box));
}

} // namespace quorvan
