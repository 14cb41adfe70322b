#include "ui/shell/CommandLine.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorvan;

namespace {

CommandLine parse(std::initializer_list<const char*> words) {
    QStringList arguments{QStringLiteral("quorvan")};
    for (const char* w : words)
        arguments << QString::fromUtf8(w);
    return CommandLine::parse(arguments);
}

struct ProgramRun {
    int code = -1;
    QString out;
    QString err;
};

ProgramRun runProgram(const QStringList& args,
                      const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QUORVAN_EXE), args);
    EXPECT_TRUE(p.waitForFinished(30000)) << args.join(u' ').toStdString();
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(CommandLine, HomeInBothSpellingsAndTheFirstOneWins) {
    CommandLine line = parse({"--home", "/srv/school"});
    EXPECT_EQ(line.action, CommandLine::Action::Run);
    EXPECT_EQ(line.home, QStringLiteral("/srv/school"));
    EXPECT_EQ(parse({"--home=/srv/school"}).home, QStringLiteral("/srv/school"));
    EXPECT_EQ(parse({"--home=/a", "--home", "/b"}).home, QStringLiteral("/a"));
    // "--home=" names an empty folder, which the home-folder rule then refuses; no --home leaves the default.
    EXPECT_EQ(parse({"--home="}).home, QString());
    EXPECT_FALSE(parse({}).home.has_value());
}

TEST(CommandLine, HelpAndVersionWinAndEverythingUnknownIsRefused) {
    EXPECT_EQ(parse({"--help"}).action, CommandLine::Action::ShowHelp);
    EXPECT_EQ(parse({"-h"}).action, CommandLine::Action::ShowHelp);
    // Qt's own options are still on the line before QApplication removes them: help answers regardless.
    EXPECT_EQ(parse({"-platform", "offscreen", "--help"}).action, CommandLine::Action::ShowHelp);
    EXPECT_EQ(parse({"--version", "--bogus"}).action, CommandLine::Action::ShowVersion);

    const struct {
        std::initializer_list<const char*> words;
        const char* error;
    } refused[] = {{{"--homeless"}, "unknown option --homeless"},
                   {{"-x"}, "unknown option -x"},
                   {{"--home"}, "Missing value after '--home'."},
                   {{"schedule.dat"}, "unexpected argument schedule.dat"}};
    for (const auto& c : refused) {
        const CommandLine line = parse(c.words);
        EXPECT_EQ(line.action, CommandLine::Action::Refuse) << c.error;
        EXPECT_EQ(line.error.toStdString(), c.error);
        EXPECT_FALSE(line.home.has_value());
    }
}

TEST(CommandLine, TheProgramAnswersHelpAndVersionWithoutADisplayAndRefusesUnknownOptions) {
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        bare.remove(QString::fromLatin1(name));
    ProgramRun r = runProgram({QStringLiteral("--help")}, bare);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, CommandLine::helpText());
    r = runProgram({QStringLiteral("--version")}, bare);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, CommandLine::versionText());
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("quorvan 1.")));
    // Without a display anything else stops with a clear line rather than Qt's abort.
    r = runProgram({}, bare);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("no display"))) << r.err.toStdString();

    // With one, Qt's options pass, ours are checked, and the usage errors exit with 2 before any window opens.
    QProcessEnvironment offscreen = QProcessEnvironment::systemEnvironment();
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QTemporaryDir home;
    r = runProgram({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--home=") + home.path(),
                    QStringLiteral("--bogus")},
                   offscreen);
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("quorvan: unknown option --bogus\n"))) << r.err.toStdString();
    r = runProgram({QStringLiteral("--home")}, offscreen);
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--home"))) << r.err.toStdString();
    // A home folder that cannot be made is reported with the same status.
    QFile plain(home.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    r = runProgram({QStringLiteral("--home"), home.filePath(QStringLiteral("plain/sub"))}, offscreen);
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("quorvan: --home"))) << r.err.toStdString();
}
