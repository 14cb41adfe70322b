// Any bytes as an initialisation file: reading never crashes, writing a key makes it readable, and the written
// file reads back with the same values for every other key.
#include "core/settings/IniFile.h"

#include <cstdlib>

using namespace quorvan;

namespace {
const QString kSections[] = {QStringLiteral("LanguageSelect"), QStringLiteral("SettingComm"), QStringLiteral("Power4"),
                             QStringLiteral("a"), QStringLiteral("")};
const QString kKeys[] = {QStringLiteral("ID"), QStringLiteral("com"), QStringLiteral("name"), QStringLiteral("a"),
                         QStringLiteral("")};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    IniFile profile = IniFile::fromBytes(bytes);
    const IniFile reread = IniFile::fromBytes(profile.toBytes());
    for (const QString& s : kSections)
        for (const QString& k : kKeys)
            if (profile.value(s, k) != reread.value(s, k))
                std::abort();

    profile.setValue(QStringLiteral("SettingComm"), QStringLiteral("com"), QStringLiteral("7\r\n[x]\nID=1"));
    const IniFile written = IniFile::fromBytes(profile.toBytes());
    if (written.value(QStringLiteral("settingcomm"), QStringLiteral("COM")) != QStringLiteral("7  [x] ID=1"))
        std::abort();
    for (const QString& s : kSections)
        for (const QString& k : kKeys)
            if (!(s == QStringLiteral("SettingComm") && k == QStringLiteral("com")) &&
                profile.value(s, k) != written.value(s, k))
                std::abort();
    return 0;
}
