// The "Download Updates" window and the online parts of the start screen, against web and
// FTP servers the tests start on 127.0.0.1, with the program and data folders of their own.
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QToolButton>
#include <QUrl>

#include "GuiTestSupport.h"
#include "archive/ArchiveUi.h"
#include "archive/Resource.h"
#include "online/OnlineTestSupport.h"
#include "ui/dialogs/UpdateWindow.h"

using namespace online_test;

namespace {

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

// Log lines without their time stamps, newest first as the window lists them.
QStringList LogTexts(const QListWidget* log) {
    QStringList texts;
    for (const QString& line : Items(log))
        texts << line.section(QStringLiteral(" : "), 1);
    return texts;
}

class TOnlineUiTest : public TGuiTest {
protected:
    fs::path Data() const { return Root.Path / "data"; }
    fs::path Program() const { return Root.Path / "program"; }

    // The start screen's online services work in this test's folders, and what would leave
    // the program (a browser, a new process) is only noted.
    void Prepare(TStartScreenDialog& screen) {
        screen.Online.ProgramFolder = Program().string() + "/";
        screen.Online.DataFolder = Data().string() + "/";
        screen.Online.Executable = (Program() / "quillon").string();
        screen.Online.StopMusic = [this] { MusicStopped = true; };
        screen.Online.StartProgram = [this](const QString& program) {
            Started << program;
            return true;
        };
        screen.Online.OpenUrl = [this](const QUrl& address) {
            Opened << address.toString();
            return true;
        };
    }

    TTempFolder Root;
    bool MusicStopped = false;
    bool Checked = false;
    QStringList Started;
    QStringList Opened;
};

TEST_F(TOnlineUiTest, TheLogMakesTheWindowTallerAndTheRestoreButtonShorterAgain) {
    TUpdateRequest request;
    request.Server = "http://127.0.0.1:" + std::to_string(UnusedPort());
    request.DownloadFolder = Data().string();
    request.PublicKey = TTestKeys().Public;
    TUpdateWindow window(request);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), "Download Updates");
    EXPECT_EQ(window.StatusLine()->text(), "Ready");
    EXPECT_FALSE(window.Log()->isVisible());
    EXPECT_FALSE(window.AbortButton()->isEnabled());
    const int height = window.height();

    QTest::mouseClick(window.ViewLogButton(), Qt::LeftButton);
    EXPECT_EQ(window.height(), height + 170);
    EXPECT_TRUE(window.Log()->isVisible());
    EXPECT_FALSE(window.ViewLogButton()->isEnabled());
    EXPECT_TRUE(window.RestoreButton()->isEnabled());

    QTest::mouseClick(window.CheckButton(), Qt::LeftButton);
    EXPECT_TRUE(window.AbortButton()->isEnabled());
    EXPECT_FALSE(window.CheckButton()->isEnabled());
    window.WaitForCheck();
    EXPECT_EQ(window.StatusLine()->text(), "Connection failed");
    const QStringList log = LogTexts(window.Log());
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0], "Connection failed");
    EXPECT_TRUE(log[1].startsWith(QString::fromStdString(request.Server))) << log[1].toStdString();
    EXPECT_FALSE(window.AbortButton()->isEnabled());
    EXPECT_TRUE(window.CheckButton()->isEnabled());
    EXPECT_FALSE(window.RestartRequested());
    if (const QString shots = qEnvironmentVariable("QUILLON_DIALOG_SHOTS"); !shots.isEmpty())
        window.grab().save(shots + "/update-window-log.png");

    QTest::mouseClick(window.RestoreButton(), Qt::LeftButton);
    EXPECT_EQ(window.height(), height);
    EXPECT_FALSE(window.Log()->isVisible());
    EXPECT_TRUE(window.ViewLogButton()->isEnabled());
    EXPECT_FALSE(window.RestoreButton()->isEnabled());
}

