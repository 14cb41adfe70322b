#include "core/settings/NameTables.h"

#include "core/texts/TextTable.h"

namespace quorvan {

namespace {
std::size_t slot(NameTable t) {
    return static_cast<std::size_t>(t);
}
const QString kEmpty;
} // namespace

NameTables::NameTables() {
    for (NameTable t : kAllNameTables) {
        m_stored[slot(t)].resize(std::size_t(capacity(t)));
        m_display[slot(t)].resize(std::size_t(capacity(t)));
    }
}

int NameTables::usedCount(NameTable table) {
    switch (table) {
    case NameTable::ZoneGroups:
        return 9;
    case NameTable::Zones:
        return 40;
    case NameTable::Power:
        return 37;
    case NameTable::Outputs:
        return 64;
    case NameTable::Inputs:
        return 6;
    }
    return 0;
}

int NameTables::capacity(NameTable table) {
    return table == NameTable::Power ? 144 : usedCount(table);
}

QString NameTables::sectionPrefix(NameTable table) {
    switch (table) {
    case NameTable::ZoneGroups:
        return QStringLiteral("Zone");
    case NameTable::Zones:
        return QStringLiteral("ZoneUnit");
    case NameTable::Power:
        return QStringLiteral("Power");
    case NameTable::Outputs:
        return QStringLiteral("Matrix");
    case NameTable::Inputs:
        return QStringLiteral("Source");
    }
    return {};
}

const QString& NameTables::stored(NameTable table, int index) const {
    const auto& names = m_stored[slot(table)];
    return index >= 0 && std::size_t(index) < names.size() ? names[std::size_t(index)] : kEmpty;
}

void NameTables::setStored(NameTable table, int index, const QString& name) {
    auto& names = m_stored[slot(table)];
    if (index >= 0 && std::size_t(index) < names.size())
        names[std::size_t(index)] = name;
}

const QString& NameTables::display(NameTable table, int index) const {
    const auto& names = m_display[slot(table)];
    return index >= 0 && std::size_t(index) < names.size() ? names[std::size_t(index)] : kEmpty;
}

QString NameTables::defaultDisplayName(NameTable table, int index, const TextTable& texts) {
    const QString n = QString::number(index + 1);
    switch (table) {
    case NameTable::ZoneGroups:
        // The local group has no number; extension group 1 shows 2, group 8 shows 9.
        return index == 0 ? texts.text(TextId::LocalGroup) : texts.text(TextId::ExtGroup) + n;
    case NameTable::Zones:
        if (index < 8)
            return texts.text(TextId::LocalZone) + n;
        return texts.text(TextId::ExtZone) + QString::number((index - 8) / 16 + 1) + u'-' +
               QString::number((index - 8) % 16 + 1);
    case NameTable::Power:
        if (index < 4)
            return texts.text(TextId::LocalPower) + n;
        if (index == 4)
            return texts.text(TextId::SynPower);
        return texts.text(TextId::ExtPower) + QString::number((index - 5) / 16 + 1) + u'-' +
               QString::number((index - 5) % 16 + 1);
    case NameTable::Outputs:
        return texts.text(TextId::Output) + n;
    case NameTable::Inputs:
        return texts.text(TextId::Input) + n;
    }
    return {};
}

void NameTables::computeDisplayNames(const TextTable& texts) {
    const QString marker = QString::fromUtf16(kDefaultNameMarker);
    for (NameTable t : kAllNameTables) {
        for (int i = 0; i < usedCount(t); ++i) {
            const QString& name = m_stored[slot(t)][std::size_t(i)];
            m_display[slot(t)][std::size_t(i)] = name == marker ? defaultDisplayName(t, i, texts) : name;
        }
    }
}

} // namespace quorvan
