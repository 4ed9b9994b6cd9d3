// The music in the window, over the fake audio: the "Player" panel and its controls, the
// banner, "Next song", the intro giving way to the game's songs, "No ingame music", the end
// of a song, and the six sound effects reaching the audio.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>

#include "GuiTestSupport.h"
#include "music/FakeAudio.h"
#include "ui/dialogs/HelpWindow.h"
#include "ui/dialogs/WorkingWindow.h"
#include "ui/panels/ContentPanel.h"
#include "ui/panels/MusicPanel.h"
#include "ui/widgets/NowPlayingBanner.h"
#include "ui/window/MusicBox.h"
#include "ui/window/StatusArea.h"

namespace {

using namespace std::string_literals;

const std::string Song =
    "MThd\0\0\0\6\0\0\0\1\0\x60"s + "MTrk\0\0\0\x0C"s + "\0\x90\x3C\x40\x60\x80\x3C\x40\0\xFF\x2F\0"s;

class TMusicPanelTest : public TGuiTest {
protected:
    void SetUp() override {
        TGuiTest::SetUp();
        ASSERT_TRUE(Folder.isValid());
        for (const char* name :
             {"c64/Two.mid", "c64/One.mid", "c64/Three.mid", "Jazz/Swing.mid", "Jazz/Blues.mid"})
            Write(name, Song);
        Write("FP.mp3", "ID3 intro");
        Write("sounds/link.wav", "RIFF");
        Write("sounds/endofweek.wav", "RIFF");
        auto audio = std::make_unique<TFakeAudio>();
        Audio = audio.get();
        // The draw picks the second song, "Three.mid" of One, Three, Two.
        Music = &Window->InstallMusic(std::move(audio), Path(""), Path("sounds"), [](int) { return 1; });
    }
    void Write(const std::string& name, const std::string& bytes) {
        const std::string path = Path(name);
        QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string Path(const std::string& name) const { return Folder.path().toStdString() + "/" + name; }
    TMusicPanel& Panel() { return Music->Panel(); }
    QString Banner() { return Music->Banner().Text(); }
    QStringList Songs() {
        QStringList names;
        for (int row = 0; row < Panel().SongList()->count(); ++row)
            names.append(Panel().SongList()->item(row)->text());
        return names;
    }
    void ClickSong(int row) {
        QListWidget* list = Panel().SongList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    int Count(const std::string& entry) {
        return static_cast<int>(std::count(Audio->Log.begin(), Audio->Log.end(), entry));
    }

    QTemporaryDir Folder;
    TFakeAudio* Audio = nullptr;
    TMusicBox* Music = nullptr;
};

TEST_F(TMusicPanelTest, AHintInTheStatusBarStopsShortOfTheBanner) {
    Start();
    const QString hint =
        QString("Borrow money, repay your loan or look for an investor. ").repeated(6).trimmed();
    QStatusTipEvent tip(hint);
    QApplication::sendEvent(Window.get(), &tip);
    QStatusBar* bar = Window->statusBar();
    const QString shown = bar->currentMessage();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    const int left = Music->Banner().geometry().left();
    ASSERT_GT(left, 0);
    EXPECT_LT(6 + bar->fontMetrics().horizontalAdvance(shown), left - 6);
    // The help window still has the whole hint.
    Window->Status().ShowHelpBox()->setChecked(true);
    Window->HelpTick();
    EXPECT_EQ(Window->HelpWindow().Hint(), hint);

    // A hint that fits is shown whole.
    QStatusTipEvent shortTip(QStringLiteral("Your money"));
    QApplication::sendEvent(Window.get(), &shortTip);
    EXPECT_EQ(bar->currentMessage(), "Your money");
}

TEST_F(TMusicPanelTest, PlayerPanelOpensFromTheMenuAndTheOptions) {
    Start();
    Open("Player");
    ASSERT_TRUE(Panel().isVisible());
    EXPECT_EQ(Panel().Title(), "Player");
    EXPECT_EQ(Window->Panel("Player"), &Panel());
    QTest::mouseClick(Panel().CloseLink(), Qt::LeftButton);
    EXPECT_FALSE(Panel().isVisible());
    Open("Game Options");
    QTest::mouseClick(Window->Link("Music And Sound"), Qt::LeftButton);
    EXPECT_TRUE(Panel().isVisible());

    EXPECT_EQ(Panel().findChild<QGroupBox*>()->title(), " Genre ");
    for (int style = 0; style < 6; ++style)
        EXPECT_EQ(Panel().StyleButton(style)->text(), QString::fromLatin1(MusicStyles[style]));
    EXPECT_TRUE(Panel().StyleButton(1)->isChecked());
    EXPECT_EQ(Panel().PlayButton()->text(), "Play");
    EXPECT_EQ(Panel().StopButton()->text(), "Stop");
    EXPECT_EQ(Panel().MuteBox()->text(), "Mute");
    QSlider* volume = Panel().VolumeSlider();
    EXPECT_EQ(volume->minimum(), 0);
    EXPECT_EQ(volume->maximum(), 65000);
    EXPECT_EQ(volume->value(), 7500);
    EXPECT_EQ(volume->singleStep(), 1000);
    bool captioned = false;
    for (QLabel* label : Panel().findChildren<QLabel*>())
        captioned = captioned || label->text() == "Volume:";
    EXPECT_TRUE(captioned);
    for (QWidget* control : std::initializer_list<QWidget*>{Panel().SongList(), Panel().PlayButton(),
                                                            Panel().StopButton(), Panel().MuteBox(), volume})
        EXPECT_FALSE(control->statusTip().isEmpty()) << control->metaObject()->className();
}

TEST_F(TMusicPanelTest, TheIntroGivesWayToTheSongWhenTheGameStarts) {
    EXPECT_EQ(Banner(), "Now Playing :Three.mid");
    EXPECT_TRUE(Audio->IntroPlaying);
    EXPECT_EQ(Count("intro " + Path("FP.mp3") + " 18500"), 1);
    EXPECT_EQ(Songs(), (QStringList{"One.mid", "Three.mid", "Two.mid"}));
    EXPECT_EQ(Panel().SongList()->currentRow(), 1);
    EXPECT_EQ(Window->statusBar()->findChild<TNowPlayingBanner*>(), &Music->Banner());

    Start();
    EXPECT_FALSE(Audio->IntroPlaying);
    EXPECT_TRUE(Audio->Playing);
    EXPECT_EQ(Audio->OpenPath, Path("c64/Three.mid"));
}

TEST_F(TMusicPanelTest, NoIngameMusicKeepsTheGameSilent) {
    Start([](QDialog& dialog) {
        auto& screen = dynamic_cast<TStartScreenDialog&>(dialog);
        QTest::mouseClick(screen.NoMusicBox(), Qt::LeftButton);
        TypeNamesAndStart("Ada", "Byte Works")(dialog);
    });
    EXPECT_TRUE(Game().Flags.MusicOff);
    EXPECT_TRUE(Music->Player().MusicOff());
    EXPECT_FALSE(Audio->IntroPlaying);
    EXPECT_FALSE(Audio->Playing);
    Open("Player");
    ClickSong(0);
    QTest::mouseClick(Panel().PlayButton(), Qt::LeftButton);
    EXPECT_FALSE(Audio->Playing);
}

TEST_F(TMusicPanelTest, SongListStopMuteAndPlay) {
    Start();
    Open("Player");
    ClickSong(2);
    EXPECT_EQ(Audio->OpenPath, Path("c64/Two.mid"));
    EXPECT_EQ(Banner(), "Now Playing :Two.mid");

    QTest::mouseClick(Panel().StopButton(), Qt::LeftButton);
    EXPECT_FALSE(Audio->Playing);
    EXPECT_TRUE(Game().Flags.MusicOff);
    ClickSong(0);
    QTest::mouseClick(Panel().PlayButton(), Qt::LeftButton);
    EXPECT_FALSE(Audio->Playing);
    EXPECT_EQ(Panel().SongList()->currentRow(), 2) << "the list shows the song that is still current";

    QTest::mouseClick(Panel().MuteBox(), Qt::LeftButton);
    QTest::mouseClick(Panel().MuteBox(), Qt::LeftButton);
    EXPECT_FALSE(Game().Flags.MusicOff);
    QTest::mouseClick(Panel().PlayButton(), Qt::LeftButton);
    EXPECT_TRUE(Audio->Playing);
    EXPECT_EQ(Audio->OpenPath, Path("c64/Two.mid"));

    Panel().VolumeSlider()->setValue(20000);
    EXPECT_EQ(Audio->Volume, 20000);
}

TEST_F(TMusicPanelTest, StyleChoiceRefillsTheSongList) {
    Start();
    Open("Player");
    QTest::mouseClick(Panel().StyleButton(4), Qt::LeftButton);
    EXPECT_EQ(Songs(), (QStringList{"Blues.mid", "Swing.mid"}));
    EXPECT_EQ(Music->Player().SongIndex(), 0);
    EXPECT_EQ(Panel().SongList()->currentRow(), 0);
    // A style without a folder changes nothing.
    QTest::mouseClick(Panel().StyleButton(0), Qt::LeftButton);
    EXPECT_TRUE(Panel().StyleButton(4)->isChecked());
    EXPECT_EQ(Songs(), (QStringList{"Blues.mid", "Swing.mid"}));
}

TEST_F(TMusicPanelTest, NextSongAndTheEndOfASongMoveOn) {
    Start();
    QTest::mouseClick(Window->Link("Next song"), Qt::LeftButton);
    EXPECT_EQ(Audio->OpenPath, Path("c64/Two.mid"));
    EXPECT_EQ(Banner(), "Now Playing :Two.mid");
    EXPECT_FALSE(Window->WorkingWindow().isVisible());
    EXPECT_EQ(Window->WorkingWindow().Text(), "Loading Music...");

    // The window's animation timer notices the end of the song.
    Audio->FinishSong();
    for (int wait = 0; wait < 50 && Audio->OpenPath != Path("c64/One.mid"); ++wait)
        QTest::qWait(20);
    EXPECT_EQ(Audio->OpenPath, Path("c64/One.mid"));
    EXPECT_EQ(Banner(), "Now Playing :One.mid");
    EXPECT_EQ(Panel().SongList()->currentRow(), 0);
}

TEST_F(TMusicPanelTest, TheWindowsSoundsReachTheAudio) {
    EXPECT_EQ(Audio->LoadedEffects, (std::set<int>{0, 1}));
    Start();
    QSignalSpy requested(Window.get(), &TMainWindow::SoundRequested);
    const size_t mark = Audio->Log.size();
    Open("News");
    QTest::mouseClick(Window->Panel("News")->XButton(), Qt::LeftButton);
    QTest::mouseClick(Window->Link("Game Options"), Qt::LeftButton);
    QTest::mouseClick(Window->Link("End Of Week"), Qt::LeftButton);
    std::vector<std::string> asked, played;
    for (const QList<QVariant>& signal : requested)
        asked.push_back("effect " + std::to_string(signal.at(0).toInt()));
    for (size_t i = mark; i < Audio->Log.size(); ++i)
        if (Audio->Log[i].rfind("effect", 0) == 0) played.push_back(Audio->Log[i]);
    // Every sound the window asks for is played, in order; a control that takes the focus on
    // the way may add one of its own.
    EXPECT_EQ(played, asked);
    const std::vector<std::string> expected = {"effect 0", "effect 3", "effect 2", "effect 1"};
    auto next = played.begin();
    for (const std::string& effect : expected) {
        next = std::find(next, played.end(), effect);
        ASSERT_NE(next, played.end()) << effect;
    }
}

} // namespace
