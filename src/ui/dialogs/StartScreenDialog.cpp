#include "ui/dialogs/StartScreenDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <exception>
#include <utility>

#include "game/Game.h"
#include "online/HighscoreUpload.h"
#include "online/OnlineConfig.h"
#include "online/ProgramUpdate.h"
#include "online/RestartAfterUpdate.h"
#include "online/UpdateCheck.h"
#include "persist/ArchiveBridge.h"
#include "persist/ScoreRecord.h"
#include "state/TextFields.h"
#include "ui/dialogs/UpdateWindow.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/NameField.h"
#include "ui/widgets/Starfield.h"

namespace {
// The score panel needs more room than the new-game form.
const QSize SetupSize(560, 556);
const QSize ScoreSize(560, 610);

const char* const UploadNoteText =
    "REMEBER : A games score  can only be uploaded\r\nonce to the Quillon hiscore. \r\nSo if you have saved "
    "the current game and want to be \r\nable to upload this games score at a later time then do not upload "
    "score now.";

QFrame* Card(QWidget* parent) {
    auto* card = new QFrame(parent);
    card->setObjectName(QStringLiteral("StartCard"));
    card->setAttribute(Qt::WA_StyledBackground);
    return card;
}

// Centres a card on a transparent page of the screen.
QWidget* PageAround(QFrame* card, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(28, 22, 28, 22);
    layout->addWidget(card);
    return page;
}
} // namespace

TStartScreenDialog::TStartScreenDialog(const TGame& game, TAct act, TRunModal runModal, QWidget* parent)
    : QDialog(parent), Game(game), Act(std::move(act)), RunModalDialog(std::move(runModal)) {
    setWindowTitle(QStringLiteral("Quillon - The Bright Years"));
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    Stars = new TStarfield(this);
    outer->addWidget(Stars);
    auto* skyLayout = new QVBoxLayout(Stars);
    skyLayout->setContentsMargins(0, 0, 0, 0);
    Pages = new QStackedWidget(Stars);
    Pages->addWidget(BuildSetupPage());
    Pages->addWidget(BuildScorePage());
    skyLayout->addWidget(Pages);
    setFixedSize(SetupSize);

    const QString exe = QCoreApplication::applicationFilePath();
    Online.ProgramFolder = Game.Folders.Program;
    Online.DataFolder = Game.Folders.Data;
    Online.ConfigFolder = Game.Folders.Config;
    Online.ProgramInstalled = Game.Folders.Installed;
    Online.Executable = exe.toStdString();
    Online.StartProgram = [](const QString& program) { return QProcess::startDetached(program, {}); };
    Online.OpenUrl = [](const QUrl& address) { return QDesktopServices::openUrl(address); };
}

TStartScreenDialog::~TStartScreenDialog() {
    // The upload cannot be cut short; it ends within its time-outs.
    if (UploadWorker.joinable()) UploadWorker.join();
}

