#pragma once

#include <QString>

#include <array>
#include <vector>

namespace quorvan {

class TextTable;

enum class NameTable { ZoneGroups, Zones, Power, Outputs, Inputs };
inline constexpr std::array<NameTable, 5> kAllNameTables = {NameTable::ZoneGroups, NameTable::Zones, NameTable::Power,
                                                            NameTable::Outputs, NameTable::Inputs};

// Stored name that stands for "the default display name".
inline constexpr char16_t kDefaultNameMarker[] = u"*#default#*";

// The user's names of zone groups, zones, power channels, outputs and inputs: each as stored in
// Config_name.ini and as displayed. Display names are derived, never edited directly.
class NameTables {
public:
    NameTables();

    static int usedCount(NameTable table);         // entries the program uses
    static int capacity(NameTable table);          // room in the table
    static QString sectionPrefix(NameTable table); // "Zone", "ZoneUnit", "Power", "Matrix", "Source"

    const QString& stored(NameTable table, int index) const;
    void setStored(NameTable table, int index, const QString& name);
    const QString& display(NameTable table, int index) const;

    // Derives every display name from the stored names and the texts of the current language.
    void computeDisplayNames(const TextTable& texts);

    // The default display name of an entry in the current language.
    static QString defaultDisplayName(NameTable table, int index, const TextTable& texts);

private:
    std::array<std::vector<QString>, 5> m_stored;
    std::array<std::vector<QString>, 5> m_display;
};

} // namespace quorvan
