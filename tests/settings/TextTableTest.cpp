#include "TestSupport.h"

#include "settings/TextTable.h"

#include <QMap>

#include <gtest/gtest.h>

namespace quorvan {
namespace {

// Reads a "N<TAB>text" listing; the text is kept exactly, trailing blanks and punctuation included.
QMap<int, QString> readListing(const QString& name) {
    QMap<int, QString> texts;
    const QString all = QString::fromUtf8(test::readFile(test::dataPath(name)));
    for (QString line : all.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        bool ok = false;
        const int n = line.first(tab < 0 ? 0 : tab).toInt(&ok);
        EXPECT_TRUE(ok && tab > 0) << "bad line in " << name.toStdString() << ": " << line.toStdString();
        if (ok)
            texts.insert(n, line.sliced(tab + 1));
    }
    return texts;
}

// Every entry of the table against the listing; reports each difference with its number.
void expectTableMatches(const TextTable& table, const QString& listing) {
    const QMap<int, QString> expected = readListing(listing);
    ASSERT_EQ(expected.size(), TextTable::kCount) << listing.toStdString();
    for (int n = 0; n < TextTable::kCount; ++n) {
        ASSERT_TRUE(expected.contains(n)) << listing.toStdString() << " lacks entry " << n;
        EXPECT_EQ(table.Text(n).toStdString(), expected.value(n).toStdString())
            << "entry " << n << " (" << listing.toStdString() << ")";
    }
}

TEST(TextTable, StartsEmptyAndReportsTheLoadedLanguage) {
    TextTable table;
    EXPECT_EQ(table.language(), 0);
    EXPECT_TRUE(table.Text(0).isEmpty());
    EXPECT_TRUE(table.Text(224).isEmpty());

    table.LoadEnglish();
    EXPECT_EQ(table.language(), 1);
    EXPECT_EQ(table.language(), int(Language::English));
    EXPECT_EQ(table.Text(0), u"Language0");
    EXPECT_EQ(table.Text(103), u"Name Setting");
    EXPECT_EQ(table.Text(224), u"Zone Broadcast System");

    table.LoadChinese();
    EXPECT_EQ(table.language(), 2);
    EXPECT_EQ(table.language(), int(Language::Chinese));
    EXPECT_EQ(table.Text(0), u"语言0");
    EXPECT_EQ(table.Text(103), u"名称设置");
    EXPECT_EQ(table.Text(224), u"智能分区广播系统");

    // Out-of-range numbers give an empty text instead of reading past the table.
    EXPECT_TRUE(table.Text(-1).isEmpty());
    EXPECT_TRUE(table.Text(TextTable::kCount).isEmpty());
}

TEST(TextTable, EachLoadReplacesTheWholeTable) {
    TextTable table;
    table.LoadEnglish();
    expectTableMatches(table, QStringLiteral("texts-en.txt"));

    // A switch to Chinese leaves no English text behind, and a switch back restores every English text.
    table.LoadChinese();
    expectTableMatches(table, QStringLiteral("texts-zh.txt"));
    table.LoadEnglish();
    expectTableMatches(table, QStringLiteral("texts-en.txt"));

    // Loading the same language twice changes nothing.
    table.LoadChinese();
    table.LoadChinese();
    expectTableMatches(table, QStringLiteral("texts-zh.txt"));
}

TEST(TextTable, KeepsTheWordingExactlyAsShipped) {
    TextTable en;
    en.LoadEnglish();
    TextTable zh;
    zh.LoadChinese();

    // The controller's users know these texts as they are, misspellings included.
    EXPECT_EQ(en.Text(68), u"Ext stroage");
    EXPECT_EQ(en.Text(158), u"An Unexpected Error Has Occored!");
    EXPECT_EQ(en.Text(57), u"RepeatMod");
    EXPECT_EQ(en.Text(23), u"[Riny]");
    EXPECT_EQ(en.Text(160), u"Import False , the folder not have correct data !");
    for (int n : {206, 207, 208})
        EXPECT_EQ(en.Text(n), u"[Rainy]Schedule1 Rainy") << n;
    EXPECT_EQ(zh.Text(206), u"[雨天]时程2");
    EXPECT_EQ(zh.Text(208), u"[雨天]时程4");

    // Full-width colons and trailing marks are part of the text.
    EXPECT_EQ(zh.Text(210), u"音源选择：");
    EXPECT_EQ(en.Text(210), u"AUX Select:");
    EXPECT_EQ(en.Text(166), u"Export success !");

    // Entries that repeat another entry's wording do so in both languages.
    for (const TextTable* t : {&en, &zh}) {
        EXPECT_EQ(t->Text(13), t->Text(16));
        EXPECT_EQ(t->Text(74), t->Text(135));
    }

    // The texts behind the default display names.
    EXPECT_EQ(en.Text(12), u"Syn.Power");
    EXPECT_EQ(zh.Text(12), u"短路输出");
    EXPECT_EQ(en.Text(153), u"Message");
    EXPECT_EQ(zh.Text(154), u"警告");
}

} // namespace
} // namespace quorvan