QWidget* TStartScreenDialog::BuildSetupPage() {
    QFrame* card = Card(this);
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(34, 24, 34, 16);
    layout->setSpacing(8);

    auto* title = new QLabel(QStringLiteral("QUILLON"), card);
    title->setObjectName(QStringLiteral("StartTitle"));
    title->setAlignment(Qt::AlignCenter);
    auto* subtitle = new QLabel(tr("The Bright Years  \u2022  1984 \u2013 1994"), card);
    subtitle->setObjectName(QStringLiteral("StartSubtitle"));
    subtitle->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addSpacing(14);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(10);
    PlayerName = new QLineEdit(card);
    CompanyName = new QLineEdit(card);
    // The names are stored in fixed-length fields.
    PlayerName->setMaxLength(25);
    CompanyName->setMaxLength(25);
    PlayerName->setMinimumWidth(250);
    SetHint(PlayerName, tr("Your name, for the high-score list"));
    SetHint(CompanyName, tr("The name of your new software company"));
    // A character the game cannot keep is refused as it is typed, and the line under the boxes
    // says why; its two lines of room are kept so that the card does not jump.
    QLabel* hint = MakeNameHint(card);
    QSizePolicy keepRoom = hint->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    hint->setSizePolicy(keepRoom);
    hint->setFixedHeight(2 * hint->fontMetrics().lineSpacing() + 4);
    for (const auto& [box, what] :
         {std::pair{PlayerName, "Player Name"}, std::pair{CompanyName, "Company Name"}}) {
        const QString caption = QString::fromLatin1(what);
        GuardName(box, hint, caption,
                  [caption](const std::string& name) { return NameProblem(name, caption.toStdString()); });
        form->addRow(caption + QLatin1Char(':'), box);
    }
    form->addRow(hint);
    layout->addLayout(form);
    layout->addSpacing(8);

    DifficultyText = new QLabel(QString::fromStdString(::DifficultyLabel(2)), card);
    DifficultyText->setAlignment(Qt::AlignCenter);
    Difficulty = new QSlider(Qt::Horizontal, card);
    Difficulty->setRange(1, 3);
    Difficulty->setValue(2);
    Difficulty->setPageStep(1);
    Difficulty->setTickPosition(QSlider::TicksBelow);
    Difficulty->setTickInterval(1);
    const QString difficultyHint =
        tr("1 is the gentlest start; 3 is the hardest and multiplies your score the most");
    SetHint(Difficulty, difficultyHint);
    SetHint(DifficultyText, difficultyHint);
    connect(Difficulty, &QSlider::valueChanged, this,
            [this](int value) { DifficultyText->setText(QString::fromStdString(::DifficultyLabel(value))); });
    layout->addWidget(DifficultyText);
    auto* sliderBox = new QVBoxLayout;
    sliderBox->setSpacing(0);
    sliderBox->addWidget(Difficulty);
    // The three positions, under the slider's ends and middle.
    auto* marks = new QHBoxLayout;
    for (int level = 1; level <= 3; ++level) {
        auto* mark = new QLabel(QString::number(level), card);
        mark->setProperty("caption", true);
        marks->addWidget(mark, 0,
                         level == 1   ? Qt::AlignLeft
                         : level == 2 ? Qt::AlignHCenter
                                      : Qt::AlignRight);
        if (level < 3) marks->addStretch(1);
    }
    marks->setContentsMargins(4, 0, 4, 0);
    sliderBox->addLayout(marks);
    auto* sliderRow = new QHBoxLayout;
    sliderRow->addSpacing(70);
    sliderRow->addLayout(sliderBox);
    sliderRow->addSpacing(70);
    layout->addLayout(sliderRow);

    NoMusic = new QCheckBox(QStringLiteral("No ingame music"), card);
    SetHint(NoMusic, tr("Play without music once the game has started"));
    connect(NoMusic, &QCheckBox::toggled, this, [this](bool checked) {
        // Unticking it again does not bring the music back for this run.
        if (checked) Act(TChooseNoMusic{});
    });
    layout->addWidget(NoMusic, 0, Qt::AlignCenter);
    layout->addSpacing(6);

    Start = new QPushButton(QStringLiteral("Start Game"), card);
    Start->setObjectName(QStringLiteral("EndOfWeek"));
    Start->setDefault(true);
    Start->setCursor(Qt::PointingHandCursor);
    SetHint(Start, tr("Found your company in 1984"));
    layout->addWidget(Start);
    Progress = new QProgressBar(card);
    Progress->setRange(0, 100);
    Progress->setTextVisible(false);
    Progress->setFixedHeight(8);
    // The gauge keeps its room while hidden, so the screen does not jump when it appears.
    QSizePolicy keep = Progress->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    Progress->setSizePolicy(keep);
    Progress->hide();
    layout->addWidget(Progress);

    auto* links = new QHBoxLayout;
    Load = new TLinkButton(QStringLiteral("Load Saved Game"), tr("Continue the game you saved last"), card);
    Quit = new TLinkButton(QStringLiteral("Quit Game"), tr("Leave the game"), card);
    links->addWidget(Load);
    links->addStretch(1);
    links->addWidget(Quit);
    layout->addLayout(links);
    layout->addStretch(1);

    auto* line = new QFrame(card);
    line->setFrameShape(QFrame::HLine);
    line->setObjectName(QStringLiteral("StartRule"));
    layout->addWidget(line);
    auto* footer = new QHBoxLayout;
    Updates = new TLinkButton(QStringLiteral("Check for updates"),
                              tr("Download a newer game database and program"), card);
    Highscores = new TLinkButton(QStringLiteral("Highscores"), tr("The best scores of all players"), card);
    footer->addWidget(Updates);
    footer->addWidget(Highscores);
    footer->addStretch(1);
    auto* stamps = new QVBoxLayout;
    stamps->setSpacing(0);
    Version = new QLabel(FromCp1252(Game.VersionText), card);
    DataPack = new QLabel(card);
    for (QLabel* label : {Version, DataPack}) {
        label->setProperty("caption", true);
        label->setAlignment(Qt::AlignRight);
        stamps->addWidget(label);
    }
    SetHint(DataPack, tr("The game database: the last week that can be played"));
    footer->addLayout(stamps);
    layout->addLayout(footer);
    Note = new QLabel(card);
    Note->setProperty("caption", true);
    Note->setAlignment(Qt::AlignCenter);
    layout->addWidget(Note);

    connect(Start, &QPushButton::clicked, this, &TStartScreenDialog::StartClicked);
    connect(Load, &QPushButton::clicked, this, &TStartScreenDialog::LoadClicked);
    connect(Quit, &QPushButton::clicked, this, &TStartScreenDialog::reject);
    connect(Updates, &QPushButton::clicked, this, &TStartScreenDialog::CheckForUpdates);
    connect(Highscores, &QPushButton::clicked, this,
            [this] { OpenHighscores([this](const QString& text) { Note->setText(text); }); });
    return PageAround(card, this);
}