TEST_F(TOnlineUiTest, WithoutTheSettingTheCheckFailsAndTheLogNamesIt) {
    const QString missing =
        "Setting UpdateServer is missing in " + QString::fromStdString((Data() / "online.cfg").string());
    Start([this, missing](QDialog& dialog) {
        auto& screen = dynamic_cast<TStartScreenDialog&>(dialog);
        Prepare(screen);
        Then(OnDialog<TUpdateWindow>([this, missing](TUpdateWindow& window) {
            Checked = true;
            QTest::mouseClick(window.CheckButton(), Qt::LeftButton);
            window.WaitForCheck();
            EXPECT_EQ(window.StatusLine()->text(), "Connection failed");
            EXPECT_EQ(LogTexts(window.Log()), QStringList({"Connection failed", missing}));
        }));
        QTest::mouseClick(screen.UpdatesLink(), Qt::LeftButton);
        TypeNamesAndStart("Ada", "Byte Works")(dialog);
    });
    // The documented settings file is there for the player to fill in.
    EXPECT_TRUE(Checked);
    EXPECT_TRUE(fs::exists(Data() / "online.cfg"));
    EXPECT_TRUE(Started.isEmpty());
    EXPECT_FALSE(MusicStopped);
    EXPECT_FALSE(Game().Flags.QuitChosen);
}

TEST_F(TOnlineUiTest, ANewProgramIsPutInPlaceAndStartedWhenTheWindowCloses) {
    // The update server offers a database and a program archive holding the new executable,
    // listed in a manifest signed with the test's key.
    const fs::path site = Root.Path / "site" / "qstudio";
    const std::string database = BuiltDatabase();
    WriteFile(site / "database.pck", database);
    WriteFile(site / "database.dwl", "The 1995 database");
    PackArchive(site / "quillon.pck", {{"quillon", "new program"}});
    const TTestKeys keys;
    WriteSignedManifest(site, {EntryOf(site, "database.pck", "9.0"), EntryOf(site, "quillon.pck", "9.0")},
                        keys.Secret);
    TServerProcess server(
        ScriptPath("http_server.py"),
        {"--root", (Root.Path / "site").string(), "--log", (Root.Path / "requests.log").string()}, Root.Path);
    ASSERT_TRUE(server.Running());
    WriteFile(Data() / "online.cfg", "UpdateServer = http://127.0.0.1:" + std::to_string(server.Port) + "\n");
    WriteFile(Program() / "quillon", "old program");
    WriteFile(Program() / "quillon.old", "left from an earlier update");

    Start([this, &keys](QDialog& dialog) {
        auto& screen = dynamic_cast<TStartScreenDialog&>(dialog);
        Prepare(screen);
        screen.Online.UpdateKey = keys.Public;
        Then(OnDialog<TUpdateWindow>([](TUpdateWindow& window) {
            QTest::mouseClick(window.Picture(), Qt::LeftButton);
            window.WaitForCheck();
            EXPECT_EQ(window.StatusLine()->text(), "New updates downloaded");
            EXPECT_EQ(window.DescriptionLine()->text(), "downloaded : The 1995 database");
            EXPECT_EQ(window.Gauge()->value(), window.Gauge()->maximum());
            EXPECT_EQ(window.Leds()->LitCount(), TLedBar::Lamps);
            EXPECT_EQ(LogTexts(window.Log()).first(), "New updates downloaded");
            EXPECT_TRUE(window.RestartRequested());
            if (const QString shots = qEnvironmentVariable("QUILLON_DIALOG_SHOTS"); !shots.isEmpty())
                window.grab().save(shots + "/update-window.png");
        }));
        QTest::mouseClick(screen.UpdatesLink(), Qt::LeftButton);
    });

    EXPECT_TRUE(MusicStopped);
    EXPECT_TRUE(Modals().Saw("New updates downloaded, Restarting Game"));
    EXPECT_TRUE(HoldsBytes(Data() / "database.pck", database));
    EXPECT_EQ(ReadFile(Program() / "quillon"), "new program");
    EXPECT_EQ(ReadFile(Program() / "quillon.old"), "old program");
    EXPECT_EQ(Started, QStringList{QString::fromStdString((Program() / "quillon").string())});
    // This run ends as "Quit Game" on the start screen ends it.
    EXPECT_TRUE(Game().Flags.QuitChosen);
    EXPECT_TRUE(Window->ProgramEnded());
}

