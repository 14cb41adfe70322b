#include "CardFolders.h"
#include "FakePrompts.h"

#include "core/texts/TextTable.h"
#include "ui/shell/StorageActions.h"

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

class StorageActions : public CardFolders {
protected:
    void SetUp() override {
        CardFolders::SetUp();
        texts.loadEnglish();
    }

    TextTable texts;
    FakePrompts prompts;
};

} // namespace

TEST_F(StorageActions, ImportOfASingleFileCopiesItAndCompletesTheDataFolder) {
    // The card may hold the file under either spelling; the data folder always gets the canonical name.
    for (const QString& cardName : {QStringLiteral("SCH02.DAT"), QStringLiteral("sch02.dat")}) {
        SCOPED_TRACE(cardName.toStdString());
        QDir(data()).removeRecursively();
        QDir(card()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(data()));
        ASSERT_TRUE(QDir().mkpath(card()));
        prompts = FakePrompts();

        const QByteArray imported = patternBytes(2500 * 1024, 2); // more than one copy chunk
        writeFile(onCard(cardName), imported);
        writeFile(inData(QStringLiteral("SCH01.DAT")), "schedule one, kept");
        writeFile(inData(QStringLiteral("SDATE03.DAT")), patternBytes(4096, 3));
        writeFile(inData(QStringLiteral("SCH02.DAT")), "old schedule two, replaced");

        prompts.folders.push_back(card());
        EXPECT_EQ(importFromStorage(prompts, texts, data(), allNames()), 1);

        EXPECT_EQ(prompts.folderTitles, QStringList{texts.text(163)});
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].caption, texts.text(153));
        EXPECT_EQ(prompts.messages[0].text, texts.text(165));
        EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::None);

        EXPECT_EQ(readFile(inData(QStringLiteral("SCH02.DAT"))), imported);
        EXPECT_EQ(readFile(inData(QStringLiteral("SCH01.DAT"))), QByteArray("schedule one, kept"));
        EXPECT_EQ(readFile(inData(QStringLiteral("SDATE03.DAT"))), patternBytes(4096, 3));
        for (const QString& name : {QStringLiteral("SCH03.DAT"), QStringLiteral("SCH04.DAT"),
                                    QStringLiteral("REMOTE.DAT"), QStringLiteral("SDATE06.DAT")})
            EXPECT_EQ(sizeOf(inData(name)), 0) << name.toStdString();
        // Exactly the eleven files: no temporary file, no subfolder, no second spelling.
        EXPECT_EQ(entriesOf(data()), sorted(allNames()));
        // The card is only read.
        EXPECT_EQ(entriesOf(card()), QStringList{cardName});
        EXPECT_EQ(readFile(onCard(cardName)), imported);
    }
}

TEST_F(StorageActions, ImportFromAnEmptyFolderWarnsAndCancellingChangesNothing) {
    // Cancelled chooser: nothing asked beyond the folder, nothing created.
    EXPECT_EQ(importFromStorage(prompts, texts, data(), allNames()), 0);
    EXPECT_EQ(exportToStorage(prompts, texts, data(), allNames()), 0);
    EXPECT_EQ(prompts.folderTitles, (QStringList{texts.text(163), texts.text(164)}));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(entriesOf(data()).isEmpty());
    EXPECT_TRUE(entriesOf(card()).isEmpty());

    // An empty card: the warning, and the data folder keeps what it had and gains what it lacked.
    writeFile(inData(QStringLiteral("REMOTE.DAT")), "remote presets");
    prompts.folders.push_back(card());
    EXPECT_EQ(importFromStorage(prompts, texts, data(), allNames()), 1);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, texts.text(154));
    EXPECT_EQ(prompts.messages[0].text, texts.text(160));
    EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::Stop);
    EXPECT_EQ(entriesOf(data()), sorted(allNames()));
    EXPECT_EQ(readFile(inData(QStringLiteral("REMOTE.DAT"))), QByteArray("remote presets"));
    EXPECT_EQ(sizeOf(inData(QStringLiteral("SCH01.DAT"))), 0);
    EXPECT_TRUE(entriesOf(card()).isEmpty());
}

TEST_F(StorageActions, ExportPutsAllElevenFilesDirectlyIntoTheChosenFolder) {
    for (int i = 0; i < allNames().size(); ++i) {
        const QString name = allNames()[i];
        if (name != QStringLiteral("SDATE04.DAT") && name != QStringLiteral("SDATE05.DAT"))
            writeFile(inData(name), patternBytes(1000 + i * 7, i));
    }
    writeFile(inData(QStringLiteral("SCH01.DAT")), patternBytes(1500 * 1024, 9));
    // The card already holds an older schedule (spelled differently) and its own SDATE04; it lacks SDATE05.
    writeFile(onCard(QStringLiteral("sch01.dat")), "older schedule");
    writeFile(onCard(QStringLiteral("SDATE04.DAT")), "card's own special dates");

    prompts.folders.push_back(card());
    EXPECT_EQ(exportToStorage(prompts, texts, data(), allNames()), 1);
    EXPECT_EQ(prompts.folderTitles, QStringList{texts.text(164)});
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, texts.text(153));
    EXPECT_EQ(prompts.messages[0].text, texts.text(166));
    EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::None);

    EXPECT_EQ(entriesOf(card()), sorted(allNames()));
    for (const QString& name : allNames()) {
        if (name != QStringLiteral("SDATE04.DAT") && name != QStringLiteral("SDATE05.DAT")) {
            EXPECT_EQ(readFile(onCard(name)), readFile(inData(name))) << name.toStdString();
        }
    }
    EXPECT_EQ(readFile(onCard(QStringLiteral("SDATE04.DAT"))), QByteArray("card's own special dates"));
    EXPECT_TRUE(QFileInfo(onCard(QStringLiteral("SDATE05.DAT"))).isFile());
    EXPECT_EQ(sizeOf(onCard(QStringLiteral("SDATE05.DAT"))), 0);
    // The data folder is only read.
    EXPECT_EQ(entriesOf(data()).size(), 9);
}