QWidget* TStartScreenDialog::BuildScorePage() {
    QFrame* card = Card(this);
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(26, 18, 26, 14);
    layout->setSpacing(8);
    auto* over = new QLabel(QStringLiteral("GAME IS OVER"), card);
    over->setObjectName(QStringLiteral("GameIsOver"));
    over->setAlignment(Qt::AlignCenter);
    layout->addWidget(over);

    auto* scoreRow = new QHBoxLayout;
    scoreRow->addStretch(1);
    scoreRow->addWidget(new QLabel(QStringLiteral("Your score :"), card));
    Score = new QLabel(card);
    Score->setObjectName(QStringLiteral("ScoreValue"));
    scoreRow->addWidget(Score);
    scoreRow->addStretch(1);
    layout->addLayout(scoreRow);

    const int rows = static_cast<int>(std::tuple_size_v<decltype(TScoreSheet::Rows)>);
    Grid = new QTableWidget(rows, 2, card);
    Grid->horizontalHeader()->hide();
    Grid->verticalHeader()->hide();
    Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionMode(QAbstractItemView::NoSelection);
    Grid->setFocusPolicy(Qt::NoFocus);
    Grid->verticalHeader()->setDefaultSectionSize(22);
    Grid->setFixedHeight(rows * 22 + 4);
    layout->addWidget(Grid);

    UploadNote = new QLabel(FromCoreText(UploadNoteText), card);
    UploadNote->setTextFormat(Qt::PlainText);
    UploadNote->setProperty("caption", true);
    UploadNote->setWordWrap(true);
    layout->addWidget(UploadNote);

    Web = new QTextBrowser(card);
    Web->setOpenLinks(false);
    Web->setMinimumHeight(70);
    Web->hide();
    layout->addWidget(Web, 3);
    Messages = new QListWidget(card);
    Messages->setObjectName(QStringLiteral("UploadMessages"));
    Messages->setFocusPolicy(Qt::NoFocus);
    Messages->setSelectionMode(QAbstractItemView::NoSelection);
    Messages->setFixedHeight(96);
    Messages->hide();
    layout->addWidget(Messages);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    Upload = new QPushButton(QStringLiteral("Upload Score"), card);
    GotoHighscores = new QPushButton(QStringLiteral("Goto Internet Highscores"), card);
    Close = new QPushButton(QStringLiteral("Close"), card);
    for (QPushButton* button : {Upload, GotoHighscores, Close}) {
        button->setProperty("action", true);
        buttons->addWidget(button);
    }
    buttons->insertStretch(2, 1);
    SetHint(Upload, tr("Send this game's score to the Internet high-score list"));
    SetHint(GotoHighscores, tr("See the Internet high-score list"));
    SetHint(Close, tr("Leave the game"));
    layout->addLayout(buttons);

    connect(Upload, &QPushButton::clicked, this, &TStartScreenDialog::UploadScore);
    connect(GotoHighscores, &QPushButton::clicked, this, [this] {
        OpenHighscores([this](const QString& text) {
            Messages->addItem(text);
            Messages->show();
        });
    });
    connect(Close, &QPushButton::clicked, this, &TStartScreenDialog::CloseScore);
    return PageAround(card, this);
}