TEST_F(TOnlineUiTest, UploadScoreReportsEachStepAndOffersARetryThatSendsTheSameRecord) {
    fs::create_directories(Root.Path / "ftp" / "docs" / "quillon" / "highs");
    TServerProcess server(
        ScriptPath("ftp_server.py"),
        {"--root", (Root.Path / "ftp").string(), "--user", "quillon", "--password", "pw-778"}, Root.Path);
    ASSERT_TRUE(server.Running());
    const std::string page = "HighscorePage = https://scores.example.org/quillon\n";
    // The test's FTP server has no TLS, which the settings allow here.
    const std::string account =
        "HighscoreFtpUser = quillon\nHighscoreFtpPassword = pw-778\nHighscorePlainFtp = yes\n";
    // The first attempt finds no server.
    WriteFile(Data() / "online.cfg",
              "HighscoreFtpHost = 127.0.0.1:" + std::to_string(UnusedPort()) + "\n" + account + page);
    Start();

    bool done = false;
    Then(OnDialog<TStartScreenDialog>([&](TStartScreenDialog& screen) {
        Prepare(screen);
        ASSERT_TRUE(screen.UploadButton()->isEnabled());
        QTest::mouseClick(screen.UploadButton(), Qt::LeftButton);
        EXPECT_FALSE(screen.UploadButton()->isEnabled());
        screen.WaitForUpload();
        QStringList messages = Items(screen.UploadMessages());
        ASSERT_GE(messages.size(), 2);
        EXPECT_EQ(messages.mid(0, 2),
                  QStringList({"Connecting to highscore Server....", "Could not Connected. Try again"}));
        EXPECT_TRUE(screen.UploadMessages()->isVisible());
        EXPECT_TRUE(screen.UploadButton()->isEnabled());
        // The record waits in the data folder for the retry.
        std::vector<fs::path> records;
        for (const auto& entry : fs::directory_iterator(Data()))
            if (entry.path().extension() == ".zlb") records.push_back(entry.path());
        ASSERT_EQ(records.size(), 1u);
        const std::string record = ReadFile(records[0]);
        EXPECT_TRUE(record.starts_with("Ada\tByte Works\t2\t")) << record;
        const std::string score = screen.ScoreText().toStdString();
        EXPECT_TRUE(record.ends_with(score + "\r\n")) << record;
        EXPECT_EQ(record[record.size() - score.size() - 3], '\t') << record;

        WriteFile(Data() / "online.cfg",
                  "HighscoreFtpHost = 127.0.0.1:" + std::to_string(server.Port) + "\n" + account + page);
        QTest::mouseClick(screen.UploadButton(), Qt::LeftButton);
        screen.WaitForUpload();
        messages = Items(screen.UploadMessages());
        EXPECT_EQ(messages, QStringList({"Connecting to highscore Server....", "Connected", "Uploading...",
                                         "Uploading finished"}));
        EXPECT_FALSE(screen.UploadButton()->isEnabled());
        EXPECT_TRUE(
            HoldsBytes(Root.Path / "ftp" / "docs" / "quillon" / "highs" / records[0].filename(), record));
        EXPECT_FALSE(fs::exists(records[0]));
        EXPECT_EQ(Opened, QStringList{"https://scores.example.org/quillon"});
        for (const QString& message : messages)
            EXPECT_FALSE(message.contains("pw-778"));
        if (const QString shots = qEnvironmentVariable("QUILLON_DIALOG_SHOTS"); !shots.isEmpty())
            screen.grab().save(shots + "/score-upload.png");

        QTest::mouseClick(screen.GotoHighscoresButton(), Qt::LeftButton);
        EXPECT_EQ(Opened.size(), 2);
        done = true;
    }));
    Open("Game Options");
    Open("Quit Game");
    EXPECT_TRUE(Window->StartScreen().ShowsScore());
    EXPECT_TRUE(done);
}

} // namespace