TEST_F(StorageActions, ExportFailuresAreReportedWithTheFailedNames) {
    for (const QString& name : allNames())
        writeFile(inData(name), "small");

    // The chosen "folder" is a regular file: nothing can be written, every name is listed.
    writeFile(home.file(QStringLiteral("not-a-folder")), "x");
    prompts.folders.push_back(home.file(QStringLiteral("not-a-folder")));
    EXPECT_EQ(exportToStorage(prompts, texts, data(), allNames()), 1);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, texts.text(154));
    EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::Stop);
    QStringList lines = prompts.messages[0].text.split(u'\n');
    ASSERT_EQ(lines.size(), 12) << prompts.messages[0].text.toStdString();
    EXPECT_EQ(lines[0], texts.text(159));
    for (int i = 0; i < 11; ++i)
        EXPECT_TRUE(lines[i + 1].startsWith(allNames()[i] + QStringLiteral(": "))) << lines[i + 1].toStdString();
    EXPECT_EQ(readFile(home.file(QStringLiteral("not-a-folder"))), QByteArray("x"));

    // A card that fills up: only the big schedule fails; the card's old copy survives, no temporary is left.
    const QByteArray big = patternBytes(256 * 1024, 5);
    writeFile(inData(QStringLiteral("SCH03.DAT")), big);
    writeFile(onCard(QStringLiteral("SCH03.DAT")), "previous export");
    prompts = FakePrompts();
    prompts.folders.push_back(card());
    {
        FileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(limit.ok());
        EXPECT_EQ(exportToStorage(prompts, texts, data(), allNames()), 1);
    }
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, texts.text(154));
    EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::Stop);
    lines = prompts.messages[0].text.split(u'\n');
    ASSERT_EQ(lines.size(), 2) << prompts.messages[0].text.toStdString();
    EXPECT_EQ(lines[0], texts.text(159));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("SCH03.DAT: "))) << lines[1].toStdString();
    EXPECT_EQ(readFile(onCard(QStringLiteral("SCH03.DAT"))), QByteArray("previous export"));
    EXPECT_EQ(readFile(onCard(QStringLiteral("SCH04.DAT"))), QByteArray("small"));
    EXPECT_EQ(entriesOf(card()), sorted(allNames()));

    // The same card with room again: the outcome says everything is in place.
    const TransferReport retry = exportFiles(data(), card(), allNames());
    EXPECT_TRUE(retry.anyCopied());
    EXPECT_TRUE(retry.failed.isEmpty()) << retry.failureLines().join(u'\n').toStdString();
    EXPECT_EQ(readFile(onCard(QStringLiteral("SCH03.DAT"))), big);
}

TEST_F(StorageActions, ImportThatCouldNotWriteWarnsWithEachFileInsteadOfReportingSuccess) {
    writeFile(onCard(QStringLiteral("SCH02.DAT")), exampleFileBytes()); // 4904 bytes
    writeFile(onCard(QStringLiteral("SCH03.DAT")), patternBytes(9976, 3));
    writeFile(inData(QStringLiteral("SCH03.DAT")), "earlier schedule three");
    prompts.folders.push_back(card());
    {
        FileSizeLimit limit(8 * 1024);
        ASSERT_TRUE(limit.ok());
        EXPECT_EQ(importFromStorage(prompts, texts, data(), allNames()), 1);
    }
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, texts.text(154));
    EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::Stop);
    QStringList lines = prompts.messages[0].text.split(u'\n');
    ASSERT_EQ(lines.size(), 2) << prompts.messages[0].text.toStdString();
    EXPECT_EQ(lines[0], texts.text(TextId::ImportIncomplete));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("SCH03.DAT: "))) << lines[1].toStdString();
    EXPECT_EQ(readFile(inData(QStringLiteral("SCH03.DAT"))), QByteArray("earlier schedule three"));

    // A data folder that cannot take any file: every name is listed, and the card is not blamed (text 160).
    ASSERT_TRUE(QDir(data()).removeRecursively());
    writeFile(data(), "not a folder");
    prompts = FakePrompts();
    prompts.folders.push_back(card());
    EXPECT_EQ(importFromStorage(prompts, texts, data(), allNames()), 1);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, texts.text(154));
    lines = prompts.messages[0].text.split(u'\n');
    ASSERT_EQ(lines.size(), 12) << prompts.messages[0].text.toStdString();
    EXPECT_EQ(lines[0], texts.text(TextId::ImportIncomplete));
    for (int i = 0; i < 11; ++i)
        EXPECT_TRUE(lines[i + 1].startsWith(allNames()[i] + QStringLiteral(": "))) << lines[i + 1].toStdString();
}