void TStartScreenDialog::Prepare() {
    Act(TOpenStartScreen{});
    const TStartScreen& screen = Game.Views.StartScreen;
    PlayerName->setText(FromCp1252(screen.PlayerName));
    CompanyName->setText(FromCp1252(screen.CompanyName));
    Difficulty->setValue(screen.Difficulty);
    DataPack->setText(FromCp1252(screen.DataPackLabel));
    Note->clear();
    HideGauge();
    Pages->setCurrentIndex(0);
    setFixedSize(SetupSize);
    Stars->SetRunning(true);
    PlayerName->setFocus();
}

void TStartScreenDialog::ShowScore(const TScoreSheet& sheet) {
    ShownScore = sheet.Score;
    Score->setText(QString::number(sheet.Score));
    for (int row = 0; row < Grid->rowCount(); ++row) {
        const auto& [title, value] = sheet.Rows.at(static_cast<size_t>(row));
        auto* titleItem = new QTableWidgetItem(FromCp1252(title));
        titleItem->setForeground(QColor(159, 176, 216));
        auto* valueItem = new QTableWidgetItem(FromCp1252(value));
        QFont bold = valueItem->font();
        bold.setBold(true);
        valueItem->setFont(bold);
        Grid->setItem(row, 0, titleItem);
        Grid->setItem(row, 1, valueItem);
    }
    Web->hide();
    Messages->clear();
    Messages->hide();
    Upload->setEnabled(!UploadRunning());
    Pages->setCurrentIndex(1);
    setFixedSize(ScoreSize);
    Stars->SetRunning(true);
    Close->setFocus();
}

bool TStartScreenDialog::ShowsScore() const {
    return Pages->currentIndex() == 1;
}

QString TStartScreenDialog::ScoreText() const {
    return Score->text();
}

void TStartScreenDialog::SetGauge(int percent) {
    Progress->setValue(std::clamp(percent, 0, 100));
    Progress->show();
    Progress->repaint();
}

void TStartScreenDialog::HideGauge() {
    Progress->hide();
}

TStartScreenChoices TStartScreenDialog::Choices() const {
    return {ToCp1252(PlayerName->text()), ToCp1252(CompanyName->text()), Difficulty->value()};
}

void TStartScreenDialog::StartClicked() {
    Stars->SetRunning(false);
    if (!Act(TStartGameChosen{Choices()}).Done) {
        HideGauge();
        PlayerName->setFocus();
        Stars->SetRunning(true);
        return;
    }
    SetGauge(100);
    HideGauge();
    accept();
}

void TStartScreenDialog::LoadClicked() {
    const bool loading = Act(TLoadGameChosen{Choices()}).Done;
    HideGauge();
    if (loading) accept();
}

void TStartScreenDialog::CloseScore() {
    Act(TCloseScoreSheet{ToCp1252(PlayerName->text()), ToCp1252(CompanyName->text())});
    QDialog::accept();
}

void TStartScreenDialog::reject() {
    if (ShowsScore()) {
        CloseScore();
        return;
    }
    Act(TLeaveStartScreen{});
    QDialog::reject();
}

int TStartScreenDialog::RunModal(QDialog& dialog) {
    return RunModalDialog ? RunModalDialog(dialog) : dialog.exec();
}

void TStartScreenDialog::CheckForUpdates() {
    // The player finds the documented settings file in the data folder the first time.
    WriteOnlineSettingsTemplate(Online.SettingsFolder());
    const TOnlineSettings settings = ReadOnlineSettings(Online.SettingsFolder());
    TUpdateRequest request;
    request.Server = settings.UpdateServer;
    if (request.Server.empty()) request.ServerProblem = MissingSetting(settings, "UpdateServer");
    request.DownloadFolder = Online.DataFolder;
    request.InstalledFolder = Online.ProgramFolder;
    request.PublicKey = Online.UpdateKey;
    request.ProgramInstalled = Online.ProgramInstalled;
    TUpdateWindow window(request, this);
    RunModal(window);
    if (!window.RestartRequested()) return;
    std::string programArchive;
    for (const std::string& file : window.SavedFiles())
        if (UpperCase(QFileInfo(QString::fromStdString(file)).fileName().toStdString()) ==
            UpperCase(ProgramArchiveName))
            programArchive = file;
    RestartAfterUpdate(programArchive);
}

