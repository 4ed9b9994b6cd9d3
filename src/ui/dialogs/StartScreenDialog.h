#pragma once
// The start screen: the player's and the company's names, the level of difficulty and the
// music choice; "Start Game" with its gauge, "Load Saved Game" and "Quit Game"; the links to
// updates and high scores, the version and the game database's end date. When a game is
// over the same window shows the score panel instead.
#include <QDialog>
#include <functional>
#include <string>
#include <thread>

#include "game/Gesture.h"
#include "online/Signing.h"
#include "state/PlayerInterface.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSlider;
class QStackedWidget;
class QTableWidget;
class QTextBrowser;
class QUrl;
class TGame;
class TLinkButton;
class TStarfield;

class TStartScreenDialog : public QDialog {
    Q_OBJECT
public:
    // The screen reads the game and reaches it only through act (the window's door); the
    // dialogs it opens run through runModal (the window's modal host).
    using TAct = std::function<TOutcome(const TGesture&)>;
    using TRunModal = std::function<int(QDialog&)>;
    TStartScreenDialog(const TGame& game, TAct act, TRunModal runModal, QWidget* parent = nullptr);
    ~TStartScreenDialog() override;

    // What the update check and the high-score upload need from outside. The defaults suit a
    // development build, where the program and its data share the executable's folder.
    struct TOnlineSetup {
        std::string ProgramFolder;     // the executable and the installed files
        std::string DataFolder;        // writable: online.cfg, downloads, QlSave/, score records
        std::string Executable;        // the program replaced and started again after an update
        std::string ConfigFolder;      // online.cfg, when not in the data folder
        bool ProgramInstalled = false; // the package manager updates the program
        std::string SettingsFolder() const { return ConfigFolder.empty() ? DataFolder : ConfigFolder; }
        // Called just before the program restarts after an update: stops the music.
        std::function<void()> StopMusic;
        std::function<bool(const QString& program)> StartProgram;
        std::function<bool(const QUrl& address)> OpenUrl;
        std::string UpdateKey = BuiltInUpdateKey(); // updates must be signed with it (tests set theirs)
    };
    TOnlineSetup Online;

    // Before the screen is shown for a new game: the end date from the game database and the
    // names from the player's profile.
    void Prepare();
    // The game is over: the score panel takes the screen's place.
    void ShowScore(const TScoreSheet& sheet);
    bool ShowsScore() const;

    // The gauge of "Start Game"; the game reports its progress while the screen is open.
    void SetGauge(int percent);
    void HideGauge();

    QLineEdit* PlayerNameEdit() const { return PlayerName; }
    QLineEdit* CompanyNameEdit() const { return CompanyName; }
    QSlider* DifficultySlider() const { return Difficulty; }
    QLabel* DifficultyLabel() const { return DifficultyText; }
    QCheckBox* NoMusicBox() const { return NoMusic; }
    QPushButton* StartButton() const { return Start; }
    QProgressBar* Gauge() const { return Progress; }
    TLinkButton* LoadLink() const { return Load; }
    TLinkButton* QuitLink() const { return Quit; }
    TLinkButton* UpdatesLink() const { return Updates; }
    TLinkButton* HighscoresLink() const { return Highscores; }
    QLabel* VersionLabel() const { return Version; }
    QLabel* DataPackLabel() const { return DataPack; }
    QLabel* NoteLabel() const { return Note; }
    TStarfield* Sky() const { return Stars; }

    QString ScoreText() const;
    QTableWidget* ScoreGrid() const { return Grid; }
    QLabel* ScoreNote() const { return UploadNote; }
    QPushButton* UploadButton() const { return Upload; }
    QPushButton* GotoHighscoresButton() const { return GotoHighscores; }
    QPushButton* CloseButton() const { return Close; }
    QTextBrowser* Browser() const { return Web; }
    QListWidget* UploadMessages() const { return Messages; }
    bool UploadRunning() const { return UploadWorker.joinable(); }
    // Waits until a running upload is over and its messages are listed (tests).
    void WaitForUpload();

signals:
    void UploadFinished();

public slots:
    // On the start screen closing it any other way than by starting or loading quits; on the
    // score panel it is "Close".
    void reject() override;

private:
    QWidget* BuildSetupPage();
    QWidget* BuildScorePage();
    // What the player typed and chose, for "Start Game" and "Load Saved Game".
    TStartScreenChoices Choices() const;
    void StartClicked();
    void LoadClicked();
    void CloseScore();
    void CheckForUpdates();
    void RestartAfterUpdate(const std::string& programArchive);
    void UploadScore();
    void OpenHighscores(const std::function<void(const QString&)>& tell);
    int RunModal(QDialog& dialog);

    const TGame& Game;
    TAct Act;
    TRunModal RunModalDialog;
    TStarfield* Stars;
    QStackedWidget* Pages;

    QLineEdit* PlayerName;
    QLineEdit* CompanyName;
    QSlider* Difficulty;
    QLabel* DifficultyText;
    QCheckBox* NoMusic;
    QPushButton* Start;
    QProgressBar* Progress;
    TLinkButton* Load;
    TLinkButton* Quit;
    TLinkButton* Updates;
    TLinkButton* Highscores;
    QLabel* Version;
    QLabel* DataPack;
    QLabel* Note;

    QLabel* Score;
    QTableWidget* Grid;
    QLabel* UploadNote;
    QPushButton* Upload;
    QPushButton* GotoHighscores;
    QPushButton* Close;
    QTextBrowser* Web;
    QListWidget* Messages;

    int ShownScore = 0;
    // A score record that a failed upload kept for the retry.
    std::string PendingRecord;
    std::thread UploadWorker;
};
