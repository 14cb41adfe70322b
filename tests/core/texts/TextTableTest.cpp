#include "TestSupport.h"

#include "core/texts/TextTable.h"

#include <QMap>

#include <algorithm>

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
        EXPECT_EQ(table.text(n).toStdString(), expected.value(n).toStdString())
            << "entry " << n << " (" << listing.toStdString() << ")";
    }
}

TEST(TextTable, StartsEmptyAndReportsTheLoadedLanguage) {
    TextTable table;
    EXPECT_EQ(table.language(), 0);
    EXPECT_TRUE(table.text(0).isEmpty());
    EXPECT_TRUE(table.text(224).isEmpty());

    table.loadEnglish();
    EXPECT_EQ(table.language(), 1);
    EXPECT_EQ(table.language(), int(Language::English));
    EXPECT_EQ(table.text(0), u"Language0");
    EXPECT_EQ(table.text(103), u"Name Setting");
    EXPECT_EQ(table.text(224), u"Zone Broadcast System");

    table.loadChinese();
    EXPECT_EQ(table.language(), 2);
    EXPECT_EQ(table.language(), int(Language::Chinese));
    EXPECT_EQ(table.text(0), u"语言0");
    EXPECT_EQ(table.text(103), u"名称设置");
    EXPECT_EQ(table.text(224), u"智能分区广播系统");

    // Out-of-range numbers give an empty text instead of reading past the table.
    EXPECT_TRUE(table.text(-1).isEmpty());
    EXPECT_TRUE(table.text(TextTable::kCount).isEmpty());
}

TEST(TextTable, EachLoadReplacesTheWholeTable) {
    TextTable table;
    table.loadEnglish();
    expectTableMatches(table, QStringLiteral("texts-en.txt"));

    // A switch to Chinese leaves no English text behind, and a switch back restores every English text.
    table.loadChinese();
    expectTableMatches(table, QStringLiteral("texts-zh.txt"));
    table.loadEnglish();
    expectTableMatches(table, QStringLiteral("texts-en.txt"));

    // Loading the same language twice changes nothing.
    table.loadChinese();
    table.loadChinese();
    expectTableMatches(table, QStringLiteral("texts-zh.txt"));
}

TEST(TextTable, KeepsTheWordingExactlyAsShipped) {
    TextTable en;
    en.loadEnglish();
    TextTable zh;
    zh.loadChinese();

    // The controller's users know these texts as they are, misspellings included.
    EXPECT_EQ(en.text(68), u"Ext stroage");
    EXPECT_EQ(en.text(158), u"An Unexpected Error Has Occored!");
    EXPECT_EQ(en.text(57), u"RepeatMod");
    EXPECT_EQ(en.text(23), u"[Riny]");
    EXPECT_EQ(en.text(160), u"Import False , the folder not have correct data !");
    for (int n : {206, 207, 208})
        EXPECT_EQ(en.text(n), u"[Rainy]Schedule1 Rainy") << n;
    EXPECT_EQ(zh.text(206), u"[雨天]时程2");
    EXPECT_EQ(zh.text(208), u"[雨天]时程4");

    // Full-width colons and trailing marks are part of the text.
    EXPECT_EQ(zh.text(210), u"音源选择：");
    EXPECT_EQ(en.text(210), u"AUX Select:");
    EXPECT_EQ(en.text(166), u"Export success !");

    // Entries that repeat another entry's wording do so in both languages.
    for (const TextTable* t : {&en, &zh}) {
        EXPECT_EQ(t->text(13), t->text(16));
        EXPECT_EQ(t->text(74), t->text(135));
    }

    // The texts behind the default display names.
    EXPECT_EQ(en.text(12), u"Syn.Power");
    EXPECT_EQ(zh.text(12), u"短路输出");
    EXPECT_EQ(en.text(153), u"Message");
    EXPECT_EQ(zh.text(154), u"警告");
}

TEST(TextTable, AddedTextsFollowTheControllersInBothLanguages) {
    TextTable en;
    en.loadEnglish();
    TextTable zh;
    zh.loadChinese();
    for (int n = TextId::First; n < TextId::End; ++n) {
        EXPECT_FALSE(en.text(n).isEmpty()) << n;
        EXPECT_FALSE(zh.text(n).isEmpty()) << n;
        EXPECT_NE(en.text(n), zh.text(n)) << n << " needs its own Chinese wording";
        // Chinese wordings are written in Chinese, English ones without any CJK character.
        const auto cjk = [](QChar c) { return c.unicode() >= 0x3000; };
        const QString chinese = zh.text(n);
        const QString english = en.text(n);
        EXPECT_TRUE(std::any_of(chinese.begin(), chinese.end(), cjk)) << n;
        EXPECT_TRUE(std::none_of(english.begin(), english.end(), cjk)) << n;
    }
    EXPECT_EQ(en.text(TextId::ChangesNotSaved), u"The changes could not be saved.");
    EXPECT_EQ(zh.text(TextId::ChangesNotSaved), u"修改未能保存。");
    // The numbers between the two ranges, and past the end, are empty.
    for (int n : {TextTable::kCount, 999, int(TextId::End)})
        EXPECT_TRUE(en.text(n).isEmpty()) << n;
}

} // namespace
} // namespace quorvan