void TStartScreenDialog::RestartAfterUpdate(const std::string& programArchive) {
    // This run ends as "Quit Game" ends it: the screen closes first.
    TRestartSteps steps;
    steps.CloseStartScreen = [this] { reject(); };
    steps.StopMusic = Online.StopMusic;
    steps.Tell = [this](const std::string& text, const std::string& caption) {
        Game.Ui.ShowMessage(text, caption, TMessageKind::Information);
    };
    steps.StartProgram = [this](const std::string& program) {
        return !Online.StartProgram || Online.StartProgram(QString::fromStdString(program));
    };
    TGameArchiveUi ui(Game.Ui);
    ::RestartAfterUpdate(steps, programArchive, Online.ProgramFolder, Online.Executable, ui);
}

void TStartScreenDialog::OpenHighscores(const std::function<void(const QString&)>& tell) {
    const TOnlineSettings settings = ReadOnlineSettings(Online.SettingsFolder());
    if (settings.HighscorePage.empty()) {
        WriteOnlineSettingsTemplate(Online.SettingsFolder());
        tell(FromCp1252(MissingSetting(ReadOnlineSettings(Online.SettingsFolder()), "HighscorePage")));
        return;
    }
    const QUrl address(QString::fromStdString(settings.HighscorePage));
    if (!Online.OpenUrl || !Online.OpenUrl(address))
        tell(tr("The high-score page %1 could not be opened.").arg(address.toString()));
}

void TStartScreenDialog::UploadScore() {
    if (UploadRunning()) return;
    Messages->clear();
    if (PendingRecord.empty()) {
        // The record is written once per loaded save; a refusal has been explained.
        if (!Act(TRecordScore{ShownScore, ScoreStampNow(), Online.DataFolder}).Done) return;
        PendingRecord = Game.Views.StartScreen.ScoreRecord;
    }
    Messages->show();
    Upload->setEnabled(false);
    Messages->addItem(QStringLiteral("Connecting to highscore Server...."));

    WriteOnlineSettingsTemplate(Online.SettingsFolder());
    const TOnlineSettings settings = ReadOnlineSettings(Online.SettingsFolder());
    THighscoreAccount account;
    account.Host = settings.HighscoreFtpHost;
    account.User = settings.HighscoreFtpUser;
    account.Password = settings.HighscoreFtpPassword;
    account.AllowPlainFtp = PlainFtpAllowed(settings);
    if (account.Host.empty()) Messages->addItem(FromCp1252(MissingSetting(settings, "HighscoreFtpHost")));
    const std::string record = PendingRecord;
    UploadWorker = std::thread([this, account, record] {
        const TScoreUploadResult result = UploadScoreRecord(account, record, [this](const std::string& text) {
            QMetaObject::invokeMethod(
                this, [this, text = QString::fromStdString(text)] { Messages->addItem(text); },
                Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(
            this,
            [this, result] {
                if (UploadWorker.joinable()) UploadWorker.join();
                if (!result.Detail.empty()) Messages->addItem(QString::fromStdString(result.Detail));
                if (result.RetryOffered) {
                    Upload->setEnabled(true);
                } else {
                    PendingRecord.clear();
                }
                if (result.Stored) OpenHighscores([this](const QString& text) { Messages->addItem(text); });
                QTimer::singleShot(3000, Messages, [this] {
                    if (!UploadRunning()) Messages->hide();
                });
                emit UploadFinished();
            },
            Qt::QueuedConnection);
    });
}

void TStartScreenDialog::WaitForUpload() {
    if (!UploadRunning()) return;
    QEventLoop loop;
    connect(this, &TStartScreenDialog::UploadFinished, &loop, &QEventLoop::quit);
    loop.exec();
}
